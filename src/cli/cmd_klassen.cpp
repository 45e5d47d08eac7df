// tabulon-cli klassen: the class list as the class page shows it, one identifier per line.
#include <ostream>

#include "cli/cli.h"
#include "cli/targets.h"
#include "sheets/class/class_list.h"

namespace tabulon::cli {

const Verb kVerbKlassen{
    "klassen",
    "",
    "die Klassenliste ausgeben (eine Kennung je Zeile)",
    0,
    0,
    0,
    "keine Argumente",
    [](Context& ctx) {
      Settings settings;
      DataPaths paths;
      const int status = PrepareSettings(ctx, settings, paths);
      if (status != kExitOk) return status;
      for (const std::string& id : class_sheet::ReadClassList(ClassDirOf(paths))) {
        ctx.out << id << "\n";
      }
      return kExitOk;
    }};

}  // namespace tabulon::cli

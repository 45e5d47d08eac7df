// tabulon-cli sichern: the backup into the BAK directory, as the program makes it at start.
#include <ostream>

#include "cli/cli.h"

namespace tabulon::cli {

int CmdSichern(Context& ctx) {
  if (!ctx.options.positional.empty()) {
    ctx.err << "Fehler: sichern erwartet kein Verzeichnis\n";
    return kExitUsage;
  }
  if (ctx.options.stala) {
    ctx.err << "Fehler: --stala gilt nur für exportieren\n";
    return kExitUsage;
  }
  return RunCopyVerb(ctx, CopyVerb::kBackup, {});
}

}  // namespace tabulon::cli

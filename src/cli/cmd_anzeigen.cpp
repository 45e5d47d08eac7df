// tabulon-cli anzeigen ZIEL: a table as the program shows it after set-up and load, every cell
// of every row, cells separated by a tab and rows by a newline.
#include <ostream>

#include "cli/cli.h"
#include "cli/targets.h"

namespace tabulon::cli {

int CmdAnzeigen(Context& ctx) {
  if (ctx.options.positional.size() != 1) {
    ctx.err << "Fehler: anzeigen erwartet genau ein Ziel, z. B. schule:1\n";
    return kExitUsage;
  }
  CliUi ui(ctx.err);
  TableTarget target;
  LoadedTable loaded;
  int status = PrepareTableTarget(ctx, ctx.options.positional[0], target, loaded);
  if (status == kExitOk) status = SetUpAndLoad(target, loaded, ui);
  if (status != kExitOk) return status;
  PrintGrid(loaded.grid, ctx.out);
  return kExitOk;
}

}  // namespace tabulon::cli

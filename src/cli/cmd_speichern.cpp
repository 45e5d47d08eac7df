// tabulon-cli speichern ZIEL: sets up, loads and saves a table again, as the program does when the
// user leaves it; so a data file comes out in the program's own form (completion steps applied,
// rows without data dropped or kept as the settings say).
#include <ostream>

#include "cli/cli.h"
#include "cli/targets.h"

namespace tabulon::cli {

int CmdSpeichern(Context& ctx) {
  if (ctx.options.positional.size() != 1) {
    ctx.err << "Fehler: speichern erwartet genau ein Ziel, z. B. schule:1\n";
    return kExitUsage;
  }
  CliUi ui(ctx.err);
  TableTarget target;
  LoadedTable loaded;
  int status = PrepareTableTarget(ctx, ctx.options.positional[0], target, loaded);
  if (status != kExitOk) return status;
  // Refused before anything is touched, as the save command does.
  if (!CheckMaySave(loaded, ui)) return kExitUsage;
  status = SetUpAndLoad(target, loaded, ui);
  if (status != kExitOk) return status;
  return SaveLoaded(target, loaded, ui);
}

}  // namespace tabulon::cli

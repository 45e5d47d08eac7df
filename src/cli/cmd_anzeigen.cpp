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
  std::optional<TableTarget> target = ParseTableTarget(ctx.options.positional[0], ctx.err);
  if (!target) return kExitUsage;
  CliUi ui(ctx.err);
  LoadedTable loaded;
  int status = PrepareTableTarget(ctx, *target, loaded);
  if (status == kExitOk) status = SetUpAndLoad(*target, loaded, ui);
  if (status != kExitOk) return status;
  const Grid& g = loaded.grid;
  for (int row = 0; row < g.RowCount(); ++row) {
    for (int col = 0; col < g.ColCount(); ++col) {
      if (col > 0) ctx.out << '\t';
      ctx.out << g.Cell(col, row);
    }
    ctx.out << '\n';
  }
  return kExitOk;
}

}  // namespace tabulon::cli

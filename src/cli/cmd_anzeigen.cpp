// tabulon-cli anzeigen ZIEL: a table as the program shows it after set-up and load, every cell
// of every row, cells separated by a tab and rows by a newline.
#include <ostream>

#include "cli/cli.h"
#include "cli/targets.h"

namespace tabulon::cli {

const Verb kVerbAnzeigen{"anzeigen",
                         "ZIEL",
                         "eine Tabelle nach Aufbau und Laden ausgeben (Tab-getrennt)",
                         0,
                         1,
                         1,
                         "genau ein Ziel, z. B. schule:1",
                         [](Context& ctx) {
                           CliUi ui(ctx.err);
                           LoadedTable loaded;
                           const int status =
                               LoadTarget(ctx, ctx.options.positional[0], loaded, ui);
                           if (status != kExitOk) return status;
                           PrintGrid(loaded.grid, ctx.out);
                           return kExitOk;
                         }};

}  // namespace tabulon::cli

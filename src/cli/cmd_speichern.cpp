// tabulon-cli speichern ZIEL: sets up, loads and saves a table again, as the program does when the
// user leaves it; so a data file comes out in the program's own form (completion steps applied,
// rows without data dropped or kept as the settings say).
#include <ostream>

#include "cli/cli.h"
#include "cli/targets.h"

namespace tabulon::cli {

const Verb kVerbSpeichern{"speichern",
                          "ZIEL",
                          "eine Tabelle aufbauen, laden und wieder speichern",
                          0,
                          1,
                          1,
                          "genau ein Ziel, z. B. schule:1",
                          [](Context& ctx) {
                            CliUi ui(ctx.err);
                            LoadedTable loaded;
                            // Refused before anything is touched, as the save command does.
                            int status = LoadTarget(ctx, ctx.options.positional[0], loaded, ui,
                                                    /*for_save=*/true);
                            if (status != kExitOk) return status;
                            return SaveLoaded(loaded, ui);
                          }};

}  // namespace tabulon::cli

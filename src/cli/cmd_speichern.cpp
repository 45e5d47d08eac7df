// tabulon-cli speichern ZIEL: sets up, loads and saves a table again, as the program does when the
// user leaves it; so a data file comes out in the program's own form (completion steps applied,
// rows without data dropped or kept as the settings say).
#include <ostream>

#include "app/session_tables.h"
#include "cli/cli.h"
#include "cli/targets.h"
#include "files/files.h"

namespace tabulon::cli {
namespace {

// Grids that share the target's page without being edits of the table (the class notes beside
// class table 0) are written with it, as leaving the page writes them.
int SaveRidingGrids(const LoadedTable& loaded, Ui& ui) {
  const SheetDef& sheet = *loaded.target.sheet;
  const TablePage* page = sheet.FindPage(loaded.target.def->table);
  if (page == nullptr) return kExitOk;
  for (const PageGrid& g : page->grids) {
    const TableDef* def = sheet.FindTable(g.definition);
    if (g.reports_edits || def == nullptr || def == loaded.target.def) continue;
    try {
      Grid grid;
      SetUpAndLoadTable(grid, sheet, *def, ContextOf(loaded, ui));
      SaveTable(grid, sheet, *def, ContextOf(loaded, ui));
    } catch (const FileError& e) {
      ui.Message(MessageKind::kError, e.Message());
      return kExitUsage;
    }
  }
  return kExitOk;
}

}  // namespace

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
                            status = SaveLoaded(loaded, ui);
                            if (status != kExitOk) return status;
                            return SaveRidingGrids(loaded, ui);
                          }};

}  // namespace tabulon::cli

// The commands that act on the shown grid: the page buttons (rows, sorts, look-ups, pre-filling,
// take-over), the calculations and the internal tests. Each runs on the current table only and
// ends with the change indicator brought up to date.
#include <string_view>

#include "app/calculations.h"
#include "app/session.h"
#include "app/session_plausi.h"

namespace tabulon {

Grid* Session::TableGridOf(const TablePage& page) {
  // The page's own table: the grid whose definition carries the page's table number; an
  // identification grid shares the page but is not the table.
  const SheetDef& sheet = SheetOf(page.sheet);
  if (const TableDef* def = sheet.FindTableNumber(page.table)) return store_.FindGrid(def->name);
  for (const PageGrid& g : page.grids) {
    if (g.reports_edits && g.copy_buttons &&
        !(g.definition.size() >= 5 && g.definition.substr(g.definition.size() - 5) == "Ident")) {
      return store_.FindGrid(g.definition);
    }
  }
  return nullptr;
}

void Session::GridChanged(Sheet sheet, int table) {
  if (view_) view_->GridRebuilt(sheet, table);
}

void Session::PageCommand(Sheet sheet, int table, PageAction action) {
  if (sheet != current_sheet_ || table != current_table_) return;
  if (action == PageAction::kPlausi) return RunCurrentPlausi();
  if (action == PageAction::kDeleteClass) return DeleteClass();
  if (action == PageAction::kTestClassNumbering) return TestClassNumbering();
  if (action == PageAction::kAllClassTests) return RunClassSummaryTest();
  if (action == PageAction::kFootnoteTest) return RunClassFootnoteTest();
  const SheetDef& def = SheetOf(sheet);
  const GridCommand* command = def.FindCommand(table, action);
  const TablePage* page = def.FindPage(table);
  Grid* grid = page ? TableGridOf(*page) : nullptr;
  if (command != nullptr && !command->grid.empty()) grid = store_.FindGrid(command->grid);
  if (command == nullptr || grid == nullptr) return;
  bool reload = false;
  const TableContext ctx = Context();
  CommandEnv env{*grid, ui_, ctx, changed_, reload};
  Guarded([&] { command->run(env); });
  if (reload) {
    Guarded([&] { ShowTable(current_sheet_, current_table_); });
    return;
  }
  GridChanged(sheet, table);
  ShowChangeState();
}

void Session::RunTool(Sheet sheet, std::size_t index) {
  const SheetDef& def = SheetOf(sheet);
  if (index >= def.tools.size() || dst_nr_refused_) return;
  const ToolCommand& tool = def.tools[index];
  const TableContext ctx = Context();
  if (tool.action != PageAction::kNone) {
    // The menu's twin of a page button: the table's grid as it stands, whichever page is shown.
    const GridCommand* command = def.FindCommand(tool.table, tool.action);
    const TablePage* page = def.FindPage(tool.table);
    Grid* grid = page ? TableGridOf(*page) : nullptr;
    if (command == nullptr || grid == nullptr) return;
    bool reload = false;
    CommandEnv env{*grid, ui_, ctx, changed_, reload};
    Guarded([&] { command->run(env); });
    GridChanged(sheet, tool.table);
    ShowChangeState();
    return;
  }
  if (tool.run == nullptr) return;
  ToolOutcome outcome = ToolOutcome::kIncomplete;
  Guarded([&] { outcome = tool.run(ctx); });
  // The rewritten file replaces what the grid showed; an incomplete run leaves it to the person.
  if (outcome != ToolOutcome::kIncomplete && sheet == current_sheet_ &&
      tool.table == current_table_) {
    Guarded([&] { ShowTable(current_sheet_, current_table_); });
    return;
  }
  const TablePage* page = SheetIndex(current_sheet_) < kSheetCount
                              ? FindTablePage(current_sheet_, current_table_)
                              : nullptr;
  UpdateNotices(page, page_max_fields_);
  Notify();
}

void Session::Calculate(CalcCommand command) {
  const TablePage* page = SheetIndex(current_sheet_) < kSheetCount
                              ? FindTablePage(current_sheet_, current_table_)
                              : nullptr;
  Grid* grid = page ? TableGridOf(*page) : nullptr;
  Grid none;
  CalcTarget target{current_sheet_, current_table_, current_class_};
  CalcResult result =
      RunCalculation(command, target, grid ? *grid : none, settings_, ui_, error_flags_);
  if (result.mark_changed) changed_ = true;
  if (result.computed) GridChanged(current_sheet_, current_table_);
  ShowChangeState();
}

void Session::RunPlausi(const SheetTest& test, const TablePage& page) {
  Grid* grid = TableGridOf(page);
  if (grid == nullptr) return;
  TestEnv env{*grid, error_flags_, settings_, current_class_};
  const PlausiReport report = tabulon::RunPlausi(test, env, settings_.log_all_tests != 0);
  if (view_)
    view_->CurrentCellMoved(page.sheet, page.table, grid->CurrentCol(), grid->CurrentRow());
  if (!report.window) {
    ui_.Message(MessageKind::kInformation, kTestPassedMessage);
    return;
  }
  std::optional<std::size_t> chosen = plausi_window_ ? plausi_window_(report) : std::nullopt;
  if (!chosen || *chosen >= report.places.size()) return;
  const FindingPlace& place = report.places[*chosen];
  if (place.col < 0) return;
  grid->SetCurrentCell(place.col, place.row);
  grid->RequestFocus();
  if (view_) view_->CurrentCellMoved(page.sheet, page.table, place.col, place.row);
}

}  // namespace tabulon

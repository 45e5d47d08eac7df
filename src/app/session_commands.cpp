// The commands that act on the shown grid: the page buttons (rows, sorts, look-ups, pre-filling,
// take-over), the calculations and the internal tests. Each runs on the current table only and
// ends with the change indicator brought up to date.
#include <string_view>

#include "app/session.h"
#include "app/session_plausi.h"
#include "calc/prefill.h"
#include "sheets/school/school_tables.h"
#include "tables/rows.h"

namespace tabulon {
namespace {

constexpr const char* kReadOnlyTakeOver =
    "Der Dateizugriff ist auf \"nur LESEN\" eingestellt!\rEs wird keine Datei überschrieben!";

// What a page command may touch besides the grid.
struct CommandEnv {
  Grid& grid;
  Ui& ui;
  const std::filesystem::path& program_dir;
  bool& changed;
};

struct GridCommand {
  int sheet;
  int table;  // -1: every table of the sheet that shows the button
  PageAction action;
  void (*run)(CommandEnv&);
};

// Appending and sorting leave the changed flag alone: the rows reach the file with the next save
// of the table, which every switch makes anyway.
constexpr GridCommand kGridCommands[] = {
    {kSheetSchool, -1, PageAction::kAppendRow, [](CommandEnv& e) { AppendRows(e.grid, 1); }},
    {kSheetSchool, -1, PageAction::kAppendRows, [](CommandEnv& e) { AppendRows(e.grid, 10); }},
    {kSheetSchool, 2, PageAction::kSortRows, [](CommandEnv& e) { SortSchoolTable2(e.grid); }},
    {kSheetSchool, 3, PageAction::kSortRows, [](CommandEnv& e) { SortSchoolTable3(e.grid); }},
    {kSheetSchool, 2, PageAction::kPrefillSchoolTypeYears,
     [](CommandEnv& e) { PrefillSchoolTable2(e.grid, e.ui); }},
    {kSheetSchool, 3, PageAction::kFillTexts,
     [](CommandEnv& e) {
       if (FillSchoolTable3Texts(e.grid, e.program_dir, e.ui).marks_changed) e.changed = true;
     }},
};

const GridCommand* FindGridCommand(int sheet, int table, PageAction action) {
  for (const GridCommand& c : kGridCommands) {
    if (c.sheet == sheet && (c.table == -1 || c.table == table) && c.action == action) return &c;
  }
  return nullptr;
}

bool IsIdentification(std::string_view definition) {
  return definition.size() >= 5 && definition.substr(definition.size() - 5) == "Ident";
}

}  // namespace

Grid* Session::TableGridOf(const TablePage& page) {
  for (const PageGrid& g : page.grids) {
    if (!IsIdentification(g.definition)) return store_.FindGrid(g.definition);
  }
  return nullptr;
}

void Session::GridChanged(int sheet, int table) {
  if (view_) view_->GridRebuilt(sheet, table);
}

void Session::PageCommand(int sheet, int table, PageAction action) {
  if (sheet != current_sheet_ || table != current_table_) return;
  if (action == PageAction::kPlausi) return RunCurrentPlausi();
  if (action == PageAction::kTakeOverQuick && sheet == kSheetSchool && table == 0) {
    // The copy writes the table's file directly, so it obeys the read-only access as saving does.
    if (settings_.IsReadOnly()) {
      ui_.Message(MessageKind::kInformation, kReadOnlyTakeOver);
      return;
    }
    Guarded([&] { TakeOverBasicData(paths_.school_data_dir, settings_.dst_nr, ui_); });
    Guarded([&] { ShowTable(current_sheet_, current_table_); });
    return;
  }
  const GridCommand* command = FindGridCommand(sheet, table, action);
  const TablePage* page = FindTablePage(sheet, table);
  Grid* grid = page ? TableGridOf(*page) : nullptr;
  if (command == nullptr || grid == nullptr) return;
  CommandEnv env{*grid, ui_, program_dir_, changed_};
  Guarded([&] { command->run(env); });
  GridChanged(sheet, table);
  ShowChangeState();
}

void Session::Calculate(CalcCommand command) {
  const TablePage* page = FindTablePage(current_sheet_, current_table_);
  Grid* grid = page ? TableGridOf(*page) : nullptr;
  Grid none;
  CalcTarget target{current_sheet_, current_table_, current_class_};
  CalcResult result =
      RunCalculation(command, target, grid ? *grid : none, settings_, ui_, error_flags_);
  if (result.mark_changed) changed_ = true;
  if (result.computed) GridChanged(current_sheet_, current_table_);
  ShowChangeState();
}

void Session::RunSchoolPlausi(const TablePage& page) {
  Grid* grid = TableGridOf(page);
  if (grid == nullptr) return;
  std::optional<PlausiReport> report =
      tabulon::RunSchoolPlausi(page.table, *grid, error_flags_, settings_.log_all_tests != 0);
  if (!report) return;
  if (view_)
    view_->CurrentCellMoved(page.sheet, page.table, grid->CurrentCol(), grid->CurrentRow());
  if (!report->window) {
    ui_.Message(MessageKind::kInformation, kTestPassedMessage);
    return;
  }
  std::optional<std::size_t> chosen = plausi_window_ ? plausi_window_(*report) : std::nullopt;
  if (!chosen || *chosen >= report->places.size()) return;
  const FindingPlace& place = report->places[*chosen];
  if (place.col < 0) return;
  grid->SetCurrentCell(place.col, place.row);
  grid->RequestFocus();
  if (view_) view_->CurrentCellMoved(page.sheet, page.table, place.col, place.row);
}

}  // namespace tabulon

// The class-wide tests as the desktop program starts them: the current table is saved, then the
// class's stored tables are tested one after the other.
#include "app/class_wide_run.h"
#include "app/session.h"
#include "plausi/catalogue.h"

namespace tabulon {
namespace {

constexpr char kChooseClass[] = "Sie müssen für diesen Test\reine Klasse auswählen!";
constexpr char kClassesOnly[] = "Test nur für Klassen vorgesehen!";
constexpr char kNoClassChosen[] = "Keine Klasse ausgewählt oder vorhanden!";

}  // namespace

void Session::RunClassSummaryTest() {
  if (current_class_.empty() || current_class_ == kNoClass || selected_class_index_ < 0) {
    ui_.Message(MessageKind::kError, kChooseClass);
    return;
  }
  FileSave();
  Guarded([&] {
    const ClassSummaryReport r =
        RunClassSummary(StoredClassTables(settings_, paths_, current_class_, ui_), settings_,
                        current_class_, settings_.log_all_tests != 0);
    error_flags_ = r.flags;
    if (!r.report.window) {
      ui_.Message(MessageKind::kInformation, kTestPassedMessage);
      return;
    }
    std::optional<std::size_t> chosen = plausi_window_ ? plausi_window_(r.report) : std::nullopt;
    if (!chosen || *chosen >= r.findings.size()) return;
    // A finding of the table shown moves its current cell; others name their table in the list.
    const TableFinding& f = r.findings[*chosen];
    if (f.place.col < 0 || current_sheet_ != Sheet::kClass || f.table != current_table_) return;
    const TablePage* page = FindTablePage(Sheet::kClass, f.table);
    Grid* grid = page ? TableGridOf(*page) : nullptr;
    if (grid == nullptr) return;
    grid->SetCurrentCell(f.place.col, f.place.row);
    grid->RequestFocus();
    if (view_) view_->CurrentCellMoved(Sheet::kClass, f.table, f.place.col, f.place.row);
  });
  ShowChangeState();
}

void Session::RunClassFootnoteTest() {
  if (current_class_.empty() || current_class_ == kNoClass || selected_class_index_ < 0) {
    ui_.Message(MessageKind::kError, kChooseClass);
    return;
  }
  FileSave();
  Guarded([&] {
    const ClassRunReport r = RunClassFootnotes(
        StoredClassTables(settings_, paths_, current_class_, ui_), settings_.log_all_tests != 0);
    error_flags_ = r.flags;
    if (!r.report.window) {
      ui_.Message(MessageKind::kInformation, kTestPassedMessage);
      return;
    }
    if (plausi_window_) plausi_window_(r.report);
  });
  ShowChangeState();
}

void Session::ClassToolTest(bool summary) {
  if (current_sheet_ != Sheet::kClass) {
    ui_.Message(MessageKind::kInformation, kClassesOnly);
    return;
  }
  if (current_class_ == kNoClass) {
    ui_.Message(MessageKind::kInformation, kNoClassChosen);
    return;
  }
  if (summary) {
    RunClassSummaryTest();
  } else {
    RunClassFootnoteTest();
  }
}

}  // namespace tabulon

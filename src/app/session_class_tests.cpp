// The class-wide tests as the desktop program starts them: the current table is saved, then the
// class's stored tables are tested one after the other.
#include <optional>

#include "app/class_wide_run.h"
#include "app/registry.h"
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
  std::optional<TableFinding> chosen;
  Guarded([&] {
    const ClassSummaryReport r =
        RunClassSummary(StoredClassTables(settings_, paths_, current_class_, ui_), settings_,
                        current_class_, settings_.log_all_tests != 0);
    error_flags_ = r.flags;
    if (!r.report.window) {
      ui_.Message(MessageKind::kInformation, kTestPassedMessage);
      return;
    }
    const std::optional<std::size_t> index =
        plausi_window_ ? plausi_window_(r.report) : std::nullopt;
    if (index && *index < r.findings.size()) chosen = r.findings[*index];
  });
  ShowChangeState();
  if (!chosen) return;
  // The finding's table is shown as a click on its page shows it: the table shown is saved first,
  // and a table that cannot be written stays where it is.
  if (current_sheet_ != Sheet::kClass || current_table_ != chosen->table) {
    const int inner = PagePositionOf(Sheet::kClass, chosen->table);
    int top = -1;
    for (int i = 0; i < kSheetCount; ++i) {
      if (SheetAt(i) == Sheet::kClass) top = i;
    }
    if (inner < 0 || top < 0 || !PageChanged(top, inner)) return;
    if (view_) view_->PagesChanged();
  }
  if (chosen->place.col >= 0) {
    MoveToFinding(Sheet::kClass, chosen->table, chosen->place.col, chosen->place.row);
  }
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

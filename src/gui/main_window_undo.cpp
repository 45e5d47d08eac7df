#include <QUndoStack>

#include "gui/grid_view.h"
#include "gui/main_window.h"
#include "gui/table_undo.h"

namespace tabulon::gui {

void MainWindow::RunTableCommand(const char* text, const std::function<void()>& run) {
  const Sheet sheet = session_->current_sheet();
  const int table = session_->current_table();
  const TablePage* page = SheetIndex(sheet) < kSheetCount ? FindTablePage(sheet, table) : nullptr;
  GridView* view = page ? TableViewOf(sheet, table) : nullptr;
  if (view == nullptr) return run();
  std::vector<GridState> before = CaptureGrids(store_, *page);
  keep_history_ = true;
  run();
  keep_history_ = false;
  // A command that ended on another table (a reload after a class change) leaves no step.
  if (session_->current_sheet() != sheet || session_->current_table() != table) return;
  PushTableStep(*view->undo_stack(), QString::fromUtf8(text), store_, std::move(before),
                [this](const std::vector<std::string>& written) {
                  for (const std::string& definition : written) {
                    if (GridView* v = GridViewOf(definition)) v->Rebuilt(/*new_history=*/false);
                  }
                  session_->CellEdited();
                });
}

void MainWindow::Calculate(CalcCommand command) {
  RunTableCommand("Berechnen", [this, command] { session_->Calculate(command); });
}

}  // namespace tabulon::gui

// The session's part in the whole-school check: it saves the table shown before the stored
// files are checked, and puts the current cell on a finding the person picks.
#include "app/session.h"
#include "files/files.h"

namespace tabulon {

bool Session::SaveForWholeCheck() {
  if (settings_.IsReadOnly() || dst_nr_refused_ || current_sheet_ == Sheet::kQuick) return true;
  return Guarded([&] {
    RecomputeCurrent();
    SaveTable(current_sheet_, current_table_);
  });
}

void Session::MoveToFinding(Sheet sheet, int table, int col, int row) {
  if (sheet != current_sheet_ || table != current_table_) return;
  const TablePage* page = FindTablePage(sheet, table);
  if (page == nullptr) return;
  Grid* grid = TableGridOf(*page);
  if (grid == nullptr) return;
  if (col >= 0 && col < grid->ColCount() && row >= 0 && row < grid->RowCount()) {
    grid->SetCurrentCell(col, row);
  }
  grid->RequestFocus();
  if (view_) view_->CurrentCellMoved(sheet, table, grid->CurrentCol(), grid->CurrentRow());
}

}  // namespace tabulon

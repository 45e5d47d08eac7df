// Undo of the commands that rework a whole table (row appends, sorts, calculations): the page's
// grids are copied before the command runs, and one undo step puts back what it changed.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "app/session_tables.h"
#include "sheets/sheet_def.h"

class QUndoStack;

namespace tabulon::gui {

struct GridState {
  std::string definition;
  Grid grid;
};

// The undo step's name of a page command that reworks the table, nullptr for any other.
const char* UndoTextOf(PageAction action);

// Copies of the grids a page shows, as they are now.
std::vector<GridState> CaptureGrids(GridStore& store, const TablePage& page);

// Pushes one step onto `stack` when the command changed any of the grids in `before` (cells,
// size or row heights); otherwise nothing. `shown` runs after each undo and redo with the
// definitions it wrote back, so that the window redraws them and marks the table changed.
// True when a step was pushed.
bool PushTableStep(QUndoStack& stack, const QString& text, GridStore& store,
                   std::vector<GridState> before,
                   std::function<void(const std::vector<std::string>&)> shown);

}  // namespace tabulon::gui

// What a screen reader learns about a grid: the toolkit's table with its headers, and for each
// data cell also whether it can be edited (the toolkit leaves that out).
#pragma once

class QAbstractItemView;
class QAccessibleInterface;

namespace tabulon::gui {

// The interface of a table view whose cells report "editable" exactly where typing changes them;
// nullptr while the toolkit's own interface for it is being made.
QAccessibleInterface* MakeGridAccessible(QAbstractItemView* view);

}  // namespace tabulon::gui

#include "gui/table_undo.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <utility>

namespace tabulon::gui {
namespace {

bool SameContent(const Grid& a, const Grid& b) {
  if (a.ColCount() != b.ColCount() || a.RowCount() != b.RowCount() ||
      a.FreeRowCount() != b.FreeRowCount()) {
    return false;
  }
  for (int r = 0; r < a.RowCount(); ++r) {
    if (a.RowHeight(r) != b.RowHeight(r)) return false;
    for (int c = 0; c < a.ColCount(); ++c) {
      if (a.Cell(c, r) != b.Cell(c, r)) return false;
    }
  }
  return true;
}

// The grids before and after a command; undo and redo copy one or the other back.
class TableCommand : public QUndoCommand {
 public:
  TableCommand(const QString& text, GridStore& store, std::vector<GridState> before,
               std::vector<GridState> after,
               std::function<void(const std::vector<std::string>&)> shown)
      : QUndoCommand(text),
        store_(store),
        before_(std::move(before)),
        after_(std::move(after)),
        shown_(std::move(shown)) {}

  void undo() override { Apply(before_); }
  void redo() override {
    // Pushing the step runs redo once: the command itself has already done it.
    if (first_redo_) {
      first_redo_ = false;
      return;
    }
    Apply(after_);
  }

 private:
  void Apply(const std::vector<GridState>& states) {
    std::vector<std::string> written;
    for (const GridState& s : states) {
      store_.GridOf(s.definition) = s.grid;
      written.push_back(s.definition);
    }
    if (shown_) shown_(written);
  }

  GridStore& store_;
  std::vector<GridState> before_;
  std::vector<GridState> after_;
  std::function<void(const std::vector<std::string>&)> shown_;
  bool first_redo_ = true;
};

}  // namespace

const char* UndoTextOf(PageAction action) {
  switch (action) {
    case PageAction::kAppendRow:
    case PageAction::kAppendRows:
      return "Zeilen anhängen";
    case PageAction::kSortRows:
      return "Sortieren";
    default:
      return nullptr;
  }
}

std::vector<GridState> CaptureGrids(GridStore& store, const TablePage& page) {
  std::vector<GridState> states;
  for (const PageGrid& g : page.grids) {
    states.push_back({std::string(g.definition), store.GridOf(g.definition)});
  }
  return states;
}

bool PushTableStep(QUndoStack& stack, const QString& text, GridStore& store,
                   std::vector<GridState> before,
                   std::function<void(const std::vector<std::string>&)> shown) {
  std::vector<GridState> changed_before;
  std::vector<GridState> after;
  for (GridState& s : before) {
    const Grid& now = store.GridOf(s.definition);
    if (SameContent(s.grid, now)) continue;
    after.push_back({s.definition, now});
    changed_before.push_back(std::move(s));
  }
  if (after.empty()) return false;
  stack.push(
      new TableCommand(text, store, std::move(changed_before), std::move(after), std::move(shown)));
  return true;
}

}  // namespace tabulon::gui

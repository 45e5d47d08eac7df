#include "gui/grid_accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QPointer>
#include <map>

namespace tabulon::gui {
namespace {

// The toolkit's own interface of a table view, made while no wrapper is wanted for it.
QObject* g_building = nullptr;

// Whether typing into the cell at (row, column) of the view changes it.
bool CellEditable(const QAbstractItemView* view, int row, int column) {
  if (view == nullptr || view->model() == nullptr || !view->isEnabled()) return false;
  if (view->editTriggers() == QAbstractItemView::NoEditTriggers) return false;
  const QModelIndex index = view->model()->index(row, column, view->rootIndex());
  return index.isValid() && (index.flags() & Qt::ItemIsEditable);
}

// One data cell: what the toolkit says about it, and whether it can be edited.
class CellAccessible : public QAccessibleInterface {
 public:
  CellAccessible(QAbstractItemView* view, QAccessible::Id inner) : view_(view), inner_(inner) {}

  QAccessibleInterface* inner() const { return QAccessible::accessibleInterface(inner_); }

  bool isValid() const override { return view_ && inner() && inner()->isValid(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return inner() ? inner()->window() : nullptr; }
  QAccessibleInterface* parent() const override {
    return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    return inner() ? inner()->text(t) : QString();
  }
  void setText(QAccessible::Text t, const QString& text) override {
    if (inner()) inner()->setText(t, text);
  }
  QRect rect() const override { return inner() ? inner()->rect() : QRect(); }
  QAccessible::Role role() const override { return inner() ? inner()->role() : QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessibleInterface* i = inner();
    if (i == nullptr) return {};
    QAccessible::State s = i->state();
    QAccessibleTableCellInterface* cell = i->tableCellInterface();
    const bool editable = cell && CellEditable(view_, cell->rowIndex(), cell->columnIndex());
    s.editable = editable;
    s.readOnly = !editable;
    return s;
  }
  // Headers, selection and actions are the toolkit's.
  void* interface_cast(QAccessible::InterfaceType type) override {
    return inner() ? inner()->interface_cast(type) : nullptr;
  }

 private:
  QPointer<QAbstractItemView> view_;
  QAccessible::Id inner_;
};

// A grid: the toolkit's table interface, whose data cells also say whether they can be edited.
class GridAccessible : public QAccessibleInterface, public QAccessibleTableInterface {
 public:
  GridAccessible(QAbstractItemView* view, QAccessibleInterface* inner)
      : view_(view), inner_(QAccessible::uniqueId(inner)) {}
  ~GridAccessible() override {
    DropCells();
    if (QAccessible::accessibleInterface(inner_)) QAccessible::deleteAccessibleInterface(inner_);
  }

  QAccessibleInterface* inner() const { return QAccessible::accessibleInterface(inner_); }
  QAccessibleTableInterface* table() const { return inner() ? inner()->tableInterface() : nullptr; }

  // ---- QAccessibleInterface: the toolkit's answers, with cells replaced by ours.
  bool isValid() const override { return view_ && inner() && inner()->isValid(); }
  QObject* object() const override { return view_.data(); }
  QWindow* window() const override { return inner() ? inner()->window() : nullptr; }
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    return inner() ? inner()->relations(match)
                   : QList<QPair<QAccessibleInterface*, QAccessible::Relation>>();
  }
  QAccessibleInterface* focusChild() const override {
    return Wrap(inner() ? inner()->focusChild() : nullptr);
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    return Wrap(inner() ? inner()->childAt(x, y) : nullptr);
  }
  QAccessibleInterface* parent() const override { return inner() ? inner()->parent() : nullptr; }
  QAccessibleInterface* child(int index) const override {
    return Wrap(inner() ? inner()->child(index) : nullptr);
  }
  int childCount() const override { return inner() ? inner()->childCount() : 0; }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (inner() == nullptr || child == nullptr) return -1;
    if (const auto* cell = dynamic_cast<const CellAccessible*>(child)) child = cell->inner();
    return child ? inner()->indexOfChild(child) : -1;
  }
  QString text(QAccessible::Text t) const override {
    return inner() ? inner()->text(t) : QString();
  }
  void setText(QAccessible::Text t, const QString& text) override {
    if (inner()) inner()->setText(t, text);
  }
  QRect rect() const override { return inner() ? inner()->rect() : QRect(); }
  QAccessible::Role role() const override { return inner() ? inner()->role() : QAccessible::Table; }
  QAccessible::State state() const override {
    return inner() ? inner()->state() : QAccessible::State();
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return inner() ? inner()->interface_cast(type) : nullptr;
  }

  // ---- QAccessibleTableInterface
  QAccessibleInterface* caption() const override { return table() ? table()->caption() : nullptr; }
  QAccessibleInterface* summary() const override { return table() ? table()->summary() : nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    return Wrap(table() ? table()->cellAt(row, column) : nullptr);
  }
  int selectedCellCount() const override { return table() ? table()->selectedCellCount() : 0; }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> out;
    if (table()) {
      for (QAccessibleInterface* cell : table()->selectedCells()) out << Wrap(cell);
    }
    return out;
  }
  QString columnDescription(int column) const override {
    return table() ? table()->columnDescription(column) : QString();
  }
  QString rowDescription(int row) const override {
    return table() ? table()->rowDescription(row) : QString();
  }
  int selectedColumnCount() const override { return table() ? table()->selectedColumnCount() : 0; }
  int selectedRowCount() const override { return table() ? table()->selectedRowCount() : 0; }
  int columnCount() const override { return table() ? table()->columnCount() : 0; }
  int rowCount() const override { return table() ? table()->rowCount() : 0; }
  QList<int> selectedColumns() const override {
    return table() ? table()->selectedColumns() : QList<int>();
  }
  QList<int> selectedRows() const override {
    return table() ? table()->selectedRows() : QList<int>();
  }
  bool isColumnSelected(int column) const override {
    return table() && table()->isColumnSelected(column);
  }
  bool isRowSelected(int row) const override { return table() && table()->isRowSelected(row); }
  bool selectColumn(int column) override { return table() && table()->selectColumn(column); }
  bool selectRow(int row) override { return table() && table()->selectRow(row); }
  bool unselectColumn(int column) override { return table() && table()->unselectColumn(column); }
  bool unselectRow(int row) override { return table() && table()->unselectRow(row); }
  void modelChange(QAccessibleTableModelChangeEvent* event) override {
    // The toolkit renumbers or drops its cells; ours are made anew when asked for.
    DropCells();
    if (table()) table()->modelChange(event);
  }

 private:
  // Our interface for one of the toolkit's children: data cells wrapped, headers as they are.
  QAccessibleInterface* Wrap(QAccessibleInterface* cell) const {
    if (cell == nullptr || cell->role() != QAccessible::Cell) return cell;
    const QAccessible::Id inner_id = QAccessible::uniqueId(cell);
    auto it = cells_.find(inner_id);
    if (it != cells_.end()) {
      if (QAccessibleInterface* known = QAccessible::accessibleInterface(it->second)) return known;
    }
    auto* wrapped = new CellAccessible(view_, inner_id);
    cells_[inner_id] = QAccessible::registerAccessibleInterface(wrapped);
    return wrapped;
  }
  void DropCells() {
    for (const auto& [inner_id, id] : cells_) {
      if (QAccessible::accessibleInterface(id)) QAccessible::deleteAccessibleInterface(id);
    }
    cells_.clear();
  }

  QPointer<QAbstractItemView> view_;
  QAccessible::Id inner_;
  mutable std::map<QAccessible::Id, QAccessible::Id> cells_;  // toolkit's cell -> ours
};

}  // namespace

QAccessibleInterface* MakeGridAccessible(QAbstractItemView* view) {
  if (view == nullptr || g_building == view) return nullptr;
  // The toolkit's table interface for the view, made (and registered) while our factory stands
  // aside; ours then takes the view's place and owns it.
  g_building = view;
  QAccessibleInterface* inner = QAccessible::queryAccessibleInterface(view);
  g_building = nullptr;
  if (inner == nullptr || inner->tableInterface() == nullptr) return nullptr;
  return new GridAccessible(view, inner);
}

}  // namespace tabulon::gui

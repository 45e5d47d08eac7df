// A statistics grid on screen: the core's grid model behind a table view. The fixed header row
// and label columns become the view's headers, so they stay in sight while scrolling and cannot
// be edited; every edit goes to the grid and is reported, so the session knows of it.
#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QValidator>
#include <functional>

#include "app/paste.h"
#include "tables/grid.h"

class QUndoStack;

namespace tabulon::gui {

// How much larger than designed the text of `font` is (1 or more): the factor by which sizes
// given in pixels grow, so that a large font is not cut.
double TextScale(const QFont& font);

// Refuses what would split a field in the data file (";", tab, line breaks) and characters the
// data files' code page cannot hold, so nothing typed is lost or changed silently.
class CellValidator : public QValidator {
  Q_OBJECT
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
  // The short hint the status line shows for a refused text, or "" when it is fine.
  static QString RefusalHint(const QString& text);
 signals:
  void Refused(const QString& hint) const;
};

class GridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit GridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
  void SetGrid(Grid* grid);
  Grid* grid() const { return grid_; }
  void Rebuilt();
  // Writes cells (grid coordinates) and reports one edit: a paste or an undo marks the table
  // changed once.
  void ApplyWrites(const std::vector<CellWrite>& writes);
  // When set, every edit goes through it instead of straight into the grid (the view's undo).
  void SetWriteHook(std::function<void(std::vector<CellWrite>)> hook) {
    write_hook_ = std::move(hook);
  }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 signals:
  void CellEdited(int col, int row);

 private:
  Grid* grid_ = nullptr;
  std::function<void(std::vector<CellWrite>)> write_hook_;
};

class GridView : public QTableView {
  Q_OBJECT
 public:
  explicit GridView(QWidget* parent = nullptr);
  GridModel* grid_model() const { return model_; }
  void SetGrid(Grid* grid) {
    model_->SetGrid(grid);
    ApplyLayout();
  }
  // After the grid was set up or loaded again: sizes, colours, current cell. A table shown anew
  // starts a new history; a command's own rebuild or its undo keeps it.
  void Rebuilt(bool new_history = true);
  // Moves the current cell to a grid cell (grid coordinates).
  void GoToCell(int col, int row);
  // Commits and closes an open cell editor.
  void CommitEdit();
  void SetOpenEditor(QWidget* editor) { open_editor_ = editor; }
  // Shows the grid's current cell as current, and takes the focus when the grid asked for it.
  void ShowCurrentCell();
  // The text of the top-left corner: the fixed cells of the header row.
  QString CornerText() const;
  // Pastes a tab-separated block at the current cell as one undo step; a refused block changes
  // nothing and is reported through PasteRefused.
  void PasteText(const QString& text);
  QUndoStack* undo_stack() const { return undo_; }
  // Moves the keyboard focus to the control after (before) the grid.
  void LeaveGrid(bool forward);
  // Whether Tab (forward) or Shift+Tab would run past the last (first) cell.
  bool AtEdge(bool forward) const;

 signals:
  void HintChanged(const QString& hint);
  void PasteRefused(const QString& message);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Tab moves from cell to cell; from the last cell (Shift+Tab: the first) and with Ctrl it
  // leaves the grid, so that the keyboard is never caught in it.
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  void ApplyLayout();
  void Write(std::vector<CellWrite> writes, const QString& what);
  GridModel* model_;
  QPointer<QWidget> open_editor_;
  QUndoStack* undo_;
};

}  // namespace tabulon::gui

#include "gui/grid_view.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpression>
#include <QStyleOptionHeader>
#include <QUndoCommand>
#include <QUndoStack>
#include <cmath>

#include "gui/qt_text.h"
#include "text/encoding.h"

namespace tabulon::gui {
namespace {

// The grids' widths and heights are made for text this many pixels high; a larger font (a
// person's setting) widens the columns and heightens the rows in step, so no text is cut.
constexpr double kDesignTextHeight = 15.0;

// The frame of the grid that has the keyboard focus.
const QColor kFocusFrame(0x00, 0x00, 0x80);

// What separates the words of a column title; compiled once, the headers ask on every paint.
const QRegularExpression& Blanks() {
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  return blanks;
}

int Scaled(int pixels, double scale) { return static_cast<int>(std::lround(pixels * scale)); }

QColor ColorOf(std::uint32_t rgb) {
  return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

class CellDelegate : public QStyledItemDelegate {
 public:
  CellDelegate(GridView* view) : QStyledItemDelegate(view), view_(view) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    // The grid's own background colour is for the cells around, not for the text being typed.
    if (editor) editor->setPalette(QApplication::palette(editor));
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      auto* validator = new CellValidator(line);
      QObject::connect(validator, &CellValidator::Refused, view_, &GridView::HintChanged);
      line->setValidator(validator);
    }
    view_->SetOpenEditor(editor);
    return editor;
  }
  // Ctrl+Tab leaves the grid from an open editor too; the editor keeps what was typed.
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      auto* editor = qobject_cast<QWidget*>(object);
      if (editor && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
          (key->modifiers() & Qt::ControlModifier)) {
        const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        view_->LeaveGrid(forward);
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  GridView* view_;
};

// One edit or paste of a grid: the cells before and after, written back and forth.
class CellsCommand : public QUndoCommand {
 public:
  CellsCommand(GridModel* model, std::vector<CellWrite> before, std::vector<CellWrite> after,
               const QString& text)
      : QUndoCommand(text), model_(model), before_(std::move(before)), after_(std::move(after)) {}
  void redo() override { model_->ApplyWrites(after_); }
  void undo() override { model_->ApplyWrites(before_); }

 private:
  GridModel* model_;
  std::vector<CellWrite> before_;
  std::vector<CellWrite> after_;
};

}  // namespace

double TextScale(const QFont& font) {
  return std::max(1.0, QFontMetrics(font).height() / kDesignTextHeight);
}

QString CellValidator::RefusalHint(const QString& text) {
  for (QChar c : text) {
    if (c == QLatin1Char(';'))
      return QStringLiteral("Das Zeichen \";\" ist in Zellen nicht erlaubt.");
    if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      return QStringLiteral("Tabulator und Zeilenwechsel sind in Zellen nicht erlaubt.");
    }
  }
  if (!text::FitsCp850(S(text))) {
    return QStringLiteral("Dieses Zeichen kann in den Datendateien nicht gespeichert werden.");
  }
  return {};
}

QValidator::State CellValidator::validate(QString& input, int& /*pos*/) const {
  QString hint = RefusalHint(input);
  if (hint.isEmpty()) return Acceptable;
  emit Refused(hint);
  return Invalid;
}

void GridModel::SetGrid(Grid* grid) {
  beginResetModel();
  grid_ = grid;
  endResetModel();
}

void GridModel::Rebuilt() {
  beginResetModel();
  endResetModel();
}

int GridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !grid_) return 0;
  return std::max(0, grid_->RowCount() - grid_->FixedRows());
}

int GridModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || !grid_) return 0;
  return std::max(0, grid_->ColCount() - grid_->FixedCols());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!grid_ || !index.isValid()) return {};
  const int col = index.column() + grid_->FixedCols();
  const int row = index.row() + grid_->FixedRows();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
      return Q(grid_->Cell(col, row));
    case Qt::BackgroundRole:
      return ColorOf(grid_->Background());
    default:
      return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!grid_ || !index.isValid() || role != Qt::EditRole) return false;
  const QString text = value.toString();
  if (!CellValidator::RefusalHint(text).isEmpty()) return false;
  const int col = index.column() + grid_->FixedCols();
  const int row = index.row() + grid_->FixedRows();
  std::string utf8 = S(text);
  if (grid_->Cell(col, row) == utf8) return true;
  if (write_hook_) {
    write_hook_({{col, row, std::move(utf8)}});
    return true;
  }
  ApplyWrites({{col, row, std::move(utf8)}});
  return true;
}

void GridModel::ApplyWrites(const std::vector<CellWrite>& writes) {
  if (!grid_ || writes.empty()) return;
  int top = writes[0].row, bottom = top, left = writes[0].col, right = left;
  for (const CellWrite& w : writes) {
    if (w.col >= grid_->ColCount() || w.row >= grid_->RowCount()) continue;
    grid_->SetCell(w.col, w.row, w.text);
    top = std::min(top, w.row);
    bottom = std::max(bottom, w.row);
    left = std::min(left, w.col);
    right = std::max(right, w.col);
  }
  emit dataChanged(index(top - grid_->FixedRows(), left - grid_->FixedCols()),
                   index(bottom - grid_->FixedRows(), right - grid_->FixedCols()),
                   {Qt::DisplayRole, Qt::EditRole});
  emit CellEdited(writes[0].col, writes[0].row);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (grid_ && orientation == Qt::Horizontal && role == Qt::TextAlignmentRole) {
    // A title with a word wider than its column shows its beginning rather than its middle.
    const int width =
        Scaled(grid_->ColWidth(section + grid_->FixedCols()), TextScale(QGuiApplication::font())) -
        8;
    const QFontMetrics fm(QGuiApplication::font());
    const QString title = headerData(section, orientation, Qt::DisplayRole).toString();
    for (const QString& word : title.split(Blanks())) {
      if (fm.horizontalAdvance(word) > width) {
        return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
      }
    }
    return static_cast<int>(Qt::AlignCenter | Qt::TextWordWrap);
  }
  // The tool tip repeats the whole text where the column is too narrow to show it.
  if (!grid_ ||
      (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != Qt::ToolTipRole)) {
    return {};
  }
  QStringList parts;
  if (orientation == Qt::Horizontal) {
    for (int r = 0; r < grid_->FixedRows(); ++r) {
      parts << Q(grid_->Cell(section + grid_->FixedCols(), r));
    }
    return parts.join(QLatin1Char('\n'));
  }
  for (int c = 0; c < grid_->FixedCols(); ++c) {
    QString t = Q(grid_->Cell(c, section + grid_->FixedRows())).trimmed();
    if (!t.isEmpty()) parts << t;
  }
  return parts.join(QStringLiteral("  "));
}

GridView::GridView(QWidget* parent)
    : QTableView(parent), model_(new GridModel(this)), undo_(new QUndoStack(this)) {
  setModel(model_);
  model_->SetWriteHook([this](std::vector<CellWrite> writes) {
    Write(std::move(writes), QStringLiteral("Zelle ändern"));
  });
  // Paste, undo and redo: by their keys and by the grid's context menu, named for screen readers.
  struct ViewAction {
    const char* name;
    const char* text;
    QKeySequence keys;
    std::function<void()> run;
  };
  const ViewAction view_actions[] = {
      {"GridPaste", "&Einfügen", QKeySequence::Paste,
       [this] { PasteText(QApplication::clipboard()->text()); }},
      {"GridUndo", "&Rückgängig", QKeySequence::Undo, [this] { undo_->undo(); }},
      {"GridRedo", "&Wiederholen", QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { undo_->redo(); }},
  };
  for (const ViewAction& va : view_actions) {
    auto* a = new QAction(QString::fromUtf8(va.text), this);
    a->setObjectName(QString::fromLatin1(va.name));
    a->setShortcut(va.keys);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    a->setToolTip(QString(a->text()).remove(QLatin1Char('&')));
    connect(a, &QAction::triggered, this, va.run);
    addAction(a);
  }
  // Room for the focus frame drawn by event().
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(2);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  setItemDelegate(new CellDelegate(this));
  setTabKeyNavigation(true);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                  QAbstractItemView::EditKeyPressed);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
  horizontalHeader()->setTextElideMode(Qt::ElideNone);
  // The person moves the current cell; the core's commands read it from the grid.
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            Grid* g = model_->grid();
            if (g && current.isValid()) {
              g->SetCurrentCell(current.column() + g->FixedCols(), current.row() + g->FixedRows());
            }
          });
  // The corner above the label columns shows what the fixed cells of the header row hold
  // ("Satzart 0", "SA 1", ...); the view's own corner button paints nothing there.
  if (auto* corner = findChild<QAbstractButton*>()) corner->installEventFilter(this);
}

QString GridView::CornerText() const {
  Grid* g = model_->grid();
  if (!g || g->FixedRows() < 1) return {};
  QStringList parts;
  for (int c = 0; c < g->FixedCols(); ++c) {
    QString t = Q(g->Cell(c, 0)).trimmed();
    if (!t.isEmpty() && !parts.contains(t)) parts << t;
  }
  return parts.join(QStringLiteral("  "));
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
  auto* corner = qobject_cast<QAbstractButton*>(watched);
  if (corner == nullptr || event->type() != QEvent::Paint) {
    return QTableView::eventFilter(watched, event);
  }
  QStyleOptionHeader option;
  option.initFrom(corner);
  option.rect = corner->rect();
  option.position = QStyleOptionHeader::OnlyOneSection;
  option.text = CornerText();
  option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  QPainter painter(corner);
  corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
  return true;
}

void GridView::ApplyLayout() {
  Grid* g = model_->grid();
  if (!g) return;
  const double scale = TextScale(font());
  // Column titles are longer than their columns are wide: they wrap onto up to four lines
  // instead of being cut at both ends; a column widens (up to twice) for a title's longest word.
  // The current column's title is drawn bold: measured so.
  QHeaderView* top = horizontalHeader();
  QFont bold = top->font();
  bold.setBold(true);
  const QFontMetrics fm(bold);
  int lines_height = fm.height();
  for (int c = g->FixedCols(); c < g->ColCount(); ++c) {
    const QString title =
        model_->headerData(c - g->FixedCols(), Qt::Horizontal, Qt::DisplayRole).toString();
    int width = Scaled(g->ColWidth(c), scale);
    int longest = 0;
    for (const QString& word : title.split(Blanks())) {
      longest = std::max(longest, fm.horizontalAdvance(word));
    }
    if (width > 0) width = std::max(width, std::min(longest + 10, 2 * width));
    top->resizeSection(c - g->FixedCols(), width);
    const QRect r = fm.boundingRect(QRect(0, 0, std::max(8, width - 8), 10000),
                                    Qt::AlignCenter | Qt::TextWordWrap, title);
    lines_height = std::max(lines_height, r.height());
  }
  for (int r = g->FixedRows(); r < g->RowCount(); ++r) {
    verticalHeader()->resizeSection(r - g->FixedRows(), Scaled(g->RowHeight(r), scale));
  }
  top->setFixedHeight(std::min(lines_height, 4 * fm.lineSpacing()) + 8);
  int label_width = 0;
  for (int c = 0; c < g->FixedCols(); ++c) label_width += g->ColWidth(c);
  if (label_width > 0) {
    // Row labels a little wider than their columns (the current one is bold) widen them rather
    // than being cut; long ones stay cut at twice the width and are shown whole as tool tips.
    label_width = Scaled(label_width, scale);
    int widest = 0;
    for (int r = 0; r < model_->rowCount(); ++r) {
      widest = std::max(
          widest,
          fm.horizontalAdvance(model_->headerData(r, Qt::Vertical, Qt::DisplayRole).toString()));
    }
    verticalHeader()->setFixedWidth(std::max(label_width, std::min(widest + 12, 2 * label_width)));
  }
  // The grid's colour behind its cells. A palette rather than a style sheet: a style sheet would
  // route every cell, header and scroll bar of the grid through the slow style-sheet painting.
  const QColor background = ColorOf(g->Background());
  if (palette().color(QPalette::Base) != background) {
    QPalette p = palette();
    p.setColor(QPalette::Base, background);
    setPalette(p);
  }
}

bool GridView::event(QEvent* event) {
  if (event->type() != QEvent::Paint) return QTableView::event(event);
  // A navy frame shows which grid has the focus, also where the background is yellow; without
  // the focus a thin grey line.
  QPainter painter(this);
  const QRect r = rect();
  const int w = frameWidth();
  const QColor outer = hasFocus() ? kFocusFrame : palette().color(QPalette::Mid);
  const QColor inner = hasFocus() ? kFocusFrame : palette().color(QPalette::Base);
  painter.fillRect(r, outer);
  painter.fillRect(r.adjusted(1, 1, -1, -1), inner);
  painter.fillRect(r.adjusted(w, w, -w, -w), palette().color(QPalette::Base));
  return true;
}

void GridView::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  update();
}

void GridView::focusOutEvent(QFocusEvent* event) {
  QTableView::focusOutEvent(event);
  update();
}

void GridView::Rebuilt(bool new_history) {
  if (new_history) undo_->clear();
  Grid* g = model_->grid();
  // The reset below moves the view's current cell; the grid's own stays as the core left it.
  const int col = g ? g->CurrentCol() : 0;
  const int row = g ? g->CurrentRow() : 0;
  model_->Rebuilt();
  ApplyLayout();
  if (g) g->SetCurrentCell(col, row);
  ShowCurrentCell();
  if (auto* corner = findChild<QAbstractButton*>()) {
    corner->setAccessibleName(CornerText());  // screen readers read what the corner shows
    corner->update();
  }
}

void GridView::CommitEdit() {
  QWidget* editor = open_editor_;
  // Hidden means closed; an editor on a page turned away from is merely not visible.
  if (editor == nullptr || editor->isHidden()) return;
  open_editor_ = nullptr;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridView::ShowCurrentCell() {
  Grid* g = model_->grid();
  if (!g) return;
  const int col = g->CurrentCol(), row = g->CurrentRow();
  QModelIndex index = model_->index(row - g->FixedRows(), col - g->FixedCols());
  if (index.isValid()) {
    setCurrentIndex(index);
    scrollTo(index);
  }
  g->SetCurrentCell(col, row);
  if (g->FocusRequested()) {
    g->ClearFocusRequest();
    setFocus();
  }
}

void GridView::GoToCell(int col, int row) {
  Grid* g = model_->grid();
  if (!g) return;
  g->SetCurrentCell(col, row);
  QModelIndex index = model_->index(row - g->FixedRows(), col - g->FixedCols());
  if (index.isValid()) {
    setCurrentIndex(index);
    scrollTo(index);
  }
  setFocus();
}

}  // namespace tabulon::gui

namespace tabulon::gui {

void GridView::Write(std::vector<CellWrite> writes, const QString& what) {
  Grid* g = model_->grid();
  if (!g || writes.empty()) return;
  std::vector<CellWrite> before;
  before.reserve(writes.size());
  for (const CellWrite& w : writes) before.push_back({w.col, w.row, g->Cell(w.col, w.row)});
  undo_->push(new CellsCommand(model_, std::move(before), std::move(writes), what));
}

void GridView::PasteText(const QString& text) {
  Grid* g = model_->grid();
  if (!g) return;
  CommitEdit();
  const PastePlan plan = PlanPaste(*g, g->CurrentCol(), g->CurrentRow(), S(text));
  if (!plan.refusal.empty()) {
    emit PasteRefused(Q(plan.refusal));
    return;
  }
  Write(plan.writes, QStringLiteral("Einfügen"));
  emit HintChanged(Q(plan.Hint()));
}

bool GridView::AtEdge(bool forward) const {
  const int rows = model_->rowCount(), cols = model_->columnCount();
  if (rows == 0 || cols == 0) return true;
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return false;
  return forward ? current.row() == rows - 1 && current.column() == cols - 1
                 : current.row() == 0 && current.column() == 0;
}

void GridView::LeaveGrid(bool forward) {
  // The widget's own chain, not the view's: the view would turn the step into a cell move.
  QWidget::focusNextPrevChild(forward);
}

bool GridView::focusNextPrevChild(bool next) {
  if (AtEdge(next)) return QWidget::focusNextPrevChild(next);
  return QTableView::focusNextPrevChild(next);
}

void GridView::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
      const bool forward = event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
      if (ctrl || AtEdge(forward)) {
        LeaveGrid(forward);
        event->accept();
        return;
      }
      break;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      // Ctrl+PgUp/PgDn switch tables; the window handles them.
      if (ctrl) {
        event->ignore();
        return;
      }
      break;
    case Qt::Key_Escape:
      // The window moves the focus to the page tabs.
      event->ignore();
      return;
    default:
      break;
  }
  QTableView::keyPressEvent(event);
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const bool step = hint == QAbstractItemDelegate::EditNextItem ||
                    hint == QAbstractItemDelegate::EditPreviousItem;
  const bool forward = hint == QAbstractItemDelegate::EditNextItem;
  if (step && AtEdge(forward)) {
    // Tab in the last cell's editor goes on to the next control instead of the first cell.
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    LeaveGrid(forward);
    return;
  }
  QTableView::closeEditor(editor, hint);
}

}  // namespace tabulon::gui

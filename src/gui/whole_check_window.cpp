#include "gui/whole_check_window.h"

#include <QAbstractItemModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "gui/qt_text.h"

namespace tabulon::gui {
namespace {

// The role that carries a finding's index on its row; group rows hold -1.
constexpr int kFindingRole = Qt::UserRole + 1;

}  // namespace

// The findings list as a tree of sheet, class and table groups over the findings themselves;
// the texts are made only for the rows a view asks for, so ten thousand findings show at once.
class FindingsModel : public QAbstractItemModel {
 public:
  using QAbstractItemModel::QAbstractItemModel;

  void Reset(const std::vector<WholeCheckFinding>* findings,
             const std::vector<FindingGroup>& groups) {
    beginResetModel();
    findings_ = findings;
    nodes_.assign(1, Node{});
    for (const FindingGroup& g : groups) Add(g, 0);
    endResetModel();
  }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override {
    const Node& p = nodes_[NodeOf(parent)];
    if (row < 0 || column < 0 || column >= kColumns || row >= static_cast<int>(p.children.size())) {
      return {};
    }
    return createIndex(row, column, static_cast<quintptr>(p.children[row]));
  }
  QModelIndex parent(const QModelIndex& child) const override {
    if (!child.isValid()) return {};
    const std::size_t p = nodes_[child.internalId()].parent;
    if (p == 0) return {};
    return createIndex(nodes_[p].row, 0, static_cast<quintptr>(p));
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    if (parent.column() > 0) return 0;
    return static_cast<int>(nodes_[NodeOf(parent)].children.size());
  }
  int columnCount(const QModelIndex&) const override { return kColumns; }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    static const char* const kHeaders[kColumns] = {"Fundstelle", "Nr.", "Prüfung", "Status",
                                                   "Zelle"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumns) {
      return {};
    }
    return QString::fromUtf8(kHeaders[section]);
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const Node& n = nodes_[index.internalId()];
    if (role == kFindingRole) return n.finding;
    if (role != Qt::DisplayRole) return {};
    if (n.finding < 0) return index.column() == 0 ? Q(n.caption) : QVariant();
    const WholeCheckFinding& f = (*findings_)[static_cast<std::size_t>(n.finding)];
    switch (index.column()) {
      case 0:
        return f.hint ? QStringLiteral("Hinweis") : QStringLiteral("Fehler");
      case 1:
        return f.entry > 0 ? QString::number(f.entry) : QString();
      case 2:
        return Q(f.entry_text);
      case 3:
        return Q(f.status_text);
      default:
        return f.col < 0 ? QString() : Q(f.column_header + "  |  " + f.row_label);
    }
  }

 private:
  static constexpr int kColumns = 5;
  struct Node {
    std::size_t parent = 0;
    int row = 0;
    qlonglong finding = -1;  // -1: a group
    std::string caption;
    std::vector<std::size_t> children;
  };
  std::size_t NodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<std::size_t>(index.internalId()) : 0;
  }
  std::size_t Append(std::size_t parent, Node node) {
    node.parent = parent;
    node.row = static_cast<int>(nodes_[parent].children.size());
    nodes_.push_back(std::move(node));
    nodes_[parent].children.push_back(nodes_.size() - 1);
    return nodes_.size() - 1;
  }
  void Add(const FindingGroup& g, std::size_t parent) {
    const std::size_t id = Append(parent, Node{0, 0, -1, g.caption, {}});
    for (std::size_t i : g.findings) {
      Append(id, Node{0, 0, static_cast<qlonglong>(i), {}, {}});
    }
    for (const FindingGroup& c : g.children) Add(c, id);
  }

  const std::vector<WholeCheckFinding>* findings_ = nullptr;
  std::vector<Node> nodes_{1};
};

WholeCheckWindow::WholeCheckWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("WholeCheckWindow"));
  setWindowTitle(QString::fromUtf8(kWholeCheckTitle));
  setModal(false);
  resize(900, 600);
  auto* layout = new QVBoxLayout(this);
  summary_ = new QLabel;
  summary_->setObjectName(QStringLiteral("WholeCheckSummary"));
  layout->addWidget(summary_);
  auto* filter = new QHBoxLayout;
  errors_only_ = new QRadioButton(QStringLiteral("nur &Fehler"));
  errors_only_->setObjectName(QStringLiteral("ErrorsOnly"));
  with_hints_ = new QRadioButton(QStringLiteral("auch &Hinweise"));
  with_hints_->setObjectName(QStringLiteral("WithHints"));
  errors_only_->setChecked(true);
  filter->addWidget(errors_only_);
  filter->addWidget(with_hints_);
  filter->addStretch();
  layout->addLayout(filter);
  model_ = new FindingsModel(this);
  tree_ = new QTreeView;
  tree_->setObjectName(QStringLiteral("WholeCheckFindings"));
  tree_->setAccessibleName(QStringLiteral("Fundstellen der Gesamtprüfung"));
  tree_->setModel(model_);
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree_->setUniformRowHeights(true);
  layout->addWidget(tree_, 1);
  auto* buttons = new QHBoxLayout;
  recheck_ = new QPushButton(QStringLiteral("&erneut prüfen"));
  recheck_->setObjectName(QStringLiteral("Recheck"));
  print_ = new QPushButton(QStringLiteral("&Drucken ..."));
  print_->setObjectName(QStringLiteral("PrintFindings"));
  auto* close = new QPushButton(QStringLiteral("&Schließen"));
  close->setObjectName(QStringLiteral("CloseFindings"));
  buttons->addWidget(recheck_);
  buttons->addWidget(print_);
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);

  connect(errors_only_, &QRadioButton::toggled, this, [this] { Rebuild(); });
  // A double-click activates a row as Enter does (or a single click, where the desktop says so).
  connect(tree_, &QTreeView::activated, this, [this](const QModelIndex& i) { Activated(i); });
  connect(recheck_, &QPushButton::clicked, this, [this] { emit RecheckRequested(); });
  connect(print_, &QPushButton::clicked, this, [this] { emit PrintRequested(); });
  connect(close, &QPushButton::clicked, this, [this] { hide(); });
}

QAbstractItemModel* WholeCheckWindow::model() const { return model_; }

void WholeCheckWindow::Show(WholeCheckResult result) {
  result_ = std::move(result);
  Rebuild();
}

void WholeCheckWindow::Rebuild() {
  findings_ = FindingsOf(result_, with_hints_->isChecked());
  model_->Reset(&findings_, GroupFindings(findings_));
  tree_->expandAll();
  // Fixed widths: measuring every row would make a long list slow to show.
  constexpr int kWidths[] = {260, 50, 300, 260, 300};
  for (int c = 0; c < 5; ++c) tree_->setColumnWidth(c, kWidths[c]);
  QString text;
  if (findings_.empty()) {
    text = QStringLiteral("Keine Fundstellen.");
  } else {
    text = QStringLiteral("%1 Fundstelle(n)").arg(findings_.size());
  }
  text += QStringLiteral(" – %1 von %2 Klassen geprüft")
              .arg(result_.classes_done)
              .arg(result_.classes_total);
  if (result_.cancelled) text += QStringLiteral(" (abgebrochen)");
  summary_->setText(text);
  setAccessibleDescription(text);  // read out with the window's title as it opens
  if (model_->rowCount() > 0) tree_->setCurrentIndex(model_->index(0, 0));
}

void WholeCheckWindow::Activated(const QModelIndex& index) {
  const qlonglong i = index.siblingAtColumn(0).data(kFindingRole).toLongLong();
  if (!index.isValid() || i < 0) return;
  ChooseFinding(static_cast<std::size_t>(i));
}

void WholeCheckWindow::ChooseFinding(std::size_t index) {
  if (index >= findings_.size()) return;
  const WholeCheckFinding& f = findings_[index];
  emit FindingChosen(f);
}

}  // namespace tabulon::gui

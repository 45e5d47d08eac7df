#include "gui/whole_check_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include "gui/qt_text.h"

namespace tabulon::gui {
namespace {

// The role that carries a finding's index on its row; group rows hold -1.
constexpr int kFindingRole = Qt::UserRole + 1;

}  // namespace

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
  model_ = new QStandardItemModel(this);
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
  connect(tree_, &QTreeView::activated, this, [this](const QModelIndex& i) { Activated(i); });
  connect(tree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& i) { Activated(i); });
  connect(recheck_, &QPushButton::clicked, this, [this] { emit RecheckRequested(); });
  connect(print_, &QPushButton::clicked, this, [this] { emit PrintRequested(); });
  connect(close, &QPushButton::clicked, this, [this] { hide(); });
}

void WholeCheckWindow::Show(WholeCheckResult result) {
  result_ = std::move(result);
  Rebuild();
}

void WholeCheckWindow::Rebuild() {
  findings_ = FindingsOf(result_, with_hints_->isChecked());
  model_->clear();
  model_->setHorizontalHeaderLabels({QStringLiteral("Fundstelle"), QStringLiteral("Nr."),
                                     QStringLiteral("Prüfung"), QStringLiteral("Status"),
                                     QStringLiteral("Zelle")});
  const std::vector<FindingGroup> groups = GroupFindings(result_, findings_);
  // Each group is built whole before it joins the model: rows added to an item outside the model
  // tell no view about themselves, so a list of ten thousand findings is laid out once, not once
  // per row.
  std::function<QStandardItem*(const FindingGroup&)> build = [&](const FindingGroup& g) {
    auto* item = new QStandardItem(Q(g.caption));
    item->setData(-1, kFindingRole);
    for (std::size_t i : g.findings) {
      const WholeCheckFinding& f = findings_[i];
      QList<QStandardItem*> row;
      row << new QStandardItem(f.hint ? QStringLiteral("Hinweis") : QStringLiteral("Fehler"))
          << new QStandardItem(QString::number(f.entry))
          << new QStandardItem(Q(f.entry_text).trimmed())
          << new QStandardItem(Q(f.status_text).trimmed())
          << new QStandardItem(f.col < 0 ? QString() : Q(f.column_header + "  |  " + f.row_label));
      // The finding's index on the row's first cell; a click on any cell reads it there.
      row.front()->setData(static_cast<qlonglong>(i), kFindingRole);
      item->appendRow(row);
    }
    for (const FindingGroup& c : g.children) item->appendRow(build(c));
    return item;
  };
  for (const FindingGroup& g : groups) model_->appendRow(build(g));
  tree_->expandAll();
  // Column widths from the rows in view: measuring thousands of rows would hold up the first
  // paint of a long list.
  tree_->header()->setResizeContentsPrecision(0);
  tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
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
  emit FindingChosen(result_.runs[f.run], f);
}

}  // namespace tabulon::gui

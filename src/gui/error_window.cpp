#include "gui/error_window.h"

#include <QColor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/print.h"
#include "gui/accessibility.h"
#include "gui/print_preview.h"
#include "gui/qt_text.h"

namespace tabulon::gui {
namespace {

struct ColourName {
  ProtocolColour colour;
  const char* css;
};
constexpr ColourName kColours[] = {
    {ProtocolColour::kBlack, "#000000"},
    {ProtocolColour::kGreen, "#008000"},
    {ProtocolColour::kRed, "#ff0000"},
    {ProtocolColour::kBlue, "#0000ff"},
};

QString CssOf(ProtocolColour c) {
  for (const ColourName& n : kColours) {
    if (n.colour == c) return QString::fromLatin1(n.css);
  }
  return QStringLiteral("#000000");
}

void Colour(QLineEdit* field, ProtocolColour c) {
  field->setStyleSheet(QStringLiteral("color: %1;").arg(CssOf(c)));
}

}  // namespace

QString SpokenProtocolLine(const ProtocolLine& line) {
  // The arrow in front of a result is for the eye; the ear gets the result's status instead.
  QString text = Q(line.text);
  const QString arrow = QStringLiteral("  --->  ");
  if (text.startsWith(arrow)) text = text.mid(arrow.size());
  switch (line.kind) {
    case ProtocolLineKind::kPassed:
      return QStringLiteral("bestanden: ") + text;
    case ProtocolLineKind::kFailed:
      return QStringLiteral("Fehler: ") + text;
    case ProtocolLineKind::kHint:
      return QStringLiteral("Hinweis: ") + text;
    case ProtocolLineKind::kHeading:
      break;
  }
  return text.trimmed();
}

ErrorWindow::ErrorWindow(ErrorWindowKind kind, QWidget* parent) : QDialog(parent), kind_(kind) {
  setObjectName(kind == ErrorWindowKind::kFehlerfenster ? QStringLiteral("TFehlerfenster")
                                                        : QStringLiteral("TFehlerAnzeigeAlle"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* protocol_label = new QLabel(QStringLiteral("Protokoll:"));
  // One line per entry: the arrow keys read the protocol line by line.
  protocol_ = new QListWidget;
  protocol_->setObjectName(QStringLiteral("protocol"));
  protocol_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  protocol_->setSelectionMode(QAbstractItemView::SingleSelection);
  protocol_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  protocol_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  protocol_label->setBuddy(protocol_);
  layout->addWidget(protocol_label);
  layout->addWidget(protocol_, 1);

  if (kind == ErrorWindowKind::kFehlerAnzeigeAlle) {
    auto* grid = new QGridLayout;
    for (int k = 0; k < kSummaryTableCount; ++k) {
      auto* label = new QLabel(QStringLiteral("Tabelle %1").arg(k, 2, 10, QLatin1Char('0')));
      auto* field = new QLineEdit;
      field->setReadOnly(true);
      label->setBuddy(field);
      statuses_.push_back(field);
      grid->addWidget(label, k % 5, (k / 5) * 2);
      grid->addWidget(field, k % 5, (k / 5) * 2 + 1);
    }
    layout->addLayout(grid);
  }

  auto* verdict_row = new QHBoxLayout;
  verdict_label_ =
      new QLabel(kind == ErrorWindowKind::kFehlerfenster ? QStringLiteral("Ergebnis:")
                                                         : QStringLiteral("Gesamtergebnis:"));
  verdict_ = new QLineEdit(QStringLiteral("Prüfung läuft !!!"));
  verdict_->setObjectName(QStringLiteral("verdict"));
  verdict_->setReadOnly(true);
  verdict_label_->setBuddy(verdict_);
  verdict_row->addWidget(verdict_label_);
  verdict_row->addWidget(verdict_, 1);
  layout->addLayout(verdict_row);

  auto* buttons = new QHBoxLayout;
  auto* start = new QPushButton(QStringLiteral("Test jetzt starten"));
  start->hide();
  findings_button_ = new QPushButton(QStringLiteral("Fundstellen …"));
  findings_button_->setToolTip(
      QStringLiteral("jede Fundstelle des Tests anzeigen und hinspringen"));
  auto* close = new QPushButton(QStringLiteral("Beenden"));
  close->setDefault(true);
  print_button_ = new QPushButton(QStringLiteral("&Drucken..."));
  print_button_->setObjectName(QStringLiteral("ProtocolPrint"));
  print_button_->setToolTip(
      QStringLiteral("Protokoll und Fundstellen drucken oder als PDF speichern"));
  buttons->addWidget(start);
  buttons->addWidget(findings_button_);
  buttons->addWidget(print_button_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  NameControlsByTheirLabels(this);
  // The designed size, or more where a large font needs more room.
  setFixedSize(QSize(458, 432).expandedTo(sizeHint()));
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(findings_button_, &QPushButton::clicked, this, &ErrorWindow::ShowFindings);
  connect(print_button_, &QPushButton::clicked, this, [this] {
    PrintPreview preview(ProtocolDocument(protocol_copy_, findings_), this);
    preview.exec();
  });
}

void ErrorWindow::Show(const ErrorProtocol& protocol, std::vector<FindingPlace> findings) {
  findings_ = std::move(findings);
  protocol_copy_ = protocol;
  chosen_.reset();
  setWindowTitle(Q(protocol.caption));
  protocol_->clear();
  for (const ProtocolLine& line : protocol.lines) {
    auto* item = new QListWidgetItem(Q(line.text), protocol_);
    item->setForeground(QColor(CssOf(line.colour)));
    item->setData(Qt::AccessibleTextRole, SpokenProtocolLine(line));
  }
  if (protocol_->count() > 0) protocol_->setCurrentRow(0);
  verdict_->setText(Q(protocol.verdict));
  // A screen reader announces the window with its title and this description as it opens.
  setAccessibleDescription(verdict_label_->text() + QLatin1Char(' ') + Q(protocol.verdict));
  Colour(verdict_, protocol.verdict_colour);
  for (std::size_t k = 0; k < statuses_.size() && k < protocol.statuses.size(); ++k) {
    statuses_[k]->setText(Q(protocol.statuses[k].text));
    Colour(statuses_[k], protocol.statuses[k].colour);
  }
  findings_button_->setEnabled(!findings_.empty());
}

QStringList ErrorWindow::FindingTexts() const {
  // The same lines as the printed findings list.
  QStringList out;
  for (const std::string& line : FindingLines(findings_)) out << Q(line);
  return out;
}

void ErrorWindow::ChooseFinding(std::size_t index) {
  // A finding about no single cell has nowhere to go, unless it names its table; the list stays
  // open.
  if (index >= findings_.size()) return;
  if (findings_[index].col < 0 && findings_[index].table.empty()) return;
  chosen_ = index;
}

void ErrorWindow::ShowFindings() {
  QDialog list_dialog(this);
  list_dialog.setObjectName(QStringLiteral("FindingsDialog"));
  list_dialog.setWindowTitle(QStringLiteral("Fundstellen"));
  auto* layout = new QVBoxLayout(&list_dialog);
  auto* list = new QListWidget;
  list->setObjectName(QStringLiteral("findings"));
  list->addItems(FindingTexts());
  auto* label = new QLabel(QStringLiteral("&Doppelklick (oder Eingabetaste) springt zur Zelle:"));
  label->setBuddy(list);
  layout->addWidget(label);
  layout->addWidget(list);
  NameControlsByTheirLabels(&list_dialog);
  connect(list, &QListWidget::itemActivated, &list_dialog, [&](QListWidgetItem* item) {
    ChooseFinding(static_cast<std::size_t>(list->row(item)));
    if (chosen_) list_dialog.accept();
  });
  list_dialog.resize(560, 320);
  if (list_dialog.exec() == QDialog::Accepted && chosen_) accept();
}

}  // namespace tabulon::gui

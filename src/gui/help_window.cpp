#include "gui/help_window.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include "gui/qt_text.h"

namespace tabulon::gui {
namespace {

QString PlainTextOf(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QTextDocument doc;
  doc.setHtml(QString::fromUtf8(f.readAll()));
  return doc.toPlainText();
}

QString TitleOf(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  static const QRegularExpression kTitle(QStringLiteral("<title>(.*)</title>"));
  auto m = kTitle.match(QString::fromUtf8(f.readAll()));
  return m.hasMatch() ? m.captured(1) : QFileInfo(file).baseName();
}

}  // namespace

HelpWindow::HelpWindow(std::filesystem::path help_dir, QWidget* parent)
    : QWidget(parent, Qt::Window), help_dir_(std::move(help_dir)) {
  setWindowTitle(QStringLiteral("Tabulon BS - Hilfe"));
  resize(900, 650);
  auto* side = new QVBoxLayout;
  auto* label = new QLabel(QStringLiteral("Suchen nach:"));
  search_ = new QLineEdit;
  search_->setObjectName(QStringLiteral("helpSearch"));
  label->setBuddy(search_);
  results_ = new QListWidget;
  results_->setObjectName(QStringLiteral("helpResults"));
  side->addWidget(label);
  side->addWidget(search_);
  side->addWidget(results_);
  browser_ = new QTextBrowser;
  browser_->setObjectName(QStringLiteral("helpBrowser"));
  browser_->setSearchPaths({Q(help_dir_.string())});
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(side, 1);
  layout->addWidget(browser_, 3);
  connect(search_, &QLineEdit::returnPressed, this, &HelpWindow::RunSearch);
  connect(search_, &QLineEdit::textChanged, this, &HelpWindow::RunSearch);
  connect(results_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    browser_->setSource(QUrl(item->data(Qt::UserRole).toString()));
  });
  connect(results_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    browser_->setSource(QUrl(item->data(Qt::UserRole).toString()));
  });
}

void HelpWindow::ShowTopic(const QString& topic) {
  if (topic == QStringLiteral("suche")) {
    show();
    raise();
    search_->setFocus();
    search_->selectAll();
    return;
  }
  browser_->setSource(QUrl(topic == QStringLiteral("inhalt") ? QStringLiteral("inhalt.html")
                                                             : QStringLiteral("index.html")));
  show();
  raise();
}

QStringList HelpWindow::Search(const QString& query) const {
  QStringList words = query.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  QStringList hits;
  if (words.isEmpty()) return hits;
  QDir dir(Q(help_dir_.string()));
  for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
    QString text = PlainTextOf(dir.filePath(name));
    bool all = true;
    for (const QString& w : words) all = all && text.contains(w, Qt::CaseInsensitive);
    if (all) hits << name;
  }
  return hits;
}

void HelpWindow::RunSearch() {
  results_->clear();
  QDir dir(Q(help_dir_.string()));
  for (const QString& name : Search(search_->text())) {
    auto* item = new QListWidgetItem(TitleOf(dir.filePath(name)), results_);
    item->setData(Qt::UserRole, name);
  }
}

}  // namespace tabulon::gui

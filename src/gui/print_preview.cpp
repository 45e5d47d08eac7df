#include "gui/print_preview.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include "files/files.h"
#include "gui/qt_text.h"

namespace tabulon::gui {

void PaintDocument(const PrintDocument& doc, QPrinter& printer) {
  QPainter painter(&printer);
  if (!painter.isActive()) return;
  // One unit is one point from the paper's top left corner.
  const double scale = printer.resolution() / 72.0;
  for (std::size_t i = 0; i < doc.pages.size(); ++i) {
    if (i > 0) printer.newPage();
    painter.resetTransform();
    painter.scale(scale, scale);
    painter.setPen(QPen(Qt::black, 0.5));
    for (const PrintLine& l : doc.pages[i].lines) {
      painter.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
    }
    for (const PrintText& t : doc.pages[i].texts) {
      QFont font(QStringLiteral("Courier"));
      font.setStyleHint(QFont::TypeWriter);
      font.setFixedPitch(true);
      // The painter already scales points to device pixels.
      font.setPointSizeF(t.size * 72.0 / printer.resolution());
      font.setBold(t.bold);
      painter.setFont(font);
      painter.drawText(QPointF(t.x, t.baseline), Q(t.text));
    }
  }
}

PrintPreview::PrintPreview(PrintDocument document, QWidget* parent)
    : QDialog(parent), document_(std::move(document)), printer_(new QPrinter) {
  setObjectName(QStringLiteral("PrintPreview"));
  setWindowTitle(QStringLiteral("Druckvorschau: ") + Q(document_.title));
  printer_->setFullPage(true);
  printer_->setPageSize(QPageSize(QPageSize::A4));
  printer_->setPageOrientation(document_.width > document_.height ? QPageLayout::Landscape
                                                                  : QPageLayout::Portrait);
  printer_->setDocName(Q(document_.title));
  auto* layout = new QVBoxLayout(this);
  preview_ = new QPrintPreviewWidget(printer_, this);
  preview_->setAccessibleName(QStringLiteral("Druckvorschau"));
  connect(preview_, &QPrintPreviewWidget::paintRequested, this,
          [this](QPrinter* p) { PaintDocument(document_, *p); });
  layout->addWidget(preview_, 1);

  note_ = new QLabel;
  note_->setObjectName(QStringLiteral("PrinterNote"));
  layout->addWidget(note_);
  auto* buttons = new QHBoxLayout;
  print_ = new QPushButton(QStringLiteral("&Drucken..."));
  print_->setObjectName(QStringLiteral("PrintButton"));
  pdf_ = new QPushButton(QStringLiteral("Als &PDF speichern..."));
  pdf_->setObjectName(QStringLiteral("PdfButton"));
  pdf_->setAccessibleName(QStringLiteral("Als PDF speichern"));
  auto* close = new QPushButton(QStringLiteral("&Schließen"));
  buttons->addWidget(print_);
  buttons->addWidget(pdf_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(print_, &QPushButton::clicked, this, &PrintPreview::Print);
  connect(pdf_, &QPushButton::clicked, this, &PrintPreview::AskAndSavePdf);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  if (QPrinterInfo::availablePrinters().isEmpty()) {
    const QString why = QStringLiteral(
        "Kein Drucker eingerichtet: Drucken ist nicht möglich. Die Vorschau und \"Als PDF "
        "speichern\" gehen trotzdem.");
    print_->setEnabled(false);
    print_->setToolTip(why);
    print_->setAccessibleDescription(why);
    note_->setText(why);
  } else {
    note_->hide();
  }
  resize(900, 700);
}

PrintPreview::~PrintPreview() {
  delete preview_;
  delete printer_;
}

void PrintPreview::Print() {
  QPrintDialog dialog(printer_, this);
  if (dialog.exec() == QDialog::Accepted) PaintDocument(document_, *printer_);
}

bool PrintPreview::SavePdf(const QString& file) {
  try {
    WriteFileAtomic(S(file), document_.pdf);
    return true;
  } catch (const FileError& e) {
    QString text = Q(e.Message());
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox::critical(this, QStringLiteral("Fehler"), text);
    return false;
  }
}

void PrintPreview::AskAndSavePdf() {
  const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Als PDF speichern"),
                                                    QDir::home().filePath(Q(document_.pdf_name)),
                                                    QStringLiteral("PDF-Dateien (*.pdf)"));
  if (!file.isEmpty()) SavePdf(file);
}

}  // namespace tabulon::gui

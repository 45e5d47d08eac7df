// The print preview of a laid-out document: the pages as they will be printed, a button to print
// them (disabled, with the reason, where no printer is set up) and one to save them as PDF.
#pragma once

#include <QDialog>

#include "base/print_document.h"

class QLabel;
class QPrinter;
class QPushButton;
class QPrintPreviewWidget;

namespace tabulon::gui {

// Paints the document's pages on a printer (or the preview's printer), one page each.
void PaintDocument(const PrintDocument& document, QPrinter& printer);

class PrintPreview : public QDialog {
  Q_OBJECT
 public:
  PrintPreview(PrintDocument document, QWidget* parent = nullptr);
  ~PrintPreview() override;
  QPushButton* print_button() const { return print_; }
  QPushButton* pdf_button() const { return pdf_; }
  QLabel* printer_note() const { return note_; }
  // Writes the PDF to a file; false after an error box.
  bool SavePdf(const QString& file);

 private:
  void Print();
  void AskAndSavePdf();

  PrintDocument document_;
  QPrinter* printer_;
  QPrintPreviewWidget* preview_;
  QPushButton* print_;
  QPushButton* pdf_;
  QLabel* note_;
};

}  // namespace tabulon::gui

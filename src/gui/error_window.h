// The windows that report a test run: the single run's window and the summary window of all
// tests of a class. They render a protocol the core built; the findings list lets the person jump
// from a failed check straight to the cell it concerns.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "plausi/protocol.h"

class QTextEdit;
class QLineEdit;
class QPushButton;
class QLabel;

namespace tabulon::gui {

// One place a test found fault with: the entry and the cell, with the texts that name it.
struct Finding {
  int entry = 0;
  std::string column_header;
  std::string row_label;
  int col = 0;
  int row = 0;
};

QString HtmlOfProtocol(const ErrorProtocol& protocol);

class ErrorWindow : public QDialog {
  Q_OBJECT
 public:
  ErrorWindow(ErrorWindowKind kind, QWidget* parent = nullptr);
  void Show(const ErrorProtocol& protocol, std::vector<Finding> findings);
  // The finding the person chose in the findings list, if any.
  const std::optional<Finding>& chosen() const { return chosen_; }

  QTextEdit* protocol_box() const { return protocol_; }
  QLineEdit* verdict_field() const { return verdict_; }
  QPushButton* findings_button() const { return findings_button_; }
  QLineEdit* status_field(int k) const { return statuses_.at(k); }

 private:
  void ShowFindings();

  ErrorWindowKind kind_;
  QTextEdit* protocol_;
  QLabel* verdict_label_;
  QLineEdit* verdict_;
  QPushButton* findings_button_;
  std::vector<QLineEdit*> statuses_;
  std::vector<Finding> findings_;
  std::optional<Finding> chosen_;
};

}  // namespace tabulon::gui

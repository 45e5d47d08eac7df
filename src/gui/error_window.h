// The windows that report a test run: the single run's window and the summary window of all
// tests of a class. They render a protocol the core built; the findings list lets the person jump
// from a failed check straight to the cell it concerns.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "app/session_plausi.h"
#include "plausi/protocol.h"

class QListWidget;
class QLineEdit;
class QPushButton;
class QLabel;

namespace tabulon::gui {

// What a screen reader says for a protocol line: its text with its status ("Fehler: ...") in
// words, so that no status is told by colour alone.
QString SpokenProtocolLine(const ProtocolLine& line);

class ErrorWindow : public QDialog {
  Q_OBJECT
 public:
  ErrorWindow(ErrorWindowKind kind, QWidget* parent = nullptr);
  void Show(const ErrorProtocol& protocol, std::vector<FindingPlace> findings);
  // The index of the finding the person chose in the findings list, if any.
  const std::optional<std::size_t>& chosen() const { return chosen_; }
  // The texts of the findings list, one per finding.
  QStringList FindingTexts() const;
  // As a double-click on the finding at index: closes both windows when it names a cell.
  void ChooseFinding(std::size_t index);

  QListWidget* protocol_box() const { return protocol_; }
  QLineEdit* verdict_field() const { return verdict_; }
  QPushButton* findings_button() const { return findings_button_; }
  QPushButton* print_button() const { return print_button_; }
  QLineEdit* status_field(int k) const { return statuses_.at(k); }

 private:
  void ShowFindings();

  ErrorWindowKind kind_;
  QListWidget* protocol_;
  QLabel* verdict_label_;
  QLineEdit* verdict_;
  QPushButton* findings_button_;
  QPushButton* print_button_ = nullptr;
  ErrorProtocol protocol_copy_;
  std::vector<QLineEdit*> statuses_;
  std::vector<FindingPlace> findings_;
  std::optional<std::size_t> chosen_;
};

}  // namespace tabulon::gui

// The e-mail dialog of the quick report: one button hands the report to the mail program, the
// other closes the dialog. Its menu is hidden while the quick report is not handed in.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class QPushButton;

namespace Ui {
class TEMailForm;
}  // namespace Ui

namespace tabulon::gui {

class MailDialog : public QDialog {
  Q_OBJECT
 public:
  // `send` hands the message over and tells the person the outcome; true when the mail program
  // took it. The dialog then closes with OK, otherwise with Cancel.
  MailDialog(std::function<bool()> send, QWidget* parent = nullptr);
  ~MailDialog() override;

  QPushButton* send_button() const;
  QPushButton* cancel_button() const;

 private:
  std::unique_ptr<::Ui::TEMailForm> ui_;
  std::function<bool()> send_;
};

}  // namespace tabulon::gui

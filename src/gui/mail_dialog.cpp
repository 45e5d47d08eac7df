#include "gui/mail_dialog.h"

#include <QPushButton>

#include "ui_mail_dialog.h"

namespace tabulon::gui {

MailDialog::MailDialog(std::function<bool()> send, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<::Ui::TEMailForm>()), send_(std::move(send)) {
  ui_->setupUi(this);
  connect(ui_->sendButton, &QPushButton::clicked, this,
          [this] { done(send_() ? QDialog::Accepted : QDialog::Rejected); });
}

MailDialog::~MailDialog() = default;

QPushButton* MailDialog::send_button() const { return ui_->sendButton; }

QPushButton* MailDialog::cancel_button() const { return ui_->cancelButton; }

}  // namespace tabulon::gui

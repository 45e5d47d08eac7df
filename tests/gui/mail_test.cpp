// The quick report by e-mail in the real window and on the desktop: the hidden menu, the dialog,
// and the call of xdg-email with its answers.

#include <QMenuBar>

#include "gui/mail_dialog.h"
#include "gui/qt_ports.h"
#include "gui_test_base.h"

namespace tabulon::gui {
namespace {

class MailTest : public GuiTestBase {};

TEST_F(MailTest, HiddenMenuOpensTheDialogWhoseSendButtonHandsTheReportOver) {
  testing::WriteSchoolSettings(dir.path(), "4711");
  CreateWindow();
  QAction* menu = window->menuBar()->actions().at(6);
  EXPECT_EQ(menu->text(), QStringLiteral("E&Mail"));
  EXPECT_FALSE(menu->isVisible());
  // Without the report the dialog closes with Cancel; with it the mail program takes it. The
  // send button is the default, reached by keyboard.
  const fs::path report = dir.path() / "4711" / "SCHNELL" / "471100.CSV";
  std::vector<int> results;
  QStringList texts;
  for (int round = 0; round < 2; ++round) {
    OnNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<MailDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      texts = {dialog->windowTitle(), dialog->send_button()->text(),
               dialog->cancel_button()->text()};
      EXPECT_TRUE(dialog->send_button()->font().bold());
      QObject::connect(dialog, &QDialog::finished, dialog, [&](int r) { results.push_back(r); });
      QTest::keyClick(dialog, Qt::Key_Return);
    });
    menu->menu()->actions().at(0)->trigger();
    WriteBytes(report, "ES001\r\n4711\r\n");
  }
  EXPECT_EQ(texts, (QStringList{QStringLiteral("EMail mit Statistik-Datenbank versenden..."),
                                QStringLiteral("Daten zusammenstellen und an EMail-Programm "
                                               "übergeben "),
                                QStringLiteral("abbrechen")}));
  EXPECT_EQ(results, (std::vector<int>{QDialog::Rejected, QDialog::Accepted}));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.substr(0, 25), "FEHLER!: Datei (471100.CS");
  EXPECT_EQ(platform.mails,
            (std::vector<MailMessage>{{"Schnellmeldung", "Schnellmeldung: 4711", report}}));
}

// xdg-email is replaced by a script that notes its arguments and ends with a chosen code.
TEST_F(MailTest, XdgEmailGetsTheMessageAsArgumentsAndItsCodeIsTheResult) {
  const fs::path bin = dir.path() / "bin";
  WriteBytes(
      bin / "xdg-email",
      "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args\"\nread code < \"$0.code\"\nexit $code\n");
  fs::permissions(bin / "xdg-email", fs::perms::owner_all);
  const QByteArray old_path = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(bin.string()));
  // Blanks, quotes and a command substitution reach the mail program as they stand.
  const MailMessage message{"Schnellmeldung", "Schnellmeldung: 4711",
                            dir.path() / "a b" / "$(touch x)'\".CSV"};
  QtPlatform qt_platform(dir.path());
  const std::pair<const char*, int> cases[] = {
      {"0", kMailTakenOver}, {"2", kMailAttachmentNotFound},
      {"3", kMailNoProgram}, {"5", kMailAttachmentOpenFailure},
      {"4", kMailFailure},   {"1", kMailFailure}};
  for (const auto& [code, result] : cases) {
    WriteBytes(bin / "xdg-email.code", code);
    EXPECT_EQ(qt_platform.SendMail(message), result) << code;
  }
  EXPECT_EQ(testing::ReadBytes(bin / "xdg-email.args"),
            "--utf8\n--subject\nSchnellmeldung\n--body\nSchnellmeldung: 4711\n--attach\n" +
                message.attachment.string() + "\n");
  fs::remove(bin / "xdg-email");
  EXPECT_EQ(qt_platform.SendMail(message), kMailNoProgram);
  qputenv("PATH", old_path);
}

}  // namespace
}  // namespace tabulon::gui

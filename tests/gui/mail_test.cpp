// The quick report by e-mail in the real window and on the desktop: the hidden menu, the dialog,
// and the call of xdg-email with its answers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "gui/mail_dialog.h"
#include "gui/qt_ports.h"
#include "gui_test_base.h"
#include "support/program_dir.h"

namespace tabulon::gui {
namespace {

namespace fs = std::filesystem;
using tabulon::testing::ReadBytes;
using tabulon::testing::RecordedMessage;
using tabulon::testing::WriteBytes;
using ::testing::ElementsAre;

class MailTest : public GuiTestBase {};

TEST_F(MailTest, HiddenMenuOpensTheDialogWhichHandsTheReportOver) {
  testing::WriteSchoolSettings(dir.path(), "4711", true,
                               [](Settings& s) { s.backup_at_start = 0; });
  CreateWindow();
  QAction* menu = nullptr;
  for (QAction* a : window->menuBar()->actions()) {
    if (a->text() == QStringLiteral("E&Mail")) menu = a;
  }
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(menu->isVisible());
  ASSERT_EQ(menu->menu()->actions().size(), 1);
  EXPECT_EQ(menu->menu()->actions()[0]->text(), QStringLiteral("&Schnell-Meldung"));

  // First without the report: the dialog closes with Cancel and says where it was looked for.
  // Then with it: the person reaches the send button by keyboard and the mail program takes it.
  const fs::path report = dir.path() / "4711" / "SCHNELL" / "471100.CSV";
  QStringList seen;
  int results[2] = {-1, -1};
  for (int round = 0; round < 2; ++round) {
    OnNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<MailDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      seen << dialog->objectName() << dialog->windowTitle() << dialog->send_button()->text()
           << dialog->cancel_button()->text();
      EXPECT_TRUE(dialog->send_button()->font().bold());
      EXPECT_TRUE(dialog->send_button()->focusPolicy() & Qt::TabFocus);
      QObject::connect(dialog, &QDialog::finished, dialog,
                       [&results, round](int r) { results[round] = r; });
      dialog->send_button()->setFocus();
      QTest::keyClick(dialog->send_button(), Qt::Key_Space);
    });
    window->action(QStringLiteral("MailQuick"))->trigger();
    WriteBytes(report, "ES001\r\n4711\r\n");
  }
  EXPECT_EQ(seen.mid(0, 4),
            (QStringList{QStringLiteral("TEMailForm"),
                         QStringLiteral("EMail mit Statistik-Datenbank versenden..."),
                         QStringLiteral("Daten zusammenstellen und an EMail-Programm übergeben "),
                         QStringLiteral("abbrechen")}));
  EXPECT_EQ(results[0], QDialog::Rejected);
  EXPECT_EQ(results[1], QDialog::Accepted);
  EXPECT_THAT(ui.messages, ElementsAre(RecordedMessage{
                               MessageKind::kPlain,
                               "FEHLER!: Datei (471100.CSV) zum Anhängen an die Mail wurde in:\r" +
                                   report.string() + " nicht gefunden!"}));
  EXPECT_THAT(platform.mails,
              ElementsAre(MailMessage{"Schnellmeldung", "Schnellmeldung: 4711", report}));
}

// xdg-email is replaced by a script that notes its arguments and ends with a chosen code.
TEST_F(MailTest, XdgEmailGetsTheMessageAsArgumentsAndItsCodeIsTheResult) {
  const fs::path bin = dir.path() / "bin";
  const fs::path noted = dir.path() / "args";
  fs::create_directories(bin);
  WriteBytes(bin / "xdg-email", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + noted.string() +
                                    "\"\nexit $(cat \"" + (dir.path() / "code").string() + "\")\n");
  fs::permissions(bin / "xdg-email", fs::perms::owner_all);
  const QByteArray old_path = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(bin.string()) + ":" + old_path);
  // Blanks, quotes and a command substitution reach the mail program as they stand.
  const MailMessage message{"Schnellmeldung", "Schnellmeldung: 4711",
                            dir.path() / "a b" / "$(touch x)'\".CSV"};
  QtPlatform qt_platform(dir.path());
  const struct {
    const char* code;
    int result;
  } cases[] = {{"0", kMailTakenOver}, {"2", kMailAttachmentNotFound},
               {"3", kMailNoProgram}, {"5", kMailAttachmentOpenFailure},
               {"4", kMailFailure},   {"1", kMailFailure}};
  for (const auto& c : cases) {
    WriteBytes(dir.path() / "code", c.code);
    EXPECT_EQ(qt_platform.SendMail(message), c.result) << c.code;
  }
  EXPECT_EQ(ReadBytes(noted),
            "--utf8\n--subject\nSchnellmeldung\n--body\nSchnellmeldung: 4711\n"
            "--attach\n" +
                message.attachment.string() + "\n");
  fs::remove(bin / "xdg-email");
  qputenv("PATH", QByteArray::fromStdString(bin.string()));
  EXPECT_EQ(qt_platform.SendMail(message), kMailNoProgram);
  qputenv("PATH", old_path);
}

}  // namespace
}  // namespace tabulon::gui

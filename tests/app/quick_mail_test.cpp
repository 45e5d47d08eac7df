// The quick report by e-mail: the message handed over, and the box the person sees for every
// report of the mail program.
#include "app/quick_mail.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

TEST(QuickMail, EveryReportGetsItsBoxAndTheAttachmentIsCheckedFirst) {
  testing::TempDir dir;
  Settings settings;
  settings.dst_nr = "4711";
  const DataPaths paths{dir.path() / "", dir.path() / "", dir.path() / "4711" / ""};
  const fs::path report = dir.path() / "4711" / "SCHNELL" / "471100.CSV";
  const std::string not_found = "FEHLER!: Datei (471100.CSV) zum Anhängen an die Mail wurde in:\r" +
                                report.string() + " nicht gefunden!";
  const std::string unreadable =
      "FEHLER!: Datei (471100.CSV) zum Anhängen konnte nicht geöffnet werden!";
  // The report lies in the school data directory; one in the data base directory is not it.
  testing::WriteBytes(dir.path() / "SCHNELL" / "471100.CSV", "ES001\r\n");
  const struct {
    int result;        // what the mail program reports
    bool file;         // whether the report is there
    std::string text;  // the box, "" for none
  } cases[] = {
      {0, false, not_found},
      {0, true, ""},
      {1, true, "Nutzer hat Vorgang abgebrochen!"},
      {2, true, "FEHLER!: Genaue Ursache nicht feststellbar!"},
      {3, true, "FEHLER!: Benutzerlogin fehlgeschlagen!"},
      {5, true, "FEHLER!: Nicht genug Speicher vorhanden!"},
      {9, true, "FEHLER!: Zu viele Dateien im Anhang!"},
      {10, true, "FEHLER!: Zu viele Empfänger angegeben!"},
      {11, true, not_found},
      {12, true, unreadable},
      {14, true, "FEHLER!: Keine EMail-Adresse angegeben!"},
      {15, true, "FEHLER!: Kein eindeutiger Empfängertyp!"},
      {18, true, "FEHLER!: Text der Mail zu lang!"},
      {21, true, "FEHLER!: Keine EMail-Adresse für den Empfänger angegeben!"},
      {26, true, "Übertragungsfehler oder Nutzerabbruch! "},
      // No mail program at all is a failure, not the person's own cancel.
      {kMailNoProgram, true, "FEHLER!: Kein EMail-Programm gefunden!"},
  };
  for (const auto& c : cases) {
    testing::ScriptedUi ui;
    testing::FakePlatform platform;
    platform.mail_result = c.result;
    fs::remove(report);
    if (c.file) testing::WriteBytes(report, "ES001\r\n4711\r\n");
    EXPECT_EQ(SendQuickReport(settings, paths, platform, ui), c.text.empty()) << c.result;
    EXPECT_EQ(ui.messages,
              (c.text.empty() ? std::vector<RecordedMessage>{}
                              : std::vector<RecordedMessage>{{MessageKind::kPlain, c.text}}))
        << c.result;
    EXPECT_EQ(platform.mails,
              (c.file ? std::vector<MailMessage>{{"Schnellmeldung", "Schnellmeldung: 4711", report}}
                      : std::vector<MailMessage>{}))
        << c.result;
  }
  // A directory where the file belongs cannot be read; the mail program is not asked.
  fs::remove(report);
  fs::create_directories(report);
  testing::ScriptedUi ui;
  testing::FakePlatform platform;
  EXPECT_FALSE(SendQuickReport(settings, paths, platform, ui));
  EXPECT_EQ(ui.messages, (std::vector<RecordedMessage>{{MessageKind::kPlain, unreadable}}));
  EXPECT_TRUE(platform.mails.empty());
}

}  // namespace
}  // namespace tabulon

// The quick report by e-mail: the message handed over, and the box the person sees for every
// report of the mail program.
#include "app/quick_mail.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::FakePlatform;
using ::testing::IsEmpty;
using testing::RecordedMessage;
using testing::ScriptedUi;
using testing::TempDir;

class QuickMailTest : public ::testing::Test {
 protected:
  QuickMailTest() {
    settings.dst_nr = "4711";
    paths.data_base_dir = dir.path() / "";
    paths.school_data_dir = dir.path() / "4711" / "";
  }
  fs::path Attachment() const { return dir.path() / "4711" / "SCHNELL" / "471100.CSV"; }
  void WriteReport() {
    fs::create_directories(Attachment().parent_path());
    testing::WriteBytes(Attachment(), "ES001\r\n4711\r\n");
  }
  bool Send() { return SendQuickReport(settings, paths, platform, ui); }

  TempDir dir;
  Settings settings;
  DataPaths paths;
  ScriptedUi ui;
  FakePlatform platform;
};

TEST_F(QuickMailTest, EveryReportOfTheMailProgramGetsItsBox) {
  WriteReport();
  const std::string name_and_path =
      "FEHLER!: Datei (471100.CSV) zum Anhängen an die Mail wurde in:\r" + Attachment().string() +
      " nicht gefunden!";
  struct {
    int result;
    std::string text;  // "" for no box
  } cases[] = {
      {0, ""},
      {1, "Nutzer hat Vorgang abgebrochen!"},
      {2, "FEHLER!: Genaue Ursache nicht feststellbar!"},
      {3, "FEHLER!: Benutzerlogin fehlgeschlagen!"},
      {5, "FEHLER!: Nicht genug Speicher vorhanden!"},
      {9, "FEHLER!: Zu viele Dateien im Anhang!"},
      {10, "FEHLER!: Zu viele Empfänger angegeben!"},
      {11, name_and_path},
      {12, "FEHLER!: Datei (471100.CSV) zum Anhängen konnte nicht geöffnet werden!"},
      {14, "FEHLER!: Keine EMail-Adresse angegeben!"},
      {15, "FEHLER!: Kein eindeutiger Empfängertyp!"},
      {18, "FEHLER!: Text der Mail zu lang!"},
      {21, "FEHLER!: Keine EMail-Adresse für den Empfänger angegeben!"},
      {4, "Übertragungsfehler oder Nutzerabbruch! "},
      {26, "Übertragungsfehler oder Nutzerabbruch! "},
      // No mail program at all is a failure, not the person's own cancel.
      {kMailNoProgram, "FEHLER!: Kein EMail-Programm gefunden!"},
  };
  for (const auto& c : cases) {
    ui.messages.clear();
    platform.mails.clear();
    platform.mail_result = c.result;
    EXPECT_EQ(Send(), c.result == 0) << c.result;
    if (c.text.empty()) {
      EXPECT_THAT(ui.messages, IsEmpty()) << c.result;
    } else {
      EXPECT_THAT(ui.messages, ElementsAre(RecordedMessage{MessageKind::kPlain, c.text}))
          << c.result;
    }
    EXPECT_THAT(platform.mails,
                ElementsAre(MailMessage{"Schnellmeldung", "Schnellmeldung: 4711", Attachment()}));
  }
}

TEST_F(QuickMailTest, TheAttachmentIsCheckedBeforeTheMailProgramIsAsked) {
  // The report lies in the school data directory; one in the data base directory is not it.
  fs::create_directories(dir.path() / "SCHNELL");
  testing::WriteBytes(dir.path() / "SCHNELL" / "471100.CSV", "ES001\r\n");
  EXPECT_FALSE(Send());
  fs::create_directories(Attachment());  // a directory where the file belongs cannot be read
  EXPECT_FALSE(Send());
  EXPECT_THAT(
      ui.messages,
      ElementsAre(RecordedMessage{MessageKind::kPlain,
                                  "FEHLER!: Datei (471100.CSV) zum Anhängen an die Mail wurde "
                                  "in:\r" +
                                      Attachment().string() + " nicht gefunden!"},
                  RecordedMessage{MessageKind::kPlain,
                                  "FEHLER!: Datei (471100.CSV) zum "
                                  "Anhängen konnte nicht geöffnet werden!"}));
  EXPECT_THAT(platform.mails, IsEmpty());
}

TEST_F(QuickMailTest, TheMessageTextHoldsAtMost36Characters) {
  settings.dst_nr = "ÄÖÜ45678901234567890X";  // one character more than a DST-Nr. may have
  paths.school_data_dir = dir.path() / settings.dst_nr / "";
  fs::create_directories(paths.school_data_dir / "SCHNELL");
  testing::WriteBytes(paths.school_data_dir / "SCHNELL" / (settings.dst_nr + "00.CSV"), "x");
  EXPECT_TRUE(Send());
  ASSERT_EQ(platform.mails.size(), 1u);
  EXPECT_EQ(platform.mails[0].body, "Schnellmeldung: ÄÖÜ45678901234567890");
}

TEST_F(QuickMailTest, ADstNrThatCannotNameAFileSendsNothing) {
  settings.dst_nr = "../4711";
  EXPECT_FALSE(Send());
  EXPECT_THAT(ui.messages, ElementsAre(RecordedMessage{
                               MessageKind::kError,
                               "Die DST-Nr. \"../4711\" kann nicht als Verzeichnisname dienen!"}));
  EXPECT_THAT(platform.mails, IsEmpty());
}

}  // namespace
}  // namespace tabulon

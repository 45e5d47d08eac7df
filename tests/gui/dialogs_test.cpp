// The dialogs and windows beside the main window: settings, error window, cell editor's
// validator, drive check, help search.
#include "gui/dialogs.h"

#include <gmock/gmock.h>

#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTextBrowser>

#include "files/files.h"
#include "gui/error_window.h"
#include "gui/help_window.h"
#include "gui_test_base.h"
#include "plausi/catalogue.h"

namespace tabulon::gui {
namespace {

using ::testing::ElementsAre;

TEST(SettingsDialogTest, AcceptWritesTheRecordAndRefusesUnsafeNumbers) {
  TempDir dir;
  ScriptedUi ui;
  SettingsDialog dialog(dir.path(), ui);
  dialog.SetShowProgress(false);
  dialog.show();
  EXPECT_TRUE(Child<QRadioButton>(dialog, "readOnlyRadio")->isChecked());
  EXPECT_EQ(Child<QLineEdit>(dialog, "dstEdit")->text(), QStringLiteral("00000"));
  EXPECT_TRUE(Child<QCheckBox>(dialog, "saveOnlyDataBox")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(dialog, "shrinkBox")->isChecked());

  Child<QLineEdit>(dialog, "dstEdit")->setText(QStringLiteral("../x"));
  QTest::mouseClick(Child<QPushButton>(dialog, "acceptButton"), Qt::LeftButton);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(fs::exists(dir / "TBEINST.DAT"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::kError);

  Child<QLineEdit>(dialog, "dstEdit")->setText(QStringLiteral("123456789012345678901234"));
  Child<QRadioButton>(dialog, "readWriteRadio")->setChecked(true);
  Child<QCheckBox>(dialog, "copyEsBox")->setChecked(true);
  QTest::mouseClick(Child<QPushButton>(dialog, "acceptButton"), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  Settings stored;
  ScriptedUi quiet;
  ReadSettingsFile(dir.path(), stored, quiet);
  EXPECT_EQ(stored.dst_nr, "12345678901234567890");
  EXPECT_FALSE(stored.IsReadOnly());
  EXPECT_EQ(stored.copy_with_es_row, 1);
  EXPECT_EQ(ReadBytes(dir / "TBEINST.DAT").size(), kSettingsFileSize);
}

TEST(SettingsDialogTest, DefaultsThenCancelLeaveFileAsItWas) {
  TempDir dir;
  ScriptedUi ui;
  Settings s;
  s.read_only = 0;
  s.dst_nr = "999";
  WriteSettingsFile(dir.path(), s);
  const std::string before = ReadBytes(dir / "TBEINST.DAT");
  SettingsDialog dialog(dir.path(), ui);
  dialog.show();
  EXPECT_TRUE(Child<QRadioButton>(dialog, "readWriteRadio")->isChecked());
  QTest::mouseClick(Child<QPushButton>(dialog, "defaultsButton"), Qt::LeftButton);
  EXPECT_TRUE(Child<QRadioButton>(dialog, "readOnlyRadio")->isChecked());
  EXPECT_EQ(Child<QLineEdit>(dialog, "dstEdit")->text(), QStringLiteral("00000"));
  QTest::mouseClick(Child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(ReadBytes(dir / "TBEINST.DAT"), before);
}

TEST(ErrorWindowTest, ShowsColouredLinesAndVerdict) {
  ErrorFlags flags;
  flags.MarkTested(7);
  flags.Fail(7);
  flags.MarkTested(1);
  ErrorProtocol p =
      ShowErrorProtocol(ErrorWindowKind::kFehlerfenster, "Titel", flags, TheErrorCatalogue(), true);
  ErrorWindow w(ErrorWindowKind::kFehlerfenster);
  w.Show(p, {});
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Titel"));
  EXPECT_EQ(w.verdict_field()->text(), QStringLiteral("Test nicht bestanden!"));
  EXPECT_EQ(w.size(), QSize(458, 432));
  EXPECT_FALSE(w.findings_button()->isEnabled());
  ASSERT_EQ(w.protocol_box()->count(), static_cast<int>(p.lines.size()));
  bool red = false;
  for (std::size_t i = 0; i < p.lines.size(); ++i) {
    const QListWidgetItem* item = w.protocol_box()->item(static_cast<int>(i));
    EXPECT_EQ(item->text().toStdString(), p.lines[i].text);
    red = red || item->foreground().color() == QColor(255, 0, 0);
  }
  EXPECT_TRUE(red);
}

TEST(CellValidatorTest, RefusesWhatWouldSplitOrBeLost) {
  struct Case {
    const char* text;
    bool refused;
  };
  const Case cases[] = {{"12", false},  {"Müller ß", false}, {"a;b", true},
                        {"a\tb", true}, {"€", true},         {"日本", true}};
  for (const Case& c : cases) {
    EXPECT_EQ(!CellValidator::RefusalHint(QString::fromUtf8(c.text)).isEmpty(), c.refused)
        << c.text;
  }
}

TEST(DriveCheckTest, ThreeOutcomesWithTheirTexts) {
  TempDir dir;
  ScriptedUi ui;
  fs::create_directory(dir / "empty");
  EXPECT_TRUE(CheckDrive(dir / "empty", true, ui));
  EXPECT_FALSE(CheckDrive(dir / "missing", true, ui));
  EXPECT_TRUE(CheckDrive(dir.path(), true, ui));
  EXPECT_THAT(
      ui.messages,
      ElementsAre(
          RecordedMessage{MessageKind::kPlain,
                          "Datenträger im Laufwerk " + (dir / "empty").string() + ": ist leer!"},
          RecordedMessage{MessageKind::kPlain,
                          "KEIN Datenträger im Laufwerk " + (dir / "missing").string() + ":"}));
  EXPECT_EQ(DriveCheckMessage({DriveOutcome::kUnreadable, 5}, "E"),
            "Datenträger im Laufwerk E: nicht formatiert!\rE/A-Fehler: 5 aufgetreten!");
}

TEST(HelpWindowTest, SearchFindsPagesHoldingEveryWord) {
  HelpWindow help(fs::path(TABULON_SOURCE_DIR) / "data" / "help");
  EXPECT_EQ(help.Search(QStringLiteral("Zwischenablage")), QStringList{"kopieren.html"});
  EXPECT_EQ(help.Search(QStringLiteral("ES-Zeile Tabellenkalkulation")),
            QStringList{"kopieren.html"});
  EXPECT_EQ(help.Search(QStringLiteral("Geburtsjahr Summenzeile")), QStringList{"berechnen.html"});
  EXPECT_TRUE(help.Search(QStringLiteral("gibtesnicht")).isEmpty());
  help.ShowTopic(QStringLiteral("inhalt"));
  EXPECT_TRUE(help.browser()->source().toString().endsWith(QStringLiteral("inhalt.html")));
}

}  // namespace
}  // namespace tabulon::gui

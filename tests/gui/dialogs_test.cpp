// The dialogs and windows beside the main window: settings, error window, cell editor's validator,
// drive check, help search, and the questions of the calculations.
#include "gui/dialogs.h"

#include <gmock/gmock.h>

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextBrowser>

#include "files/files.h"
#include "gui/calc_dialogs.h"
#include "gui/help_window.h"
#include "gui/qt_text.h"
#include "gui_test_base.h"
#include "plausi/catalogue.h"

namespace tabulon::gui {
namespace {

using ::testing::ElementsAre;

QPushButton* Button(QWidget& dlg, const char* name) { return Child<QPushButton>(dlg, name); }

// The texts of these labels of `dlg`, in this order.
std::vector<std::string> Labels(QWidget& dlg, std::initializer_list<const char*> names) {
  std::vector<std::string> out;
  for (const char* name : names) out.push_back(S(Child<QLabel>(dlg, name)->text()));
  return out;
}

// Presses a button of the dialog once its event loop runs.
void PressLater(QPushButton* button) {
  QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

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

// The protocol in its colours, then findings: one about no single cell is listed but offers nowhere
// to jump to.
TEST(ErrorWindowTest, ShowsColouredLinesAndVerdictAndFindings) {
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

  w.Show(ErrorProtocol{}, {{73, -1, -1, "", ""}, {7, 4, 2, "Klassen (ES003)", "Zeile 2: 010"}});
  EXPECT_EQ(w.FindingTexts(),
            (QStringList{QStringLiteral("[73]  (betrifft keine einzelne Zelle)"),
                         QStringLiteral("[7]  Spalte: Klassen (ES003)  |  Zeile 2: 010")}));
  EXPECT_TRUE(w.findings_button()->isEnabled());
  w.ChooseFinding(0);
  EXPECT_FALSE(w.chosen().has_value());
  w.ChooseFinding(1);
  EXPECT_EQ(w.chosen(), std::optional<std::size_t>(1));
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

TEST(AendernDlgTest, ShowsTheQuestionAndAnswersJaOrNein) {
  AendernDlg dlg;
  EXPECT_EQ(S(dlg.windowTitle()), "Zellenwert ändern?");
  EXPECT_EQ(Labels(dlg, {"labelAktuell", "labelUeberschreiben"}),
            (std::vector<std::string>{"aktueller Wert:", "Überschreiben mit neuem Wert?:"}));
  const CellChangeQuestion q{"Klassen insg.", "Insgesamt", "3", "4"};
  PressLater(Button(dlg, "buttonJa"));
  EXPECT_TRUE(dlg.Ask(q));
  EXPECT_EQ(Labels(dlg, {"labelColumn", "labelRow", "labelCurrent", "labelNew"}),
            (std::vector<std::string>{"Klassen insg.", "Insgesamt", "3", "4"}));
  PressLater(Button(dlg, "buttonNein"));
  EXPECT_FALSE(dlg.Ask(q));
}

TEST(Aendern2DlgTest, EachJaChoosesItsCandidateAndNeinNone) {
  Aendern2Dlg dlg;
  EXPECT_EQ(S(dlg.windowTitle()), "Zellenwert auswählen und ändern?");
  CellChoiceQuestion q;
  q.column_text = "zu erteil. Stdn. insg.";
  q.row_text = "Zeile: 5  Lehrer-Nr.: 17";
  q.current_value = "20";
  q.captions = {"Std.n  SOLL+ATZ-Anrechnung+MehrArb.", "Std.n nach Schulort",
                "Stunden nach Schularten"};
  q.values = {"24", "25", "26"};
  for (int i = 1; i <= 3; ++i) {
    PressLater(Button(dlg, ("buttonJa" + std::to_string(i)).c_str()));
    EXPECT_EQ(dlg.Choose(q), i);
  }
  EXPECT_EQ(Labels(dlg, {"labelBerechnet", "labelRow", "labelCaption2", "labelValue3"}),
            (std::vector<std::string>{"berechnet aus:", "Zeile: 5  Lehrer-Nr.: 17",
                                      "Std.n nach Schulort", "26"}));
  PressLater(Button(dlg, "buttonNein"));
  EXPECT_EQ(dlg.Choose(q), 0);
}

TEST(GebJahreDlgTest, LimitsStartValuesAndCoupling) {
  GebJahreDlg dlg;
  EXPECT_EQ(S(dlg.windowTitle()), "Geburtsjahre vortragen ...");
  QSpinBox* von = Child<QSpinBox>(dlg, "spinVon");
  QSpinBox* bis = Child<QSpinBox>(dlg, "spinBis");
  EXPECT_EQ(dlg.Range(), (BirthYearRange{1990, 2000}));
  EXPECT_EQ((std::array{von->minimum(), von->maximum(), bis->minimum(), bis->maximum()}),
            (std::array{1950, 2010, 1950, 2050}));
  von->setValue(2005);  // past "bis": "bis" follows
  EXPECT_EQ(dlg.Range(), (BirthYearRange{2005, 2005}));
  bis->setValue(1995);  // below "von": "von" follows
  EXPECT_EQ(dlg.Range(), (BirthYearRange{1995, 1995}));
  von->setValue(2100);  // beyond the control's range
  EXPECT_EQ(von->value(), 2010);
  PressLater(Button(dlg, "buttonOk"));
  EXPECT_EQ(dlg.Ask(), (std::optional<BirthYearRange>{{2010, 2010}}));
  PressLater(Button(dlg, "buttonAbbrechen"));
  EXPECT_EQ(dlg.Ask(), std::nullopt);
  EXPECT_EQ(dlg.Range(), (BirthYearRange{2010, 2010}));  // kept for the next time
}

TEST(BSartGebJahreDlgTest, ListsStayInStepAndOkTakesCodeAndYears) {
  BSartGebJahreDlg dlg;
  EXPECT_EQ(S(dlg.windowTitle()), "vortragen von ...");
  QListWidget* texts = Child<QListWidget>(dlg, "listTexts");
  QListWidget* codes = Child<QListWidget>(dlg, "listCodes");
  ASSERT_EQ(std::pair(texts->count(), codes->count()), std::pair(11, 11));
  EXPECT_EQ(S(texts->item(0)->text()), "BS...Berufsschule (ohne BVJ u. BVB) TZ");
  EXPECT_EQ(std::pair(texts->currentRow(), codes->currentRow()), std::pair(0, 0));
  QList<QListWidgetItem*> fg = texts->findItems("FG...Fachgymnasium", Qt::MatchExactly);
  ASSERT_EQ(fg.size(), 1);
  QTest::mouseClick(texts->viewport(), Qt::LeftButton, {}, texts->visualItemRect(fg[0]).center());
  EXPECT_EQ(S(codes->currentItem()->text()), "100");
  codes->setCurrentRow(2);
  EXPECT_EQ(S(texts->currentItem()->text()), "BVB...Berufsvorbereitende Bildungsmaßnahme TZ");
  Child<QSpinBox>(dlg, "spinVon")->setValue(2001);
  Child<QSpinBox>(dlg, "spinBis")->setValue(2003);
  PressLater(Button(dlg, "buttonOk"));
  EXPECT_EQ(dlg.Ask(), (std::optional<SchoolTypeAndYears>{{"030", {2001, 2003}}}));
  PressLater(Button(dlg, "buttonAbbrechen"));
  EXPECT_EQ(dlg.Ask(), std::nullopt);
}

}  // namespace
}  // namespace tabulon::gui

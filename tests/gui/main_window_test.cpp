// The real main window on a temporary program directory, driven through its widgets.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolButton>

#include "files/files.h"
#include "gui/dialogs.h"
#include "gui/error_window.h"
#include "gui/grid_view.h"
#include "gui/help_window.h"
#include "gui/main_window.h"
#include "plausi/catalogue.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon::gui {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using tabulon::testing::FakePlatform;
using tabulon::testing::ReadBytes;
using tabulon::testing::RecordedMessage;
using tabulon::testing::ScriptedUi;
using tabulon::testing::TempDir;

template <class T>
T* Child(QObject& parent, const char* name) {
  T* w = parent.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

QStringList TabCaptions(QTabWidget* tabs) {
  QStringList out;
  for (int i = 0; i < tabs->count(); ++i) out << tabs->tabText(i);
  return out;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void Open(bool read_write) {
    if (read_write) {
      // The start-up backup then runs without a question.
      testing::WriteSchoolSettings(dir.path(), "4711", true,
                                   [](Settings& s) { s.backup_at_start = 1; });
    }
    window = std::make_unique<MainWindow>(dir.path(), ui, platform);
    // Two small school tables whose saves write their cells, so the disk shows each save.
    for (const char* def : {"Bog1Tab0", "Bog1Tab1"}) {
      std::string name = def;
      window->store().Register(
          def, {[](Grid& g) {
                  g = Grid(3, 4);
                  g.SetCell(0, 0, "Satzart 0");
                  g.SetCell(1, 0, "Titel");
                  g.SetCell(0, 1, "Erfassungsspalte");
                  g.SetCell(1, 1, "ES001");
                  g.SetCell(2, 1, "ES002");
                  g.SetCell(0, 2, "Zeile A");
                  g.SetCell(1, 2, " 12 ");
                },
                [](Grid&, const TableContext&) { return 0; },
                [name](Grid& g, const TableContext& ctx) {
                  fs::create_directories(ctx.paths.school_data_dir / "SCHULE");
                  WriteFileAtomic(ctx.paths.school_data_dir / "SCHULE" / (name + ".txt"),
                                  g.Cell(1, 2) + ";" + g.Cell(2, 2) + "\r\n");
                }});
    }
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  // The tool bar lays out its widgets when events are processed.
  bool IndicatorShown() {
    QCoreApplication::processEvents();
    return window->indicator()->isVisible();
  }
  fs::path Saved(const std::string& def) const { return dir.path() / "4711" / "SCHULE" / (def + ".txt"); }

  TempDir dir;
  ScriptedUi ui;
  FakePlatform platform;
  std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, WindowHasSheetsPagesMenusAndToolBarAsSpecified) {
  Open(false);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Tabulon      Varnland  V.1.10. (2011) Berufsschule"));
  EXPECT_EQ(window->minimumSize(), QSize(1050, 775));
  QTabWidget* sheets = window->sheet_tabs();
  EXPECT_EQ(TabCaptions(sheets), (QStringList{"Schnell", "Schule", "Lehrer", "Klasse"}));
  EXPECT_FALSE(sheets->isTabEnabled(0));
  EXPECT_EQ(sheets->currentIndex(), 1);
  EXPECT_EQ(TabCaptions(window->table_tabs(1)),
            (QStringList{"Tabelle 0", "Tabelle 1", "Tabelle 2", "Tabelle 3", "Tabelle 4"}));
  EXPECT_EQ(TabCaptions(window->table_tabs(2)),
            (QStringList{"Identifizierung + Tabelle 0", "Tabelle 1", "Tabelle 2", "Tabelle 3"}));
  EXPECT_EQ(TabCaptions(window->table_tabs(3)),
            (QStringList{"Tab. 0", "Tab. 1", "Tab. 2", "Tab. 3", "Tab. 4", "Tab. 4.1", "Tab. 5",
                         "Tab. 6", "Tab. 7", "Tab. 8", "Tab. 9"}));
  QStringList menus;
  for (QAction* a : window->menuBar()->actions()) {
    if (a->isVisible()) menus << a->text();
  }
  EXPECT_EQ(menus, (QStringList{"&Datei", "Be&rechnen", "&Testen (weitere PLAUSIs)", "T&ools",
                                "&Einstellungen", "&Hilfe"}));
  EXPECT_EQ(window->action("HelpShow")->shortcut(), QKeySequence(Qt::Key_F1));
  for (const char* hidden : {"FileNew", "FilePrint", "EditCut", "EditCopy", "EditPaste"}) {
    EXPECT_FALSE(window->action(hidden)->isVisible()) << hidden;
  }
  EXPECT_EQ(window->action("FileOpen")->toolTip(), QStringLiteral("Daten-Basis-Verzeichnis wechseln"));
  // The class tools belong to the class sheet; school table 0 has no calculations.
  EXPECT_FALSE(window->action("ClassAllTests")->isEnabled());
  EXPECT_FALSE(window->action("CalcSubtotals")->isEnabled());
  EXPECT_EQ(window->dst_panel()->text(), QStringLiteral("00000"));
}

TEST_F(MainWindowTest, FirstStartIsReadOnlyNothingIsWrittenAndSaveSaysWhy) {
  Open(false);
  EXPECT_FALSE(window->suspend_toggle()->isEnabled());
  GridView* view = window->GridViewOf("Bog1Tab0");
  ASSERT_NE(view, nullptr);
  // Data rows start after the header row: model row 0 is the ES row.
  EXPECT_EQ(view->model()->data(view->model()->index(1, 0)).toString(), QStringLiteral(" 12 "));
  EXPECT_TRUE(view->model()->setData(view->model()->index(1, 1), QStringLiteral("5")));
  EXPECT_FALSE(IndicatorShown());
  window->table_tabs(1)->setCurrentIndex(1);
  EXPECT_FALSE(fs::exists(Saved("Bog1Tab0")));
  window->action("FileSave")->trigger();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::kError);
  EXPECT_THAT(ui.messages[0].text, ::testing::StartsWith("SPEICHERN nicht möglich!!!"));
}

TEST_F(MainWindowTest, EditShowsRedIndicatorAndSwitchWritesTheTableLeft) {
  Open(true);
  GridView* view = window->GridViewOf("Bog1Tab0");
  view->setFocus();
  view->setCurrentIndex(view->model()->index(1, 1));
  QTest::keyClick(view, '7');  // opens the cell editor with the first key
  auto* editor = view->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, '7');
  QTest::keyClick(editor, ';');  // refused: it would split the field
  EXPECT_EQ(editor->text(), QStringLiteral("77"));
  QTest::keyClick(editor, Qt::Key_Tab);  // commits and moves to the next cell
  EXPECT_EQ(view->currentIndex(), view->model()->index(2, 0));  // past the last column: next row
  EXPECT_EQ(window->store().GridOf("Bog1Tab0").Cell(2, 2), "77");
  EXPECT_TRUE(IndicatorShown());
  EXPECT_EQ(window->indicator()->styleSheet(), QStringLiteral("background-color: red;"));
  window->table_tabs(1)->setCurrentIndex(1);
  EXPECT_EQ(ReadBytes(Saved("Bog1Tab0")), " 12 ;77\r\n");
  // The flash ends by its timer.
  EXPECT_TRUE(IndicatorShown());
  for (int waited = 0; waited < 2000 && IndicatorShown(); waited += 20) {
    QTest::qWait(20);
  }
  EXPECT_FALSE(IndicatorShown());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowTest, ToggleSuppressesExactlyOneSave) {
  Open(true);
  QToolButton* toggle = window->suspend_toggle();
  ASSERT_TRUE(toggle->isEnabled());
  QTest::mouseClick(toggle, Qt::LeftButton);
  EXPECT_EQ(toggle->text(), QStringLiteral("Speichern ausgeschaltet!"));
  window->table_tabs(1)->setCurrentIndex(1);
  EXPECT_FALSE(fs::exists(Saved("Bog1Tab0")));
  EXPECT_FALSE(toggle->isChecked());
  EXPECT_EQ(toggle->text(), QStringLiteral("Speichern aussetzen"));
  window->table_tabs(1)->setCurrentIndex(0);
  EXPECT_TRUE(fs::exists(Saved("Bog1Tab1")));
}

TEST_F(MainWindowTest, CloseAsksAndNoKeepsTheWindow) {
  Open(true);
  ui.answers = {false};
  window->close();
  EXPECT_TRUE(window->isVisible());
  ui.answers = {true};
  window->close();
  EXPECT_FALSE(window->isVisible());
  ASSERT_EQ(ui.questions.size(), 2u);
  EXPECT_EQ(ui.questions[1].text,
            "Wollen Sie den Tabulon\rVarnland - Berufsschule\rjetzt wirklich BEENDEN?");
}

TEST_F(MainWindowTest, CopyButtonsPutExactTextOnTheClipboard) {
  Open(true);
  auto* copy_data = window->findChild<QPushButton*>("StringGrid4CopyData");
  auto* copy_table = window->findChild<QPushButton*>("StringGrid4CopyTable");
  ASSERT_TRUE(copy_data && copy_table);
  QTest::mouseClick(copy_data, Qt::LeftButton);
  EXPECT_EQ(platform.clipboard, "12\t\r\t");
  QTest::mouseClick(copy_table, Qt::LeftButton);
  EXPECT_EQ(platform.clipboard,
            "Satzart 0\tTitel\t\rErfassungsspalte\tES001\tES002\rZeile A\t12\t\r\t\t");
  EXPECT_FALSE(IndicatorShown());
}

TEST_F(MainWindowTest, PrintCommandExplainsTheAlternative) {
  Open(false);
  window->action("FilePrint")->trigger();
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{MessageKind::kInformation,
                                          "Funktion nicht verfügbar!\r\rNutzen Sie das Kopieren "
                                          "einer Tabelle\rund das Einfügen z.B. in EXCEL!\rHier "
                                          "lassen sich die Tabellen individuell ausdrucken!"}));
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

TEST(ErrorWindowTest, ShowsColouredLinesAndVerdict) {
  ErrorFlags flags;
  flags.MarkTested(7);
  flags.Fail(7);
  flags.MarkTested(1);
  ErrorProtocol p = ShowErrorProtocol(ErrorWindowKind::kFehlerfenster, "Titel", flags,
                                      TheErrorCatalogue(), true);
  ErrorWindow w(ErrorWindowKind::kFehlerfenster);
  w.Show(p, {});
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Titel"));
  EXPECT_EQ(w.verdict_field()->text(), QStringLiteral("Test nicht bestanden!"));
  EXPECT_EQ(w.size(), QSize(458, 432));
  EXPECT_FALSE(w.findings_button()->isEnabled());
  QStringList lines = w.protocol_box()->toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), static_cast<qsizetype>(p.lines.size()));
  for (std::size_t i = 0; i < p.lines.size(); ++i) {
    EXPECT_EQ(lines[static_cast<qsizetype>(i)].toStdString(), p.lines[i].text);
  }
  EXPECT_TRUE(w.protocol_box()->toHtml().contains(QStringLiteral("#ff0000")));
}

TEST(CellValidatorTest, RefusesWhatWouldSplitOrBeLost) {
  struct Case {
    const char* text;
    bool refused;
  };
  const Case cases[] = {{"12", false}, {"Müller ß", false}, {"a;b", true},
                        {"a\tb", true}, {"€", true},        {"日本", true}};
  for (const Case& c : cases) {
    EXPECT_EQ(!CellValidator::RefusalHint(QString::fromUtf8(c.text)).isEmpty(), c.refused) << c.text;
  }
}

TEST(DriveCheckTest, ThreeOutcomesWithTheirTexts) {
  TempDir dir;
  ScriptedUi ui;
  fs::create_directory(dir / "empty");
  EXPECT_TRUE(CheckDrive(dir / "empty", true, ui));
  EXPECT_FALSE(CheckDrive(dir / "missing", true, ui));
  EXPECT_TRUE(CheckDrive(dir.path(), true, ui));
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{MessageKind::kPlain, "Datenträger im Laufwerk " +
                                                                   (dir / "empty").string() +
                                                                   ": ist leer!"},
                          RecordedMessage{MessageKind::kPlain, "KEIN Datenträger im Laufwerk " +
                                                                   (dir / "missing").string() +
                                                                   ":"}));
  EXPECT_EQ(DriveCheckMessage({DriveOutcome::kUnreadable, 5}, "E"),
            "Datenträger im Laufwerk E: nicht formatiert!\rE/A-Fehler: 5 aufgetreten!");
}

TEST(HelpWindowTest, SearchFindsPagesHoldingEveryWord) {
  HelpWindow help(fs::path(TABULON_SOURCE_DIR) / "data" / "help");
  EXPECT_EQ(help.Search(QStringLiteral("Zwischenablage")), QStringList{"kopieren.html"});
  EXPECT_EQ(help.Search(QStringLiteral("ES-Zeile Tabellenkalkulation")), QStringList{"kopieren.html"});
  EXPECT_EQ(help.Search(QStringLiteral("Geburtsjahr Summenzeile")), QStringList{"berechnen.html"});
  EXPECT_TRUE(help.Search(QStringLiteral("gibtesnicht")).isEmpty());
  help.ShowTopic(QStringLiteral("inhalt"));
  EXPECT_TRUE(help.browser()->source().toString().endsWith(QStringLiteral("inhalt.html")));
}

}  // namespace
}  // namespace tabulon::gui

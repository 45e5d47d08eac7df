// The real main window on the real school tables of a temporary program directory: typing into
// the grids, switching pages, the buttons of the pages, the tool bar and the menus, and what
// arrives on disk and in the error window.
#include <gmock/gmock.h>

#include "files/files.h"
#include "gui_test_base.h"

namespace tabulon::gui {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

class SchoolWindowTest : public GuiTestBase {
 protected:
  void Open() { OpenSchool(); }
  void Type(int table, int col, int row, const QString& text, bool leave_open = false) {
    TypeText(View(table), col, row, text, leave_open);
  }
  QString Shown(int table, int col, int row) const {
    GridView* v = View(table);
    const Grid& g = *v->grid_model()->grid();
    return v->model()->data(v->model()->index(row - g.FixedRows(), col - g.FixedCols())).toString();
  }
  fs::path File(int table) const {
    return testing::SchoolTableFile(dir.path() / "4711", "4711", table);
  }
};

TEST_F(SchoolWindowTest, TypedCellReachesTheFileOnSwitchAndOnExplicitSave) {
  Open();
  EXPECT_EQ(Shown(0, 1, 2), QStringLiteral("4711"));
  EXPECT_EQ(View(0)->CornerText(), QStringLiteral("Satzart 0"));
  ShowTable(1);
  EXPECT_EQ(View(1)->CornerText(), QStringLiteral("SA 1  Schulart/Bildungsgang/Zeitform"));
  Type(1, 3, 2, QStringLiteral("4"));
  Type(1, 4, 2, QStringLiteral("4"));
  EXPECT_EQ(window->indicator()->styleSheet(), QStringLiteral("background-color: red;"));
  ShowTable(2);
  const std::string table1 = ReadBytes(File(1));
  EXPECT_THAT(table1, StartsWith("ES001;ES002;ES003;ES004;ES005;ES006;ES007;ES008;ES009;ES010;"
                                 "ES011;ES012;ES013;ES014;ES015;ES016\r\n010;4;4;;"));

  Type(2, 1, 2, QStringLiteral("010"));
  Type(2, 2, 2, QStringLiteral("1990"));
  // Still in the editor when the save is clicked: the value is saved all the same.
  Type(2, 3, 2, QStringLiteral("3"), true);
  window->action("FileSave")->trigger();
  EXPECT_EQ(ReadBytes(File(2)),
            "ES001;ES002;ES003;ES004;ES005;ES006;ES007;ES008;ES009;ES010;ES011;ES012;ES013;"
            "ES014;ES015;ES016;ES017;ES018\r\n010;1990;3;;;;;;;;;;;;;;;\r\n");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SchoolWindowTest, PlausiButtonOpensTheErrorWindowAndAFindingIsJumpedTo) {
  Open();
  ShowTable(1);
  Type(1, 4, 2, QStringLiteral("abc"));
  View(1)->setCurrentIndex(View(1)->model()->index(10, 10));
  QString verdict, protocol, caption;
  QStringList findings;
  ChooseFromNextErrorWindow(0, findings, [&](ErrorWindow& w) {
    caption = w.windowTitle();
    verdict = w.verdict_field()->text();
    for (int i = 0; i < w.protocol_box()->count(); ++i)
      protocol += w.protocol_box()->item(i)->text() + QLatin1Char('\n');
  });
  Click(1, 1, PageAction::kPlausi);
  EXPECT_EQ(caption, QStringLiteral(
                         "interner Plausi-Test: Schulbogen - Tab.: Klassen und Schüler nach ..."));
  EXPECT_EQ(verdict, QStringLiteral("Test nicht bestanden!"));
  EXPECT_TRUE(
      protocol.contains(QStringLiteral("[7]  eingetragene Werte in den Zellen\n  --->   mindestens "
                                       "1x fehlerhaft oder nicht lesbar")))
      << protocol.toStdString();
  EXPECT_TRUE(
      protocol.contains(QStringLiteral("[5]  Bezeichnungen der Zellen in der 1. Meldezeile")));
  EXPECT_EQ(findings, QStringList{QStringLiteral(
                          "[7]  Spalte: Klassen - 1. JGS (ES003)  |  Zeile 2: 010 Berufsschule "
                          "- Teilzeit (Fachklassen)")});
  // The double-click closed both windows and went to the cell.
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(View(1)->currentIndex(), View(1)->model()->index(1, 2));
  // The grid is the window's focus widget: it has the keyboard once the window is active again
  // (the offscreen platform activates no window after a modal one).
  EXPECT_EQ(window->focusWidget(), View(1));
}

// Each calculation command, from its menu item and from its tool button, on school table 1.
TEST_F(SchoolWindowTest, EveryCalculationActionComputesItsCells) {
  struct Case {
    const char* action;
    int col, row;  // the computed cell
    const char* expected;
  };
  const Case cases[] = {
      {"CalcRowMenu", 3, 31, "7"},      {"CalcRow", 3, 31, "7"},
      {"CalcSubtotalsMenu", 3, 4, "3"}, {"CalcSubtotals", 3, 4, "3"},
      {"CalcColumnsMenu", 3, 2, "5"},   {"CalcColumns", 3, 2, "5"},
  };
  Open();
  ShowTable(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    Grid& g = window->store().GridOf("Bog1Tab1");
    for (int row = 2; row <= 31; ++row) {
      for (int col = 3; col <= 17; ++col) g.SetCell(col, row, "");
    }
    g.SetCell(4, 2, "2");  // row 2: columns 4 and 5 give the classes in column 3
    g.SetCell(5, 2, "3");
    g.SetCell(3, 2, "5");
    g.SetCell(3, 5, "1");  // rows 5 to 7 make up row 4
    g.SetCell(3, 6, "2");
    g.SetCell(3, 4, "2");
    window->GridViewOf("Bog1Tab1")->Rebuilt();
    window->action(c.action)->trigger();
    EXPECT_EQ(Shown(1, c.col, c.row), QString::fromUtf8(c.expected));
    EXPECT_TRUE(ui.messages.empty());
  }
  EXPECT_EQ(window->indicator()->styleSheet(), QStringLiteral("background-color: red;"));
}

TEST_F(SchoolWindowTest, ExportSavesTheShownTableFirstAndImportReloadsIt) {
  Open();
  Type(0, 2, 2, QStringLiteral("Süd"), true);
  const fs::path target = dir / "stick";
  fs::create_directories(target);
  ui.directories = {target};
  ui.answers = {true};
  window->action("ExportStaLA")->trigger();
  // The whole-school check runs first; with nothing found the export follows.
  WaitForWholeCheck();
  ExpectOnlyMissingKeyFileMessages();
  ui.messages.clear();
  EXPECT_EQ(ReadBytes(target / "4711" / "SCHULE" / "471100.CSV"),
            "ES001;ES002;ES003\r\n4711;S\x81"
            "d;\r\n");

  const fs::path source = dir / "quelle";
  WriteBytes(source / "4711" / "SCHULE" / "471100.CSV", "ES001;ES002;ES003\r\n4711;West;\r\n");
  fs::create_directories(source / "4711" / "LEHRER");
  fs::create_directories(source / "4711" / "KLASSE");
  ui.directories = {source};
  ui.answers = {true};
  ui.overwrite_answers = {OverwriteChoice::kYes};
  window->action("ImportAll")->trigger();
  EXPECT_EQ(Shown(0, 2, 2), QStringLiteral("West"));
  EXPECT_THAT(ui.messages, ElementsAre());
}

TEST_F(SchoolWindowTest, RowButtonsAppendSortAndPrefillTable2) {
  Open();
  ShowTable(2);
  const int rows = View(2)->model()->rowCount();
  Click(1, 2, PageAction::kAppendRow);
  EXPECT_EQ(View(2)->model()->rowCount(), rows + 1);
  EXPECT_EQ(View(2)->currentIndex(), View(2)->model()->index(rows, 0));
  EXPECT_TRUE(View(2)->hasFocus());
  Click(1, 2, PageAction::kAppendRows);
  EXPECT_EQ(View(2)->model()->rowCount(), rows + 11);

  Type(2, 1, 2, QStringLiteral("020"));
  Type(2, 1, 3, QStringLiteral("010"));
  Click(1, 2, PageAction::kSortRows);
  EXPECT_EQ(Shown(2, 1, 2), QStringLiteral("010"));
  EXPECT_EQ(Shown(2, 1, 3), QStringLiteral("020"));

  ui.school_type_answers = {SchoolTypeAndYears{"010", {1990, 1991}}};
  Click(1, 2, PageAction::kPrefillSchoolTypeYears);
  EXPECT_EQ(ui.school_type_dialogs, 1);
  EXPECT_EQ(Shown(2, 2, 2), QStringLiteral("1990"));
  const int last = View(2)->model()->rowCount();  // grid row of the last model row
  EXPECT_EQ(Shown(2, 2, last), QStringLiteral("9999"));
  EXPECT_EQ(Shown(2, 2, last - 1), QStringLiteral("1991"));
}

TEST_F(SchoolWindowTest, HiddenTakeOverCopiesTheQuickReportFileAndReloads) {
  Open();
  QPushButton* take_over = ButtonOf(1, 0, PageAction::kTakeOverQuick);
  ASSERT_NE(take_over, nullptr);
  EXPECT_FALSE(take_over->isVisible());
  take_over->click();
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{MessageKind::kError,
                                          "Eine Datei mit den Basis-Daten (Satzart 0)\r"
                                          "existiert derzeit nicht!"}));
  const std::string quick = "ES001;ES002;ES003\r\n4711;Aufsicht;Tr\x84ger\r\n";
  WriteBytes(dir.path() / "4711" / "SCHNELL" / "471100.CSV", quick);
  take_over->click();
  EXPECT_EQ(ReadBytes(File(0)), quick);
  EXPECT_EQ(Shown(0, 3, 2), QStringLiteral("Träger"));
}

// "Nein" to the question keeps the window; on "Ja" the value still in the editor is saved.
TEST_F(SchoolWindowTest, CloseAsksAndSavesTheValueOfAnOpenEditor) {
  Open();
  Type(0, 2, 2, QStringLiteral("Nord"), true);
  ui.answers = {false};
  window->close();
  EXPECT_TRUE(window->isVisible());
  ui.answers = {true, true};  // end the program; save the table
  window->close();
  EXPECT_FALSE(window->isVisible());
  ASSERT_EQ(ui.questions.size(), 3u);
  EXPECT_EQ(ui.questions[1].text,
            "Wollen Sie den Tabulon\rVarnland - Berufsschule\rjetzt wirklich BEENDEN?");
  EXPECT_THAT(ui.questions[2].text, StartsWith("Die aktuelle Tabellen-Datei wurde"));
  EXPECT_EQ(ReadBytes(File(0)), "ES001;ES002;ES003\r\n4711;Nord;\r\n");
}

}  // namespace
}  // namespace tabulon::gui

#include "sheets/class/class_calcs.h"

#include <gtest/gtest.h>

#include <sstream>

#include "calc/calc_test_support.h"
#include "support/grid_text.h"
#include "support/scripted_ui.h"

namespace tabulon {
namespace {

using calc::CalcEnv;
using calc::CalcStopped;
using Rows = std::vector<std::vector<std::string>>;

class ClassCalcTest : public ::testing::Test {
 protected:
  void Run(void (*calc)(CalcEnv&), Grid& g) {
    CalcEnv env{g, flags, ui, ask};
    calc(env);
  }
  ErrorFlags flags;
  ScriptedUi ui;
  bool ask = false;
};

Grid WithHeader(int cols, Rows data) {
  Rows all = {{"SA"}, {"ES"}};
  for (auto& r : data) all.push_back(std::move(r));
  return GridFromRows(cols, all);
}

TEST_F(ClassCalcTest, Table1TotalRowTakesTheFirstRowWithoutYear) {
  Grid g = WithHeader(6, {{"Meldung", "1990", "5", "2"},
                          {"", "1991", "7", "3", "1"},
                          {"", "8888", "1", "1", "1", "1"},  // foreign pupils among the others
                          {"", "", "", ""},
                          {"", "2000", "x"}});
  Run(class_sheet::Table1SummaryRow, g);
  EXPECT_EQ(RowOf(g, 5), (std::vector<std::string>{"", "9999", "12", "5", "1", "0"}));
  EXPECT_TRUE(flags.Failed(7));  // "x" counts 0 and is reported
  // A second run finds the total row and changes nothing.
  const Grid once = g;
  Run(class_sheet::Table1SummaryRow, g);
  EXPECT_EQ(RowOf(g, 5), RowOf(once, 5));
  EXPECT_EQ(g.RowCount(), once.RowCount());
}

TEST_F(ClassCalcTest, Table3NewTotalRowIsAppendedWithItsTexts) {
  Grid g = WithHeader(7, {{"Meldung", "Polen", "152", "4", "2", "1", ""},
                          {"", "Türkei", "163", "3", "1", "", "1"}});
  Run(class_sheet::Table3SummaryRow, g);
  ASSERT_EQ(g.RowCount(), 5);
  EXPECT_EQ(RowOf(g, 4), (std::vector<std::string>{"", "Insgesamt", "999", "7", "3", "1", "1"}));
}

// Fixed total and subtotal rows: rule B writes 0 into blank cells, rule A leaves them blank.
TEST_F(ClassCalcTest, FixedRowsOfTheKeyRowTables) {
  using namespace class_sheet;
  struct Case {
    const char* name;
    void (*run)(CalcEnv&);
    int cols, rows;
    const char* ones;  // "col,row" of the cells holding "1"
    int target;
    const char* expected;  // the target row from column 2 on
  } cases[] = {
      {"K2", Table2SummaryRow, 7, 13, "3,2 3,6 3,11 4,3 6,12", 12, "99|3|0|0|0"},
      {"K3", Table2SubtotalRows, 7, 13, "3,3 3,5 5,6", 2, "|2|||"},
      {"K5", Table5SummaryRow, 5, 8, "3,2 4,6", 7, "99|1|1"},
      {"K6", Table6SummaryRow, 5, 12, "3,2 3,3 3,9 4,10", 11, "99|2|1"},
      {"K7", Table6SubtotalRows, 5, 12, "3,3 3,8 4,9", 2, "|2|"},
      {"K8", Table7SummaryRow, 7, 14, "3,12 5,10 5,11 6,12", 13, "99|1|0|1|0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Grid g(c.cols, c.rows);
    std::istringstream ones(c.ones);
    for (int col, row; ones >> col && ones.ignore() >> row;) g.SetCell(col, row, "1");
    // A typed total of 0 where the sum is 0 stays as it is under rule B as well.
    Run(c.run, g);
    EXPECT_EQ(RowTexts(g, 2, c.cols - 1, c.target, c.target), Texts{c.expected});
  }
}

TEST_F(ClassCalcTest, AStrictReadStopsButKeepsTheCellsSetBefore) {
  Grid g(7, 14);
  g.SetCell(3, 2, "4");
  g.SetCell(5, 2, "2");
  g.SetCell(5, 13, "zwei");
  try {
    Run(class_sheet::Table7SummaryRow, g);
    FAIL() << "no stop";
  } catch (const CalcStopped& stop) {
    EXPECT_EQ(stop.col(), 5);
    EXPECT_EQ(stop.row(), 13);
  }
  EXPECT_EQ(RowOf(g, 13), (std::vector<std::string>{"", "", "99", "4", "0", "zwei", ""}));
}

TEST_F(ClassCalcTest, TypedTotalsAreAskedAboutWhenWanted) {
  ask = true;
  Grid g(5, 8);
  g.SetCell(3, 2, "3");
  g.SetCell(3, 7, "2");
  g.SetCell(4, 7, "0");
  ui.cell_change_answers = {false};
  Run(class_sheet::Table5SummaryRow, g);
  ASSERT_EQ(ui.cell_changes.size(), 1u);  // the equal 0 is not asked about
  EXPECT_EQ(ui.cell_changes[0].current_value, "2");
  EXPECT_EQ(ui.cell_changes[0].new_value, "3");
  EXPECT_EQ(g.Cell(3, 7), "2");
}

Grid Table8(Rows data) { return WithHeader(8, std::move(data)); }

TEST_F(ClassCalcTest, Table8TotalRowSumsOccupationGroupRows) {
  Grid g = Table8({{"Meldung", "01", "", "1230", "", "", "10", "4"},  // group row: counts
                   {"", "02", "", "1234", "", "101", "6", "2"},       // detail row: not
                   {"", "51", "", "2001", "", "", "3", "1"},          // 200: counts
                   {"", "52", "", "2111", "", "", "5", "5"},          // 211: not
                   {"", "53", "", "12", "", "", "7", "7"}});          // short: group 0
  Run(class_sheet::Table8SummaryRow, g);
  ASSERT_EQ(g.RowCount(), 8);
  EXPECT_EQ(RowOf(g, 7), (std::vector<std::string>{"", "99", "", "9999", "", "", "13", "5"}));

  Grid bad = Table8({{"Meldung", "01", "", "A230", "", "", "1", "1"}});
  EXPECT_THROW(Run(class_sheet::Table8SummaryRow, bad), CalcStopped);
}

TEST_F(ClassCalcTest, Table8GroupRowsAskFirstAndNameMissingGroups) {
  Grid g = Table8({{"Meldung", "01", "", "1230", "", "", "", ""},
                   {"", "02", "", "1234", "", "101", "6", "2"},
                   {"", "03", "", "1235", "", "102", "4", "1"},
                   {"", "04", "", "1451", "", "101", "1", "1"},
                   {"", "51", "", "1211", "", "101", "2", "0"}});
  ui.answers = {false, true};
  Run(class_sheet::Table8SubtotalRows, g);
  EXPECT_EQ(g.Cell(6, 2), "");
  Run(class_sheet::Table8SubtotalRows, g);
  EXPECT_EQ(ui.questions.size(), 2u);
  EXPECT_EQ(ui.questions[0], (RecordedMessage{MessageKind::kConfirmation,
                                              "Diese Berechnungen setzen eine ordnungsgmäß\r"
                                              "nummerierte und sortierte Tabelle voraus!\r\r"
                                              "Soll die Funktion jetzt ausgeführt werden?"}));
  EXPECT_EQ(g.Cell(6, 2), "10");
  EXPECT_EQ(g.Cell(7, 2), "3");
  EXPECT_EQ(ui.messages,
            (std::vector<RecordedMessage>{
                {MessageKind::kError,
                 "Die Berufsgruppe(n): 1450, 1210\rfehlt/fehlen in der Tabelle!\r\rErgänzen Sie "
                 "die entsprechenden Zeile(n) und\rrufen Sie die Berechnungsfunktion noch einmal "
                 "aus!"}}));

  ui.messages.clear();
  Grid empty = Table8({});
  Run(class_sheet::Table8GroupRows, empty);
  EXPECT_EQ(ui.messages,
            (std::vector<RecordedMessage>{{MessageKind::kError,
                                           "Die Zeilen-Nummerierung fehlt mindestens 1x\r"
                                           "oder keine auswertbaren Zeilen gefunden!"}}));
}

// Table 9 with the total block and the given groups, each a block of schooling keys 1 to 7 and 9.
Grid Table9(const std::vector<std::pair<std::string, std::vector<int>>>& groups) {
  Rows rows;
  const char* keys[] = {"1", "2", "3", "4", "5", "6", "7", "9"};
  for (const char* k : keys) rows.push_back({k, "", "Auszubildende insgesamt", "9999", k});
  for (const auto& [group, counts] : groups) {
    for (std::size_t i = 0; i < 8; ++i) {
      rows.push_back({keys[i], "", "", group, keys[i],
                      i < counts.size() ? std::to_string(counts[i]) : "", ""});
    }
  }
  return WithHeader(7, rows);
}

TEST_F(ClassCalcTest, Table9TotalsPerSchoolingKey) {
  Grid g = Table9({{"1230", {1, 2, 0, 0, 0, 0, 0, 3}}, {"2340", {4, 0, 0, 0, 0, 0, 1, 5}}});
  Run(class_sheet::Table9SummaryRow, g);
  // Rule B: a blank total gets 0.
  EXPECT_EQ(RowTexts(g, 5, 6, 2, 9),
            (Texts{"5|0", "2|0", "0|0", "0|0", "0|0", "0|0", "1|0", "8|0"}));
}

TEST_F(ClassCalcTest, Table9GroupTotalsForTenGroupsEachOnItsOwn) {
  std::vector<std::pair<std::string, std::vector<int>>> groups;
  for (int i = 1; i <= 10; ++i) groups.push_back({std::to_string(1000 + i * 10), {i, i}});
  Grid g = Table9(groups);
  Run(class_sheet::Table9SubtotalRows, g);
  for (int i = 1; i <= 10; ++i) {
    const int key9_row = 9 + i * 8;
    EXPECT_EQ(g.Cell(5, key9_row), std::to_string(2 * i)) << i;
    EXPECT_EQ(g.Cell(6, key9_row), "") << i;  // rule A: a blank 0 stays blank
  }
  EXPECT_EQ(g.Cell(5, 9), "");  // the total block is not a group

  g.SetCell(4, 12, "drei");
  EXPECT_THROW(Run(class_sheet::Table9SubtotalRows, g), CalcStopped);
}

TEST_F(ClassCalcTest, Table10PupilsWithForeignLanguages) {
  Grid g = GridFromRows(6, {{}, {}, {"Meldung", "", "12", "6", "2", "0"}});
  Run(class_sheet::Table10SummaryColumns, g);
  EXPECT_EQ(g.Cell(1, 2), "20");
}

}  // namespace
}  // namespace tabulon

#include "sheets/school/school_calcs.h"

#include <gtest/gtest.h>

#include <sstream>

#include "calc/calc_test_support.h"
#include "support/grid_text.h"
#include "support/scripted_ui.h"

namespace tabulon::calc {
namespace {

// School table 1 with keys in the order the tests address the rows: the main types end in "0",
// their parts follow them.
Grid SchoolTable1() {
  static const char* kKeys[] = {"010", "011", "020", "021", "022", "023", "030", "040",
                                "160", "161", "162", "163", "164", "060", "170", "171",
                                "172", "173", "174", "080", "081", "082", "100", "120",
                                "121", "122", "130", "131", "132", "999"};
  Grid g = MakeGrid(18, 32);
  g.SetCell(1, 31, "Insgesamt");
  for (int row = 2; row <= 31; ++row) {
    g.SetCell(0, row, kKeys[row - 2]);
    g.SetCell(2, row, kKeys[row - 2]);
  }
  return g;
}

class SchoolCalcTest : public ::testing::Test {
 protected:
  void Run(void (*calc)(CalcEnv&), Grid& g, bool ask) {
    CalcEnv env{g, flags, ui, ask};
    calc(env);
  }
  ScriptedUi ui;
  ErrorFlags flags;
};
using SchoolTable1Test = SchoolCalcTest;
using SchoolTable2Test = SchoolCalcTest;

// Every value cell of rows 2 to 30 holds 2^row, so a sum shows exactly which rows it took.
void FillRowBits(Grid& g) {
  for (int row = 2; row <= 30; ++row)
    for (int col = 3; col <= 17; ++col) g.SetCell(col, row, std::to_string(1LL << row));
}

long long Bits(std::initializer_list<int> rows) {
  long long s = 0;
  for (int r : rows) s += 1LL << r;
  return s;
}

TEST_F(SchoolTable1Test, SummaryRowTakesMainTypesWithTheColumnsTheyHave) {
  Grid g = SchoolTable1();
  FillRowBits(g);
  Run(SchoolTable1SummaryRow, g, true);
  // Main types (third key character "0"): rows 2, 4, 8, 9, 10, 15, 16, 21, 24, 25, 28.
  const long long all = Bits({2, 4, 8, 9, 10, 15, 16, 21, 24, 25, 28});
  const long long year3 = Bits({2, 9, 10, 15, 16, 24, 25, 28});
  const long long year4 = Bits({9, 24, 28});
  const long long year5 = Bits({2, 28});
  const long long year2 = Bits({2, 4, 9, 10, 15, 16, 21, 24, 25, 28});
  const long long expected[18] = {0,   0,   0,     all,   all,   year2, year3, year4, year5,
                                  all, all, year2, year3, year4, year5, all,   all,   all};
  for (int col = 3; col <= 17; ++col) {
    EXPECT_EQ(g.Cell(col, 31), std::to_string(expected[col])) << "column " << col;
  }
  EXPECT_TRUE(ui.cell_changes.empty());
  EXPECT_FALSE(flags.Failed(7));
}

TEST_F(SchoolTable1Test, SummaryRowAsksBeforeReplacingATypedTotalAndKeepsOnNein) {
  Grid g = SchoolTable1();
  g.SetCell(0, 0, "SA 1");
  g.SetCell(3, 0, "Klassen insg.");
  g.SetCell(9, 0, "Schüler/-innen insg.");
  g.SetCell(3, 2, "4");
  g.SetCell(3, 4, "x");  // not a number: counts 0, reported as error 7
  g.SetCell(9, 2, "70000");
  g.SetCell(9, 9, "-5");  // negative: error 7, but it counts
  g.SetCell(3, 31, "3");
  g.SetCell(9, 31, "1");
  ui.cell_change_answers = {false, true};
  Run(SchoolTable1SummaryRow, g, true);
  ASSERT_EQ(ui.cell_changes.size(), 2u);
  EXPECT_EQ(ui.cell_changes[0], (CellChangeQuestion{"Klassen insg.", "Insgesamt", "3", "4"}));
  EXPECT_EQ(ui.cell_changes[1],
            (CellChangeQuestion{"Schüler/-innen insg.", "Insgesamt", "1", "69995"}));
  EXPECT_EQ(g.Cell(3, 31), "3");
  EXPECT_EQ(g.Cell(9, 31), "69995");
  EXPECT_EQ(g.Cell(4, 31), "");  // computed 0 into a blank cell stays blank
  EXPECT_TRUE(flags.Failed(7));
}

TEST_F(SchoolTable1Test, SubtotalRowsSumTheirMembersInTheirColumnsOnly) {
  Grid g = SchoolTable1();
  FillRowBits(g);
  for (int row : {4, 10, 16, 21, 25, 28})
    for (int col = 3; col <= 17; ++col) g.SetCell(col, row, "");
  g.SetCell(6, 4, "keep");
  g.SetCell(7, 10, "keep");
  Run(SchoolTable1SubtotalRows, g, false);
  struct Expect {
    int col, row;
    std::string text;
  };
  const Expect expects[] = {{3, 4, std::to_string(Bits({5, 6, 7}))},
                            {5, 4, std::to_string(Bits({5, 6, 7}))},
                            {6, 4, "keep"},
                            {12, 4, ""},
                            {3, 10, std::to_string(Bits({11, 12, 13, 14}))},
                            {6, 10, std::to_string(Bits({12, 13, 14}))},
                            {12, 10, std::to_string(Bits({12, 13, 14}))},
                            {7, 10, "keep"},
                            {17, 16, std::to_string(Bits({17, 18, 19, 20}))},
                            {3, 21, std::to_string(Bits({22, 23}))},
                            {4, 21, std::to_string(Bits({23}))},
                            {10, 21, std::to_string(Bits({23}))},
                            {11, 21, std::to_string(Bits({22, 23}))},
                            {9, 25, std::to_string(Bits({26, 27}))},
                            {8, 28, std::to_string(Bits({29, 30}))},
                            {14, 28, std::to_string(Bits({29, 30}))},
                            {8, 25, ""}};
  for (const Expect& e : expects) {
    EXPECT_EQ(g.Cell(e.col, e.row), e.text) << "column " << e.col << ", row " << e.row;
  }
}

TEST_F(SchoolTable1Test, SummaryColumnsAddTheRowsSchoolYears) {
  Grid g = SchoolTable1();
  for (int row = 2; row <= 30; ++row) {
    for (int year = 1, classes = 1; year <= 5; ++year, classes *= 10) {
      g.SetCell(3 + year, row, std::to_string(classes));
      g.SetCell(9 + year, row, std::to_string(2 * classes));
    }
  }
  Run(SchoolTable1SummaryColumns, g, false);
  const struct {
    int row;
    const char* classes;
    const char* pupils;
  } expects[] = {{2, "11111", "22222"},  {3, "", ""},        {4, "11", "22"},  {5, "1", "2"},
                 {6, "1", "2"},          {7, "11", "22"},    {8, "1", "2"},    {9, "1111", "2222"},
                 {11, "11", "22"},       {12, "111", "222"}, {22, "10", "20"}, {24, "1111", "2222"},
                 {30, "11111", "22222"}, {31, "", ""}};
  for (const auto& e : expects) {
    EXPECT_EQ(g.Cell(3, e.row), e.classes) << "row " << e.row;
    EXPECT_EQ(g.Cell(9, e.row), e.pupils) << "row " << e.row;
  }
}

// School table 2: 19 columns; column 1 type, column 2 birth year, 3 to 18 values.
Grid Table2(const std::vector<std::vector<std::string>>& data, int rows = 10) {
  std::vector<std::vector<std::string>> all = {
      {"Satzart 2", "Schulart-Nr.", "Geburtsjahr", "Absolventen/Abgänger insg."},
      {"Erfassungsspalte", "ES001", "ES002", "ES003"}};
  for (const auto& r : data) all.push_back(r);
  while (static_cast<int>(all.size()) < rows) all.push_back({});
  return GridFromRows(19, all);
}

TEST_F(SchoolTable2Test, TypeWithoutTotalRowGetsOneInTheFirstBlankRowAndForeignersAreLeftOut) {
  Grid g = Table2(
      {{"", "020", "2000", "5", "2"},
       {"", "020", "2001", "7", "3", "", "", "", "", "", "", "", "", "", "", "", "", "", "1"},
       {"", "020", "8888", "4", "4"}});
  Run(SchoolTable2TypeTotals, g, true);
  EXPECT_EQ(g.RowCount(), 10);
  std::vector<std::string> expected(19, "");
  expected[1] = "020";
  expected[2] = "9999";
  expected[3] = "12";
  expected[4] = "5";
  expected[18] = "1";
  EXPECT_EQ(RowOf(g, 5), expected);
  EXPECT_EQ(RowOf(g, 6), std::vector<std::string>(19, ""));
  EXPECT_TRUE(ui.cell_changes.empty());
}

TEST_F(SchoolTable2Test, LastTotalRowWinsAndTheQuestionNamesTypeAndYear) {
  Grid g = Table2({{"", "010", "9999", "1"},
                   {"", "010", "1995", "3"},
                   {"", "010", "1996", "4"},
                   {"", "010", "9999", "5"}});
  g.SetCell(3, 0, "Absolventen/Abgänger insg.");
  ui.cell_change_answers = {true};
  Run(SchoolTable2TypeTotals, g, true);
  ASSERT_EQ(ui.cell_changes.size(), 1u);
  EXPECT_EQ(ui.cell_changes[0],
            (CellChangeQuestion{"Absolventen/Abgänger insg.", "010; 9999", "5", "7"}));
  EXPECT_EQ(g.Cell(3, 5), "7");
  EXPECT_EQ(g.Cell(3, 2), "1");  // the earlier total row is neither summed nor set
  EXPECT_EQ(g.RowCount(), 10);
}

// Where new total rows go: the first blank rows below the last row of a listed type, in type
// order; a row without a type is blank, its values nobody's; an unlisted type is neither summed
// nor given a total. Without blank rows there the grid grows, keeping one blank row below.
TEST_F(SchoolTable2Test, NewTotalRowsTakeBlankRowsBelowTheLastListedRowOrGrowTheGrid) {
  struct Case {
    const char* name;
    std::string data;  // rows from row 2 as SplitRows reads them, "|" a blank row
    int rows;
    std::string after;  // type|year|first value of every row from row 2; "||" an empty row
  } cases[] = {
      {"type order", "|100|1990|2 |010|1991|3 ||||9 |999|1992|8", 10,
       "100|1990|2 010|1991|3 010|9999|3 999|1992|8 100|9999|2 || || ||"},
      {"full grid grows",
       "|060|1990|40000 |060|1991|40000 |060|1992|40000 |060|1993|40000 |070|1990|1 |070|1991|1 "
       "|070|1992|1 |070|1993|1",
       10,
       "060|1990|40000 060|1991|40000 060|1992|40000 060|1993|40000 070|1990|1 070|1991|1 "
       "070|1992|1 070|1993|1 060|9999|160000 070|9999|4 ||"},
      {"the blank row above the last listed row is not used",
       "|080|1990|1 |080|1991|1 |080|1992|1 |080|1993|1 |080|1994|1 |080|1995|1 |080|1996|1 | "
       "|100|1990|2",
       11,
       "080|1990|1 080|1991|1 080|1992|1 080|1993|1 080|1994|1 080|1995|1 080|1996|1 || "
       "100|1990|2 080|9999|7 100|9999|2 ||"},
      {"the last blank row used, one appended below",
       "|060|1990|1 |060|1991|1 |060|1992|1 |060|1993|1 |070|1990|2 |070|1991|2 |070|1992|2", 10,
       "060|1990|1 060|1991|1 060|1992|1 060|1993|1 070|1990|2 070|1991|2 070|1992|2 "
       "060|9999|4 070|9999|6 ||"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Grid g = Table2(SplitRows(c.data), c.rows);
    Run(SchoolTable2TypeTotals, g, false);
    const std::vector<std::string> after = RowTexts(g, 1, 3, 2, g.RowCount() - 1);
    std::vector<std::string> expected;
    std::istringstream words(c.after);
    for (std::string w; words >> w;) expected.push_back(w);
    EXPECT_EQ(after, expected);
    for (int r = 2; r < g.RowCount(); ++r) {
      if (after[r - 2] == "||") {
        EXPECT_EQ(RowOf(g, r), std::vector<std::string>(19, "")) << r;
      }
    }
  }
}

}  // namespace
}  // namespace tabulon::calc

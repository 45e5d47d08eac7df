#include "sheets/school/school_tests.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "plausi/catalogue.h"
#include "support/plausi_support.h"
#include "tables/values.h"

namespace tabulon {
namespace {

// Cell edits written as "col,row=text|col,row=text"; the text runs to the next "|".
void Apply(Grid& g, std::string_view edits) {
  while (!edits.empty()) {
    const std::string_view edit = edits.substr(0, edits.find('|'));
    edits.remove_prefix(std::min(edits.size(), edit.size() + 1));
    const std::size_t comma = edit.find(','), equals = edit.find('=');
    g.SetCell(std::stoi(std::string(edit.substr(0, comma))),
              std::stoi(std::string(edit.substr(comma + 1, equals - comma - 1))),
              std::string(edit.substr(equals + 1)));
  }
}

// School table 1 as the key file lays it out: main types end in "0", their parts follow them.
Grid Table1() {
  static const char* const kKeys[] = {"010", "011", "020", "021", "022", "023", "030", "040",
                                      "160", "161", "162", "163", "164", "050", "170", "171",
                                      "172", "173", "174", "080", "081", "082", "090", "120",
                                      "121", "122", "130", "131", "132", "999"};
  Grid g = CodedGrid(18, 32, 2, 16);
  for (int r = 2; r <= 31; ++r) {
    g.SetCell(0, r, kKeys[r - 2]);
    g.SetCell(2, r, kKeys[r - 2]);
  }
  return g;
}

// "col,row" as a cell position; "" for none.
std::optional<CellPosition> Position(const std::string& text) {
  if (text.empty()) return std::nullopt;
  return CellPosition{std::stoi(text), std::stoi(text.substr(text.find(',') + 1))};
}

std::vector<Finding> Findings(const std::string& text) {
  std::vector<Finding> out;
  std::istringstream in(text);
  for (std::string f; in >> f;) {
    const std::optional<CellPosition> cell = Position(f.substr(f.find('@') + 1));
    out.push_back({std::stoi(f), cell ? cell->col : -1, cell ? cell->row : -1});
  }
  return out;
}

struct Case {
  const char* name;
  const char* edits;
  const char* position;          // "col,row" or "" for none
  const char* findings;          // all of them as "entry@col,row", "entry@" naming no cell
  std::vector<int> failed = {};  // only where no findings are given: else their entries
};

void RunCases(const std::vector<Case>& cases, Grid (*make)(),
              TestResult (*test)(Grid&, ErrorFlags&), bool focus) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Grid g = make();
    Apply(g, c.edits);
    g.SetCurrentCell(1, 1);
    ErrorFlags flags;
    TestResult r = test(g, flags);
    const std::vector<Finding> findings = Findings(c.findings);
    std::set<int> failed(c.failed.begin(), c.failed.end());
    for (const Finding& f : findings) failed.insert(f.entry);
    EXPECT_EQ(FailedEntries(flags), std::vector<int>(failed.begin(), failed.end()));
    EXPECT_TRUE(flags.Tested(7));
    EXPECT_EQ(r.error_position, Position(c.position));
    if (c.failed.empty()) {
      EXPECT_EQ(r.findings, findings);
    }
    const CellPosition now{g.CurrentCol(), g.CurrentRow()};
    EXPECT_EQ(now, Position(c.position).value_or(CellPosition{1, 1}));
    EXPECT_EQ(g.FocusRequested(), focus && *c.position != '\0');
  }
}

TEST(SchoolTable1TestTest, FindsWhatBreaksEachRule) {
  const std::vector<Case> cases = {
      {"empty table", "", "", ""},
      {"empty cell counts as 0", "9,2=", "", ""},
      {"unreadable value", "9,2=abc", "", "7@9,2"},
      {"negative value keeps its value", "16,2=-3", "17,2", "7@16,2 53@16,31 61@17,2"},
      {"locked cell in column 4 of row 22", "3,22=1|4,22=1|3,21=1|4,21=1|3,31=1|4,31=1", "4,22",
       "31@4,22"},
      {"block of row 3 gives no position, even for a 0", "16,3=0", "", "30@16,3"},
      {"a single blank is occupied", "7,12= ", "", "34@7,12 7@7,12"},
      // Rule 34 runs after rule 32.
      {"last single-cell position wins", "8,9=0|5,8=0|7,4=0", "8,9", "32@5,8 34@7,4 34@8,9"},
      {"column total and row total of row 31", "3,2=2|4,2=2|3,31=3|4,31=2", "3,31",
       "40@3,31 57@3,31"},
      {"parts of a type are not counted in the column total",
       "9,4=4|10,4=4|9,5=4|10,5=4|9,31=4|10,31=4", "", ""},
      {"a row with an empty key is not counted",
       "0,9=|17,9=1|16,9=1|15,9=1|9,9=1|10,9=1|17,31=1|16,31=1|15,31=1|9,31=1|10,31=1",
       "17,31",
       "",
       {46, 51, 52, 53, 75}},
      {"block-instruction row is not a row total but bounded by row 2", "3,3=2", "3,3", "62@3,3"},
      {"parts larger than the total", "3,24=1|8,24=0|9,24=1|10,24=2|9,31=1|3,31=1|10,31=2", "10,31",
       "34@8,24 57@3,24 57@3,31 58@9,24 58@9,31 60@10,24 60@10,31"},
      {"the pupils' row sums run after the classes' over all rows",
       "3,9=1|4,9=1|5,9=1|3,24=2|4,24=1|3,31=3|4,31=2|5,31=1|9,3=1", "9,3",
       "30@9,3 57@3,9 57@3,24 58@9,3"},
      {"weibl. and foreigners bounded",
       "9,2=1|10,2=1|15,2=2|16,2=1|17,2=2|9,31=1|10,31=1|15,31=2|16,31=1|17,31=2", "17,31",
       "61@15,2 61@17,2 61@15,31 61@17,31"},
      {"subtotal row 16 of rows 17 to 20", "9,17=1|10,17=1|15,17=1", "15,16",
       "66@9,16 66@10,16 66@15,16"},
      {"subtotal row 28 of rows 29 and 30", "3,28=1|4,28=1|3,31=1|4,31=1", "4,28",
       "69@3,28 69@4,28"},
      {"ES row differs: the test goes on", "5,1=ES04|3,31=1", "3,31", "5@5,1 40@3,31 57@3,31"},
  };
  RunCases(cases, Table1, TestSchoolTable1, true);
}

TEST(SchoolTable1TestTest, MarksEveryRuleButSixtyFourAsTested) {
  Grid g = Table1();
  ErrorFlags flags;
  TestSchoolTable1(g, flags);
  std::vector<int> expected = {5, 7};
  for (int n = 30; n <= 75; ++n) {
    if (n != 39 && (n < 54 || n > 56) && n != 64 && (n < 70 || n > 74)) expected.push_back(n);
  }
  EXPECT_EQ(TestedEntries(flags), expected);
}

TEST(SchoolTable1TestTest, SmallerGridReadsMissingCellsAsEmpty) {
  Grid g = CodedGrid(5, 4, 2, 3);
  ErrorFlags flags;
  TestResult r = TestSchoolTable1(g, flags);
  EXPECT_EQ(FailedEntries(flags), (std::vector<int>{5}));
  EXPECT_EQ(r.findings.size(), 13u);  // ES004 to ES016 missing
}

Grid Table2(int rows) { return CodedGrid(19, rows, 1, 18); }
Grid Table2() { return Table2(12); }

TEST(SchoolTable2TestTest, FindsWhatBreaksEachRule) {
  const std::vector<Case> cases = {
      {"empty table", "", "", ""},
      {"no 9999 row while a birth year holds values",
       "1,2=010|2,2=1990|3,2=1|5,2=1|1,3=010|2,3=1991", "", "82@"},
      {"no 9999 row and only zeros", "1,2=010|2,2=1990|3,2=0", "", ""},
      {"foreigners above the birth years",
       "1,2=010|2,2=1990|3,2=2|5,2=2|1,3=010|2,3=9999|3,3=2|5,3=2|1,4=010|2,4=8888|3,4=3|5,4=3",
       "5,4", "85@3,4 85@5,4"},
      {"total row differs from the birth years of the last type", "1,5=170|2,5=9999|3,5=1|5,5=1",
       "5,5", "154@3,5 154@5,5"},
      {"row sums of insg. and weibl.",
       "1,2=020|2,2=1990|3,2=5|5,2=1|4,2=1|1,3=020|2,3=9999|3,3=5|5,3=1|4,3=1", "4,3",
       "86@3,2 87@4,2 86@3,3 87@4,3"},
      {"additional certificates exceed the certificates",
       "1,2=030|2,2=1990|3,2=1|7,2=1|9,2=1|11,2=1|1,3=030|2,3=9999|3,3=1|7,3=1|9,3=1|11,3=1", "7,3",
       "95@7,2 95@7,3"},
      {"weibl. above insg.",
       "1,2=060|2,2=1990|17,2=1|18,2=2|3,2=1|4,2=2|1,3=060|2,3=9999|17,3=1|18,3=2|3,3=1|4,3=2",
       "18,3", "61@4,2 61@18,2 61@4,3 61@18,3"},
      {"the foreigners rule runs after the totals rule over all columns",
       "1,2=010|2,2=1990|3,2=2|17,2=2|4,2=1|18,2=1|1,3=010|2,3=9999|3,3=2|17,3=2|1,4=010|2,4=8888|"
       "3,4=3|17,4=3",
       "17,4", "82@4,3 82@18,3 85@3,4 85@17,4"},
      {"negative birth years without total and foreigners rows point at no cell",
       "1,2=010|2,2=1990|3,2=-1|5,2=-1|4,2=-1|6,2=-1", "", "7@3,2 7@4,2 7@5,2 7@6,2 82@ 85@"},
      {"other school-type texts are not tested", "1,2=10|2,2=1990|3,2=7|1,3=010 |3,3=7", "", ""},
      {"unreadable value", "1,2=100|2,2=1990|8,2=x", "", "7@8,2"},
  };
  RunCases(cases, Table2, TestSchoolTable2, true);
}

TEST(SchoolTable2TestTest, OnlyTypesWithRowsAreTested) {
  Grid g = Table2();
  Apply(g, "1,2=010|2,2=9999|1,3=140|2,3=1990");
  ErrorFlags flags;
  TestSchoolTable2(g, flags);
  // "010" is the first type (80..85), "140" the eleventh (140..145).
  EXPECT_EQ(TestedEntries(flags),
            (std::vector<int>{5, 7, 61, 80, 81, 82, 83, 84, 85, 140, 141, 142, 143, 144, 145}));
  EXPECT_TRUE(FailedEntries(flags).empty());
}

TEST(SchoolTable2TestTest, ReadsEveryRowOfALongTable) {
  Grid g = Table2(2002);
  for (int r = 2; r < 2002; ++r) {
    g.SetCell(1, r, "120");
    g.SetCell(2, r, r == 2001 ? "9999" : "1990");
    g.SetCell(3, r, r == 2001 ? "1999" : "1");
    g.SetCell(5, r, r == 2001 ? "1999" : "1");
  }
  ErrorFlags flags;
  TestResult r = TestSchoolTable2(g, flags);
  EXPECT_TRUE(FailedEntries(flags).empty());
  g.SetCell(3, 2001, "2000");
  g.SetCell(5, 2001, "2000");
  ErrorFlags again;
  r = TestSchoolTable2(g, again);
  EXPECT_EQ(FailedEntries(again), (std::vector<int>{130}));
  EXPECT_EQ(r.error_position, (CellPosition{5, 2001}));
}

Grid Table3() { return CodedGrid(10, 10, 1, 9); }

TEST(SchoolTable3TestTest, WeiblNeverAboveInsgAndTheFocusStays) {
  const std::vector<Case> cases = {
      {"empty data area", "", "", ""},
      {"ES row is not checked", "2,1=XX", "", ""},
      {"pairs", "4,3=1|5,3=1|7,4=1|8,9=2|9,9=3", "9,9", "61@7,4 61@9,9"},
      {"negative", "6,2=-1", "7,2", "7@6,2 61@7,2"},
  };
  RunCases(cases, Table3, TestSchoolTable3, false);
}

TEST(SchoolTable3TestTest, MarksOnlyItsTwoRulesAsTested) {
  Grid g = Table3();
  ErrorFlags flags;
  TestSchoolTable3(g, flags);
  EXPECT_EQ(TestedEntries(flags), (std::vector<int>{7, 61}));
}

Grid Table4() { return CodedGrid(8, 3, 1, 7); }

TEST(SchoolTable4TestTest, ReligionColumns) {
  const std::vector<Case> cases = {
      {"empty", "", "", ""},
      {"sum of the parts and the evangelical pair", "1,2=10|2,2=5|3,2=6", "1,2", "70@1,2 71@"},
      {"a column above the total", "1,2=3|4,2=5", "4,2", "70@1,2 72@4,2 72@"},
      {"consistent", "1,2=6|6,2=3|7,2=3", "", ""},
      {"sums of large values do not wrap around to the total",
       "1,2=0|2,2=2147483647|4,2=2147483647|6,2=2", "6,2",
       "70@1,2 71@2,2 71@ 72@4,2 72@ 73@6,2 73@"},
      {"ES row", "7,1=ES008", "", "5@7,1"},
  };
  RunCases(cases, Table4, TestSchoolTable4, true);
}

}  // namespace
}  // namespace tabulon

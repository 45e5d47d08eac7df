#include "sheets/class/class_tests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/registry.h"
#include "base/settings.h"
#include "plausi/catalogue.h"
#include "support/plausi_support.h"
#include "tables/values.h"

namespace tabulon::class_sheet {
namespace {

struct Outcome {
  ErrorFlags flags;
  TestResult result;
  Grid grid;
};

Outcome RunTest(int table, Grid grid, const std::string& class_id = "ABC012") {
  Outcome o;
  o.grid = std::move(grid);
  Settings settings;
  settings.dst_nr = "12345";
  ResetErrorFlags(o.flags);
  TestEnv env{o.grid, o.flags, settings, class_id};
  o.result = TestClassTable(table, env);
  return o;
}

Grid Table0(const char* type, const char* kind) {
  Grid g = CodedGrid(7, 3, 1, 6);
  const char* const row[] = {"12345", type, "012", "1", "2", kind};
  for (int c = 1; c <= 6; ++c) g.SetCell(c, 2, row[c - 1]);
  return g;
}

TEST(ClassTestsTable0, SchoolTypeAndClassType) {
  struct {
    const char* type;
    const char* kind;
    std::vector<int> failed;
  } cases[] = {
      {"010", "", {18}}, {"010", "2", {}},     {"011", "4", {18}}, {"020", "0", {}},
      {"020", "", {}},   {"020", "2", {18}},   {"10", "2", {15}},  {"999", "", {}},
      {"175", "", {15}}, {"abc", "", {7, 15}},
  };
  for (const auto& c : cases) {
    Outcome o = RunTest(0, Table0(c.type, c.kind));
    EXPECT_EQ(FailedEntries(o.flags), c.failed) << c.type << "/" << c.kind;
    for (int e : {5, 7, 10, 15, 16, 17, 18, 19}) EXPECT_TRUE(o.flags.tested[e]) << e;
  }
}

TEST(ClassTestsTable0, StatisticsNumberAndClassNumber) {
  Outcome o = RunTest(0, Table0("020", ""), "ABC013");
  EXPECT_EQ(FailedEntries(o.flags), std::vector<int>{19});
  EXPECT_EQ(o.result.error_position, (CellPosition{3, 2}));
  EXPECT_EQ(o.grid.CurrentCol(), 3);
  Grid g = Table0("020", "");
  g.SetCell(1, 2, "12346");
  g.SetCell(4, 2, "3");
  o = RunTest(0, g);
  EXPECT_EQ(FailedEntries(o.flags), (std::vector<int>{10, 16}));
  EXPECT_EQ(o.result.error_position, (CellPosition{4, 2}));
}

Grid Table1(std::vector<std::vector<const char*>> rows) {
  Grid g = CodedGrid(6, 2 + static_cast<int>(rows.size()), 1, 5);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      g.SetCell(1 + static_cast<int>(c), 2 + static_cast<int>(r), rows[r][c]);
    }
  }
  return g;
}

TEST(ClassTestsTable1, SumRowAgainstYears) {
  Outcome pass = RunTest(1, Table1({{"1990", "5"}, {"1991", "7"}, {"9999", "12"}}));
  EXPECT_EQ(FailedEntries(pass.flags), std::vector<int>{});
  EXPECT_TRUE(pass.flags.tested[231]);
  EXPECT_TRUE(pass.flags.tested[232]);

  Outcome fail = RunTest(1, Table1({{"1990", "5"}, {"1991", "7"}, {"9999", "13"}}));
  EXPECT_EQ(FailedEntries(fail.flags), std::vector<int>{232});
  EXPECT_EQ(fail.result.findings, (std::vector<Finding>{{232, 2, 4}}));

  Outcome none = RunTest(1, Table1({{"1990", "5"}, {"1991", "7"}}));
  EXPECT_EQ(FailedEntries(none.flags), (std::vector<int>{231, 232}));
  Outcome empty = RunTest(1, Table1({{"1990", ""}}));
  EXPECT_EQ(FailedEntries(empty.flags), std::vector<int>{231});
}

TEST(ClassTestsTable1, ForeignAboveTotalIsListedAsFailure) {
  // Column 4 of the 8888 row (foreign pupils) is compared with the 9999 row in column 4.
  Grid g =
      Table1({{"1990", "4", "", "", ""}, {"9999", "4", "", "3", ""}, {"8888", "4", "", "4", ""}});
  Outcome o = RunTest(1, g);
  EXPECT_TRUE(o.flags.tested[230]);
  EXPECT_TRUE(o.flags.failed[230]);
  EXPECT_EQ(o.result.error_position, (CellPosition{4, 3}));
}

TEST(ClassTestsTable1, SubColumns) {
  Outcome o = RunTest(1, Table1({{"1990", "5", "6"}, {"9999", "5", "6"}}));
  EXPECT_EQ(FailedEntries(o.flags), std::vector<int>{8});
}

TEST(ClassTestsTable2, PartsOfRowTwo) {
  Grid g = KeyTable(7, 12, 5);
  const char* values[] = {"5", "1", "2", "1"};  // rows 2 to 5, column 3
  for (int r = 2; r <= 5; ++r) g.SetCell(3, r, values[r - 2]);
  g.SetCell(3, 12, "5");
  Outcome o = RunTest(2, g);
  EXPECT_EQ(FailedEntries(o.flags), std::vector<int>{233});
  EXPECT_EQ(o.result.error_position, (CellPosition{3, 2}));
  g.SetCell(3, 2, "4");
  g.SetCell(3, 12, "4");
  EXPECT_EQ(FailedEntries(RunTest(2, g).flags), std::vector<int>{});
  g.SetCell(2, 7, "99");
  EXPECT_EQ(FailedEntries(RunTest(2, g).flags), std::vector<int>{235});
}

TEST(ClassTestsTable4, GkAndLkTogetherAboveAll) {
  Grid g = KeyTable(7, 15, 5);
  g.SetCell(3, 4, "10");
  g.SetCell(5, 4, "6");
  g.SetCell(6, 4, "5");
  Outcome o = RunTest(4, g);
  EXPECT_EQ(FailedEntries(o.flags), std::vector<int>{8});
  EXPECT_EQ(o.result.error_position, (CellPosition{5, 4}));
  g.SetCell(6, 4, "4");
  EXPECT_EQ(FailedEntries(RunTest(4, g).flags), std::vector<int>{});
}

TEST(ClassTestsTable7, RowTwelveAndFootnotes) {
  Grid g = KeyTable(7, 13, 5);
  g.SetCell(3, 12, "12");
  g.SetCell(3, 13, "12");
  g.SetCell(5, 2, "12");
  g.SetCell(5, 13, "12");
  EXPECT_EQ(FailedEntries(RunTest(7, g).flags), std::vector<int>{});
  // Row 12 may not hold block pupils, and its pupils must be row 13's block pupils.
  g.SetCell(5, 12, "1");
  g.SetCell(5, 13, "13");
  Outcome o = RunTest(7, g);
  EXPECT_EQ(FailedEntries(o.flags), (std::vector<int>{236, 237}));
  EXPECT_EQ(o.result.error_position, (CellPosition{5, 13}));
}

struct Row8 {
  const char* line;
  const char* code;
  const char* district;
  const char* total;
  const char* female;
};

Grid Table8(const std::vector<Row8>& rows) {
  Grid g = CodedGrid(8, 3 + static_cast<int>(rows.size()), 1, 7);
  g.SetCell(0, 2, "Meldung");  // the label the set-up writes
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int r = 2 + static_cast<int>(i);
    g.SetCell(1, r, rows[i].line);
    g.SetCell(3, r, rows[i].code);
    g.SetCell(5, r, rows[i].district);
    g.SetCell(6, r, rows[i].total);
    g.SetCell(7, r, rows[i].female);
  }
  return g;
}

// Group rows keyed from 3000 on (other training "3130", letter code "313A" = 3901) take part in
// no check, so the 99 row counts the company groups only.
TEST(ClassTestsTable8, ConsistentTablePasses) {
  Outcome o = RunTest(8, Table8({{"01", "1230", "", "5", "2"},
                                 {"02", "1234", "111", "3", "1"},
                                 {"03", "1235", "112", "2", "1"},
                                 {"50", "3130", "", "4", "0"},
                                 {"51", "313A", "111", "4", "0"},
                                 {"99", "", "", "5", "2"}}));
  EXPECT_EQ(FailedEntries(o.flags), std::vector<int>{});
  for (int e : {8, 231, 232, 242, 243, 244, 245, 246}) EXPECT_TRUE(o.flags.tested[e]) << e;
}

TEST(ClassTestsTable8, RowFaults) {
  struct {
    Row8 row;
    std::vector<int> failed;
  } cases[] = {
      {{"7", "1230", "", "0", "0"}, {244}},          {{"07", "1230", "", "0", "0"}, {}},
      {{"100", "1230", "", "0", "0"}, {244}},        {{"9A", "1230", "", "0", "0"}, {7}},
      {{"07", "123", "", "0", "0"}, {243}},          {{"07", "ABCD", "", "0", "0"}, {243}},
      {{"07", "12A0", "", "0", "0"}, {243}},         {{"07", "1234", "", "0", "0"}, {245}},
      {{"07", "1230", "", "1", "2"}, {8, 232, 242}},
  };
  for (const auto& c : cases) {
    Outcome o = RunTest(8, Table8({{"06", "1500", "", "0", "0"}, c.row, {"99", "", "", "0", "0"}}));
    EXPECT_EQ(FailedEntries(o.flags), c.failed) << c.row.line << " " << c.row.code;
  }
}

TEST(ClassTestsTable8, EmptyTableReportsOnlyMissingGroupsAndSumRow) {
  Outcome o = RunTest(8, Table8({}));
  EXPECT_EQ(FailedEntries(o.flags), (std::vector<int>{231, 242}));
}

TEST(ClassTestsTable8, GroupTotalAgainstDetails) {
  Outcome o = RunTest(8, Table8({{"01", "1230", "", "5", "2"},
                                 {"02", "1234", "111", "4", "2"},
                                 {"99", "", "", "5", "2"}}));
  EXPECT_EQ(FailedEntries(o.flags), std::vector<int>{242});
  EXPECT_EQ(o.result.error_position, (CellPosition{1, 1}));
}

TEST(ClassTestsTable8, ThirtyOneGroupsReport240) {
  std::vector<Row8> rows;
  std::vector<std::string> codes;
  for (int i = 0; i < 31; ++i) codes.push_back(std::to_string(100 + i) + "0");
  for (const std::string& c : codes) rows.push_back({"01", c.c_str(), "", "0", "0"});
  rows.push_back({"99", "", "", "0", "0"});
  Outcome o = RunTest(8, Table8(rows));
  EXPECT_EQ(FailedEntries(o.flags), std::vector<int>{240});
  EXPECT_TRUE(o.flags.tested[240]);
  rows.erase(rows.begin());
  EXPECT_EQ(FailedEntries(RunTest(8, Table8(rows)).flags), std::vector<int>{});
}

Grid Table9Blocks(const std::vector<std::pair<const char*, std::vector<int>>>& blocks) {
  // Each block: group key and the counts of keys 1 to 7 and 9 (female counts 0).
  Grid g = CodedGrid(7, 2 + 8 * static_cast<int>(blocks.size()), 2, 5);
  int row = 2;
  for (const auto& [group, counts] : blocks) {
    const char* keys[] = {"1", "2", "3", "4", "5", "6", "7", "9"};
    for (int k = 0; k < 8; ++k, ++row) {
      g.SetCell(3, row, group);
      g.SetCell(4, row, keys[k]);
      g.SetCell(5, row, std::to_string(counts[static_cast<std::size_t>(k)]));
    }
  }
  return g;
}

TEST(ClassTestsTable9, GroupKeyNineAgainstItsKeys) {
  const std::vector<int> ten = {1, 2, 3, 4, 0, 0, 0, 10};
  Outcome pass = RunTest(9, Table9Blocks({{"9999", ten}, {"1234", ten}}));
  EXPECT_EQ(FailedEntries(pass.flags), std::vector<int>{});
  const std::vector<int> eleven = {1, 2, 3, 4, 0, 0, 0, 11};
  Outcome o = RunTest(9, Table9Blocks({{"9999", ten}, {"1234", eleven}}));
  EXPECT_EQ(FailedEntries(o.flags), (std::vector<int>{238, 239}));
  EXPECT_EQ(o.result.findings.front(), (Finding{238, 5, 17}));
}

TEST(ClassTestsTable9, TenthGroupAndNonNumericCodes) {
  std::vector<std::pair<const char*, std::vector<int>>> blocks = {
      {"9999", {0, 0, 0, 0, 0, 0, 0, 0}}};
  const char* groups[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
  for (const char* g : groups) blocks.push_back({g, {0, 0, 0, 0, 0, 0, 0, 0}});
  Outcome o = RunTest(9, Table9Blocks(blocks));
  EXPECT_EQ(FailedEntries(o.flags), std::vector<int>{240});
  // Codes that are no number share group 0: the later block's values replace the earlier's.
  Outcome z = RunTest(9, Table9Blocks({{"9999", {1, 0, 0, 0, 0, 0, 0, 1}},
                                       {"AB", {1, 0, 0, 0, 0, 0, 0, 1}},
                                       {"CD", {0, 0, 0, 0, 0, 0, 0, 1}}}));
  EXPECT_EQ(FailedEntries(z.flags), (std::vector<int>{238, 239}));
  // No total block at all: 231.
  Outcome n = RunTest(9, Table9Blocks({{"1234", {0, 0, 0, 0, 0, 0, 0, 0}}}));
  EXPECT_EQ(FailedEntries(n.flags), std::vector<int>{231});
}

TEST(ClassTestsTable10, TotalAgainstLanguages) {
  Grid g = CodedGrid(6, 3, 1, 5);
  const char* values[] = {"20", "12", "6", "2", "0"};
  for (int c = 1; c <= 5; ++c) g.SetCell(c, 2, values[c - 1]);
  EXPECT_EQ(FailedEntries(RunTest(10, g).flags), std::vector<int>{});
  g.SetCell(4, 2, "3");
  Outcome o = RunTest(10, g);
  EXPECT_EQ(FailedEntries(o.flags), std::vector<int>{260});
  EXPECT_EQ(o.result.error_position, (CellPosition{1, 2}));
}

TEST(ClassTests, GridsSmallerThanTheTestReadAsEmpty) {
  for (int table = 0; table <= 10; ++table) {
    Outcome o = RunTest(table, Grid(2, 2));
    EXPECT_TRUE(o.flags.failed[5]) << table;  // the code row is missing
  }
}

TEST(ClassTests, BadCellTextIsEntrySeven) {
  for (const char* bad : {"abc", "-1", "3A", "1.5"}) {
    Grid g = KeyTable(5, 7, 3);
    g.SetCell(3, 3, bad);
    Outcome o = RunTest(5, g);
    EXPECT_TRUE(o.flags.failed[7]) << bad;
    EXPECT_NE(std::find(o.result.findings.begin(), o.result.findings.end(), Finding{7, 3, 3}),
              o.result.findings.end())
        << bad;
  }
  // Large values are summed without overflow: two maximal rows are not one maximal total.
  Grid g = KeyTable(5, 7, 3);
  g.SetCell(3, 2, "2147483647");
  g.SetCell(3, 3, "2147483647");
  g.SetCell(3, 7, "-2");
  Outcome o = RunTest(5, g);
  EXPECT_TRUE(o.flags.failed[232]);
}

// Rules the table-by-table cases leave open: the class number of an identifier with umlauts,
// table 3's and table 6's sums, table 9's total block and odd keys.

struct Cell {
  int row;
  int col;
  const char* text;
};

struct Case {
  const char* what;
  std::vector<Cell> cells;
  std::vector<int> failed;
};

std::vector<int> Failed(int table, Grid g, const std::vector<Cell>& cells,
                        const std::string& class_id = "ABC012") {
  for (const Cell& c : cells) g.SetCell(c.col, c.row, c.text);
  return FailedEntries(RunTest(table, std::move(g), class_id).flags);
}

TEST(ClassTableRules, ClassNumberCountsCharactersNotBytes) {
  const std::vector<Cell> row = {{2, 1, "12345"}, {2, 2, "020"}, {2, 4, "1"}, {2, 5, "2"}};
  const struct {
    const char* class_id;
    const char* number;
    std::vector<int> failed;
  } cases[] = {{"ÄBC001", "001", {}}, {"ÄÖÜ002", "002", {}}, {"ÄBC001", "C00", {19}}};
  for (const auto& c : cases) {
    std::vector<Cell> cells = row;
    cells.push_back({2, 3, c.number});
    EXPECT_EQ(Failed(0, CodedGrid(7, 3, 1, 6), cells, c.class_id), c.failed) << c.class_id;
  }
}

TEST(ClassTableRules, Table3SumsAgainstThe999Row) {
  const Case cases[] = {
      {"agrees", {{2, 2, "100"}, {2, 3, "4"}, {3, 2, "999"}, {3, 3, "4"}}, {}},
      {"differs", {{2, 2, "100"}, {2, 3, "4"}, {3, 2, "999"}, {3, 3, "5"}}, {232}},
      // Without its 999 row this test does not report 231, only the sum without a total.
      {"no 999 row", {{2, 2, "100"}, {2, 3, "4"}}, {232}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Failed(3, CodedGrid(7, 4, 1, 6), c.cells), c.failed) << c.what;
}

TEST(ClassTableRules, Table6RowTwoAndRowEleven) {
  const Case cases[] = {
      {"agree", {{2, 3, "5"}, {3, 3, "2"}, {8, 3, "3"}, {9, 3, "1"}, {11, 3, "6"}}, {}},
      {"row 2 is not rows 3 to 8", {{2, 3, "5"}, {3, 3, "2"}, {11, 3, "5"}}, {232}},
      {"row 11 misses row 10", {{10, 3, "2"}, {11, 3, "1"}}, {234}},
  };
  for (const Case& c : cases) EXPECT_EQ(Failed(6, KeyTable(5, 11, 3), c.cells), c.failed) << c.what;
}

TEST(ClassTableRules, Table9TotalBlockAndOddKeys) {
  // Group (column 3), schooling key (column 4), total (column 5) from row 2.
  auto rows = [](std::vector<std::vector<const char*>> lines) {
    std::vector<Cell> cells;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
      for (int c = 0; c < 3; ++c) cells.push_back({2 + i, 3 + c, lines[i][c]});
    }
    return cells;
  };
  const Case cases[] = {
      // Keys "8" and "01" are no schooling keys: their rows count nowhere.
      {"odd keys",
       rows({{"9999", "1", "2"},
             {"9999", "9", "2"},
             {"1234", "1", "2"},
             {"1234", "8", "5"},
             {"1234", "01", "5"},
             {"1234", "9", "2"}}),
       {}},
      {"key 9 of the total block", rows({{"9999", "1", "2"}, {"9999", "9", "3"}}), {239, 241}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Failed(9, CodedGrid(7, 8, 2, 5), c.cells), c.failed) << c.what;
}

}  // namespace
}  // namespace tabulon::class_sheet

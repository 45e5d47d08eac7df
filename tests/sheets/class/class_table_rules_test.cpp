// Rules of the class tables' tests that the table-by-table cases leave open: the class number of
// an identifier with umlauts, table 3's and table 6's sums, table 9's total block and its odd
// keys, and the footnotes read from grids smaller than the cells they name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheets/class/class_tests.h"
#include "sheets/class/class_wide.h"
#include "tables/values.h"

namespace tabulon::class_sheet {
namespace {

struct Row {
  int row;
  int col;
  const char* text;
};

// A grid with its code row from `first_es` and the given cells.
Grid Table(int cols, int rows, int first_es, int es_count, const std::vector<Row>& cells) {
  Grid g(cols, rows);
  for (int i = 1; i <= es_count; ++i) g.SetCell(first_es + i - 1, 1, EsCode(i));
  for (const Row& c : cells) g.SetCell(c.col, c.row, c.text);
  return g;
}

// A key-row table with equal keys in columns 0 and 2 for rows 2 to last.
Grid KeyTable(int cols, int last, int es_count, const std::vector<Row>& cells) {
  Grid g = Table(cols, last + 1, 2, es_count, cells);
  for (int r = 2; r <= last; ++r) {
    g.SetCell(0, r, std::to_string(r));
    g.SetCell(2, r, std::to_string(r));
  }
  return g;
}

std::vector<int> Failed(int table, Grid grid, const std::string& class_id = "ABC012") {
  Settings settings;
  settings.dst_nr = "12345";
  ErrorFlags flags;
  ResetErrorFlags(flags);
  TestEnv env{grid, flags, settings, class_id};
  TestClassTable(table, env);
  std::vector<int> out;
  for (int n = 1; n <= kErrorCount; ++n) {
    if (flags.failed[n]) out.push_back(n);
  }
  return out;
}

TEST(ClassTableRules, ClassNumberCountsCharactersNotBytes) {
  struct {
    const char* class_id;
    const char* number;
    std::vector<int> failed;
  } cases[] = {
      {"ZIM003", "003", {}},   {"ÄBC001", "001", {}},  {"ÄÖÜ002", "002", {}},
      {"ÄBC001", "C00", {19}}, {"ZIM003", "03", {19}},
  };
  for (const auto& c : cases) {
    const Grid g = Table(
        7, 3, 1, 6, {{2, 1, "12345"}, {2, 2, "020"}, {2, 3, c.number}, {2, 4, "1"}, {2, 5, "2"}});
    EXPECT_EQ(Failed(0, g, c.class_id), c.failed) << c.class_id << " " << c.number;
  }
}

TEST(ClassTableRules, Table3SumsAgainstThe999Row) {
  struct {
    const char* what;
    std::vector<Row> cells;
    std::vector<int> failed;
  } cases[] = {
      {"sum row agrees", {{2, 2, "100"}, {2, 3, "4"}, {3, 2, "999"}, {3, 3, "4"}}, {}},
      {"sum row differs", {{2, 2, "100"}, {2, 3, "4"}, {3, 2, "999"}, {3, 3, "5"}}, {232}},
      // Without its 999 row the table does not report 231, only the sum that has no total.
      {"no sum row", {{2, 2, "100"}, {2, 3, "4"}}, {232}},
      {"no sum row, no pupils", {{2, 2, "100"}}, {}},
      {"female above total",
       {{2, 2, "100"}, {2, 3, "4"}, {2, 4, "5"}, {3, 2, "999"}, {3, 3, "4"}, {3, 4, "5"}},
       {8}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Failed(3, Table(7, 4, 1, 6, c.cells)), c.failed) << c.what;
  }
}

TEST(ClassTableRules, Table6RowTwoAndRowEleven) {
  struct {
    const char* what;
    std::vector<Row> cells;
    std::vector<int> failed;
  } cases[] = {
      {"both sums agree", {{2, 3, "5"}, {3, 3, "2"}, {8, 3, "3"}, {9, 3, "1"}, {11, 3, "6"}}, {}},
      {"row 2 is not rows 3 to 8", {{2, 3, "5"}, {3, 3, "2"}, {11, 3, "5"}}, {232}},
      {"row 11 misses row 10", {{10, 3, "2"}, {11, 3, "1"}}, {234}},
      {"row 9 is not part of row 2", {{9, 3, "2"}, {2, 3, "2"}, {11, 3, "4"}}, {232}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Failed(6, KeyTable(5, 11, 3, c.cells)), c.failed) << c.what;
  }
}

// Table 9: group (column 3), schooling key (column 4), total (column 5).
Grid Table9(const std::vector<std::vector<const char*>>& rows) {
  Grid g = Table(7, 2 + static_cast<int>(rows.size()), 2, 5, {});
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (int c = 0; c < 3; ++c) g.SetCell(3 + c, 2 + static_cast<int>(i), rows[i][c]);
  }
  return g;
}

TEST(ClassTableRules, Table9TotalBlockAndOddKeys) {
  const std::vector<std::vector<const char*>> total = {{"9999", "1", "2"}, {"9999", "9", "2"}};
  struct {
    const char* what;
    std::vector<std::vector<const char*>> group;
    std::vector<int> failed;
  } cases[] = {
      {"group agrees", {{"1234", "1", "2"}, {"1234", "9", "2"}}, {}},
      // Keys "8" and "01" are no schooling keys: their rows count nowhere.
      {"keys 8 and 01",
       {{"1234", "1", "2"}, {"1234", "8", "5"}, {"1234", "01", "5"}, {"1234", "9", "2"}},
       {}},
  };
  for (const auto& c : cases) {
    auto rows = total;
    rows.insert(rows.end(), c.group.begin(), c.group.end());
    EXPECT_EQ(Failed(9, Table9(rows)), c.failed) << c.what;
  }
  // The total block's key 9 is not the sum of its keys 1 to 7 (nor of the groups').
  EXPECT_EQ(Failed(9, Table9({{"9999", "1", "2"}, {"9999", "9", "3"}})),
            (std::vector<int>{239, 241}));
}

TEST(ClassTableRules, FootnotesOfGridsTooSmallForTheirCellsReadZero) {
  ErrorFlags flags;
  ResetErrorFlags(flags);
  FootnoteRefs refs;
  for (int t : kFootnoteTables) ReportFootnotes(t, Grid(2, 2), flags, refs);
  for (int n = 251; n <= 258; ++n) EXPECT_FALSE(flags.failed[n]) << n;
  EXPECT_FALSE(flags.failed[7]);
}

}  // namespace
}  // namespace tabulon::class_sheet

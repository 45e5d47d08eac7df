// Rules of the class tables' tests that the table-by-table cases leave open: the class number of
// an identifier with umlauts, table 3's and table 6's sums, table 9's total block and odd keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plausi/catalogue.h"
#include "sheets/class/class_tests.h"
#include "support/plausi_support.h"
#include "tables/values.h"

namespace tabulon::class_sheet {
namespace {

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

// The failed entries of the table's test on a grid with its code row and the cells; key-row
// tables get equal keys in columns 0 and 2 of rows 2 to rows-1.
std::vector<int> Failed(int table, int cols, int rows, int first_es, const std::vector<Cell>& cells,
                        bool key_rows = false, const std::string& class_id = "ABC012") {
  Grid g(cols, rows);
  for (int c = first_es; c < cols; ++c) g.SetCell(c, 1, EsCode(c - first_es + 1));
  for (int r = 2; key_rows && r < rows; ++r) {
    g.SetCell(0, r, std::to_string(r));
    g.SetCell(2, r, std::to_string(r));
  }
  for (const Cell& c : cells) g.SetCell(c.col, c.row, c.text);
  Settings settings;
  settings.dst_nr = "12345";
  ErrorFlags flags;
  ResetErrorFlags(flags);
  TestEnv env{g, flags, settings, class_id};
  TestClassTable(table, env);
  return FailedEntries(flags);
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
    EXPECT_EQ(Failed(0, 7, 3, 1, cells, false, c.class_id), c.failed) << c.class_id;
  }
}

TEST(ClassTableRules, Table3SumsAgainstThe999Row) {
  const Case cases[] = {
      {"agrees", {{2, 2, "100"}, {2, 3, "4"}, {3, 2, "999"}, {3, 3, "4"}}, {}},
      {"differs", {{2, 2, "100"}, {2, 3, "4"}, {3, 2, "999"}, {3, 3, "5"}}, {232}},
      // Without its 999 row this test does not report 231, only the sum without a total.
      {"no 999 row", {{2, 2, "100"}, {2, 3, "4"}}, {232}},
  };
  for (const Case& c : cases) EXPECT_EQ(Failed(3, 7, 4, 1, c.cells), c.failed) << c.what;
}

TEST(ClassTableRules, Table6RowTwoAndRowEleven) {
  const Case cases[] = {
      {"agree", {{2, 3, "5"}, {3, 3, "2"}, {8, 3, "3"}, {9, 3, "1"}, {11, 3, "6"}}, {}},
      {"row 2 is not rows 3 to 8", {{2, 3, "5"}, {3, 3, "2"}, {11, 3, "5"}}, {232}},
      {"row 11 misses row 10", {{10, 3, "2"}, {11, 3, "1"}}, {234}},
  };
  for (const Case& c : cases) EXPECT_EQ(Failed(6, 5, 12, 2, c.cells, true), c.failed) << c.what;
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
  for (const Case& c : cases) EXPECT_EQ(Failed(9, 7, 8, 2, c.cells), c.failed) << c.what;
}

}  // namespace
}  // namespace tabulon::class_sheet

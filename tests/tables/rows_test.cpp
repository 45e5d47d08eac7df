#include "tables/rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/grid_text.h"

namespace tabulon {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Rows 0 and 1 are header rows; the given rows start at row 2.
Grid MakeGrid(const Rows& rows) {
  Grid g(static_cast<int>(rows.empty() ? 1 : rows[0].size()), 2 + static_cast<int>(rows.size()));
  g.SetCell(0, 0, "kopf");
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      g.SetCell(static_cast<int>(c), static_cast<int>(r) + 2, rows[r][c]);
    }
  }
  return g;
}

Rows DataRows(const Grid& g) {
  Rows out;
  for (int r = 2; r < g.RowCount(); ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < g.ColCount(); ++c) row.push_back(g.Cell(c, r));
    out.push_back(row);
  }
  return out;
}

TEST(SortRowsTest, PlainSortExamples) {
  struct Case {
    const char* name;
    const char* in;
    int first, last, primary, secondary;
    const char* out;
  } cases[] = {
      {"byte order", "a|9 b|10 c|2", 2, 4, 1, 1, "b|10 c|2 a|9"},
      {"empty cell splits into runs", "a|5 b| c|3 d|1", 2, 5, 1, 1, "a|5 b| d|1 c|3"},
      {"upper case before lower case", "1|b 2|B 3|a", 2, 4, 1, 1, "2|B 3|a 1|b"},
      {"umlaut after z in code-page order", "1|ä 2|z", 2, 3, 1, 1, "2|z 1|ä"},
      {"stable for equal keys", "x|1 y|1 z|0", 2, 4, 1, 1, "z|0 x|1 y|1"},
      {"last equal first: nothing", "a|9 b|1", 2, 2, 1, 1, "a|9 b|1"},
      {"last below first: to the grid's end", "a|9 b|1 c|0", 3, 0, 1, 1, "a|9 c|0 b|1"},
      {"only the range moves", "a|9 b|5 c|1", 2, 3, 1, 1, "b|5 a|9 c|1"},
      {"secondary within equal primaries", "|020|1991 |010|9999 |010|1990 |020|1990", 2, 5, 1, 2,
       "|010|1990 |010|9999 |020|1990 |020|1991"},
      {"rows with empty primaries are sorted by the secondary among themselves", "||b ||a", 2, 3, 1,
       2, "||a ||b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Grid g = MakeGrid(SplitRows(c.in));
    const int rows = g.RowCount();
    SortRows(g, c.first, c.last, c.primary, c.secondary);
    EXPECT_EQ(DataRows(g), SplitRows(c.out));
    EXPECT_EQ(g.RowCount(), rows);  // the scratch row is gone
    EXPECT_EQ(g.Cell(0, 0), "kopf");
  }
}

TEST(SortRowsTest, KeepingVariantLeavesLeadingColumnsInPlace) {
  Grid g = MakeGrid(SplitRows("1|1992|a 2|1990|b 3|1991|c"));
  g.SetRowHeight(2, 9);
  SortRowsKeepingColumns(g, 2, 4, 1, 1, 1);
  EXPECT_EQ(DataRows(g), SplitRows("1|1990|b 2|1991|c 3|1992|a"));
  EXPECT_EQ(g.RowHeight(2), 9);  // row heights belong to the kept columns' rows
}

TEST(SortRowsTest, KeepingVariantWithTheSortColumnAmongTheKeptOnesEnds) {
  // Column 1 is among the two kept columns: no exchange could change its order.
  Grid g = MakeGrid(SplitRows("1|9|a 2|5|b 3|7|c"));
  SortRowsKeepingColumns(g, 2, 4, 1, 2, 2);
  EXPECT_EQ(DataRows(g), SplitRows("1|9|a 2|5|b 3|7|c"));
  EXPECT_EQ(g.RowCount(), 5);
}

TEST(SortRowsTest, MarkerFirstVariantPutsTotalRowsOnTop) {
  Grid g = MakeGrid(
      SplitRows("|||2610|3 |||9999|1 |||1120|2 |||9999|2 |||2610|1 ||||x |||5|1 |||9999|1"));
  SortRowsWithMarkerFirst(g, 2, 9, 3, 4);
  EXPECT_EQ(DataRows(g),
            SplitRows("|||9999|1 |||9999|2 |||1120|2 |||2610|1 |||2610|3 ||||x |||9999|1 |||5|1"));
}

TEST(AppendRowsTest, GrowsAndMovesTheCurrentCell) {
  Grid g(19, 10);
  g.SetFreeRowCount(10);
  AppendRows(g, 1);
  EXPECT_EQ(g.RowCount(), 11);
  EXPECT_EQ(g.CurrentCol(), 1);
  EXPECT_EQ(g.CurrentRow(), 10);
  EXPECT_TRUE(g.FocusRequested());
  AppendRows(g, 10);
  EXPECT_EQ(g.RowCount(), 21);
  EXPECT_EQ(g.CurrentRow(), 20);
  EXPECT_EQ(g.Cell(5, 20), "");
}

}  // namespace
}  // namespace tabulon

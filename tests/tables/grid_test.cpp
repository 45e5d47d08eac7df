#include "tables/grid.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/grid_text.h"

namespace tabulon {
namespace {

TEST(GridTest, ResizingKeepsInsideCellsAndOutsideAccessIsHarmless) {
  Grid g(3, 4);
  g.SetCell(2, 3, "x");
  g.SetCell(0, 0, "kopf");
  g.SetCell(3, 0, "außerhalb");
  g.SetCell(-1, 0, "außerhalb");
  EXPECT_EQ(g.Cell(3, 0), "");
  EXPECT_EQ(g.Cell(0, -1), "");
  g.SetRowCount(10);
  g.SetColCount(5);
  EXPECT_EQ(g.Cell(2, 3), "x");
  EXPECT_EQ(g.Cell(4, 9), "");
  g.SetRowCount(3);
  EXPECT_EQ(g.RowCount(), 3);
  g.SetRowCount(5);
  EXPECT_EQ(g.Cell(2, 3), "");  // a row once dropped comes back empty
  EXPECT_EQ(g.Cell(0, 0), "kopf");
  g.SetRowCount(-4);
  EXPECT_EQ(g.RowCount(), 0);
}

TEST(GridTest, WidthsHeightsAndRowSwaps) {
  Grid g(3, 3);
  g.SetDefaultColWidth(90);
  g.SetColWidth(1, 330);
  EXPECT_EQ(g.ColWidth(0), 90);
  EXPECT_EQ(g.ColWidth(1), 330);
  g.SetColCount(4);
  EXPECT_EQ(g.ColWidth(3), 90);
  g.SetRowHeight(2, kShrunkRowHeight);
  for (auto [col, row, text] : {std::tuple{0, 1, "a0"}, {1, 1, "a1"}, {0, 2, "b0"}, {1, 2, "b1"}}) {
    g.SetCell(col, row, text);
  }
  g.SwapRows(1, 2, 1);  // column 0 stays
  EXPECT_EQ(RowTexts(g, 0, 1, 1, 2), (Texts{"a0|b1", "b0|a1"}));
  EXPECT_EQ(g.RowHeight(2), kShrunkRowHeight);
  g.SwapRows(1, 2);
  EXPECT_EQ(RowTexts(g, 0, 1, 1, 2), (Texts{"b0|a1", "a0|b1"}));
  EXPECT_EQ(g.RowHeight(1), kShrunkRowHeight);
  EXPECT_EQ(g.RowHeight(2), kDefaultRowHeight);
}

}  // namespace
}  // namespace tabulon

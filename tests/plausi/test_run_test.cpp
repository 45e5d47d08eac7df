#include "plausi/test_run.h"

#include <gtest/gtest.h>

#include <vector>

namespace tabulon {
namespace {

TEST(TestRunTest, RecordsFindingsInOrderAndTheLastPositionWins) {
  Grid grid(5, 5);
  ErrorFlags flags;
  TestRun run(grid, flags);
  run.MarkTested(31);
  run.FailAt(31, 4, 3);
  run.FailCell(30, 2, 3);  // names a cell, keeps the position
  run.Fail(71);            // names no cell
  run.FailAt(32, 1, 2);
  run.FailAt(32, 1, 2);  // the same finding twice is one
  EXPECT_EQ(run.findings(),
            (std::vector<Finding>{{31, 4, 3}, {30, 2, 3}, {71, -1, -1}, {32, 1, 2}}));
  ASSERT_TRUE(run.error_position());
  EXPECT_EQ(*run.error_position(), (CellPosition{1, 2}));
  EXPECT_TRUE(flags.Tested(31));
  EXPECT_FALSE(flags.Tested(30));  // failing does not mark a check as tested
  for (int n : {30, 31, 32, 71}) EXPECT_TRUE(flags.Failed(n)) << n;

  run.ClearFailed(31);
  EXPECT_FALSE(flags.Failed(31));
  EXPECT_TRUE(flags.Tested(31));
  EXPECT_EQ(run.findings(), (std::vector<Finding>{{30, 2, 3}, {71, -1, -1}, {32, 1, 2}}));
}

TEST(TestRunTest, NumbersReportUnreadableAndNegativeCellsToEntrySeven) {
  Grid grid(4, 3);
  grid.SetCell(0, 2, "12");
  grid.SetCell(1, 2, "abc");
  grid.SetCell(2, 2, "-3");
  grid.SetCell(3, 2, "12 ");
  ErrorFlags flags;
  TestRun run(grid, flags);
  EXPECT_EQ(run.Number(0, 2), 12);
  EXPECT_FALSE(flags.Failed(7));
  EXPECT_EQ(run.Number(1, 2), 0);
  EXPECT_EQ(run.Number(2, 2), -3);
  EXPECT_EQ(run.Number(3, 2), 0);
  EXPECT_EQ(run.Number(1, 2), 0);  // read again: still one finding
  EXPECT_EQ(run.Number(9, 9), 0);  // outside the grid: empty
  EXPECT_TRUE(flags.Failed(7));
  EXPECT_FALSE(flags.Tested(7));
  EXPECT_EQ(run.findings(), (std::vector<Finding>{{7, 1, 2}, {7, 2, 2}, {7, 3, 2}}));
  EXPECT_FALSE(run.error_position());
  EXPECT_FALSE(run.Occupied(9, 9));
}

}  // namespace
}  // namespace tabulon

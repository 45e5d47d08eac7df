#include "sheets/teacher/teacher_tests.h"

#include <gtest/gtest.h>

#include <set>

#include "support/plausi_support.h"
#include "tables/values.h"

namespace tabulon {
namespace {

constexpr int Es(int n) { return n + 1; }

// A table-1 grid with its code row and one row per teacher; each teacher passes every check
// until a test changes a cell.
Grid Table1(int teachers) {
  static const std::pair<int, const char*> kSound[] = {
      {3, "1"},   {5, "02"},  {6, "1"},   {12, "1"},  {14, "1"}, {15, "25"},
      {16, "25"}, {17, "25"}, {45, "25"}, {46, "25"}, {48, "25"}};
  Grid g = CodedGrid(61, 2 + teachers, Es(1), 59);
  for (int t = 0; t < teachers; ++t) {
    g.SetCell(Es(1), 2 + t, std::to_string(t + 1));
    for (auto [es, text] : kSound) g.SetCell(Es(es), 2 + t, text);
  }
  return g;
}

struct Outcome {
  ErrorFlags flags;
  TestResult result;
  Grid grid;
  std::vector<int> Failed() const { return FailedEntries(flags); }
  CellPosition Cursor() const { return {grid.CurrentCol(), grid.CurrentRow()}; }
};

Outcome RunTest(TestResult (*test)(TestEnv&), Grid grid, const std::string& dst = "12345") {
  Outcome r;
  r.grid = std::move(grid);
  Settings settings;
  settings.dst_nr = dst;
  std::string class_id;
  TestEnv env{r.grid, r.flags, settings, class_id};
  r.result = test(env);
  return r;
}

using Cells = std::vector<std::tuple<int, int, std::string>>;  // col, row, text
Grid With(Grid g, const Cells& cells) {
  for (const auto& [col, row, text] : cells) g.SetCell(col, row, text);
  return g;
}

TEST(TeacherTable1Test, ACleanTableMarksItsEntriesAndPasses) {
  Outcome r = RunTest(TestTeacherTable1, Table1(3));
  EXPECT_EQ(r.Failed(), std::vector<int>{});
  for (int e : {5, 7, 180, 181, 182, 183, 184, 185, 186, 220, 223, 224, 225, 226, 227}) {
    EXPECT_TRUE(r.flags.Tested(e)) << e;
  }
  EXPECT_FALSE(r.flags.Tested(10));
}

struct Case1 {
  const char* what;
  Cells cells;
  std::vector<int> failed;
  CellPosition cursor;
};

// Each case changes some cells of `base`; the run's failed entries and the cursor are what the
// user sees in the protocol and the grid.
template <std::size_t N>
void ExpectCases(TestResult (*test)(TestEnv&), const Grid& base, const Case1 (&cases)[N]) {
  for (const Case1& c : cases) {
    Outcome r = RunTest(test, With(base, c.cells));
    EXPECT_EQ(r.Failed(), c.failed) << c.what;
    EXPECT_EQ(r.Cursor(), c.cursor) << c.what;
  }
}

TEST(TeacherTable1Test, Rules) {
  const Case1 cases[] = {
      {"3 missing", {{Es(1), 4, "4"}}, {180}, {Es(1), 4}},
      {"1 missing", {{Es(1), 2, "3"}, {Es(1), 3, "2"}, {Es(1), 4, ""}}, {180}, {Es(1), 3}},
      {"gaps 2 and 4: the row of 5",
       {{Es(1), 2, "1"}, {Es(1), 3, "5"}, {Es(1), 4, "3"}},
       {180},
       {Es(1), 3}},
      {"a huge number", {{Es(1), 4, "2147483647"}}, {180}, {Es(1), 4}},
      {"leaving teacher without sex and group",
       {{Es(13), 3, "25"}, {Es(3), 3, ""}, {Es(14), 3, ""}},
       {},
       {0, 0}},
      {"staying teacher without group", {{Es(14), 3, ""}}, {220}, {Es(14), 3}},
      {"group 7", {{Es(14), 3, "7"}}, {220}, {Es(14), 3}},
      {"subject 5 one character", {{Es(7), 2, "5"}}, {184}, {Es(7), 2}},
      {"subject 05", {{Es(7), 2, "05"}}, {}, {0, 0}},
      {"subject 45", {{Es(11), 3, "45"}}, {184}, {Es(11), 3}},
      {"subject in an unnumbered row", {{Es(1), 4, ""}, {Es(8), 4, "60"}}, {184}, {Es(8), 4}},
      {"change 00", {{Es(13), 2, "00"}}, {186}, {Es(13), 2}},
      {"Lehramt 2 one character", {{Es(5), 2, "2"}}, {182}, {Es(5), 2}},
      {"Qualifikation 6", {{Es(6), 2, "6"}}, {183}, {Es(6), 2}},
      {"Umfang 5", {{Es(12), 2, "5"}}, {185}, {Es(12), 2}},
      {"Geschlecht 3", {{Es(3), 2, "3"}}, {181}, {Es(3), 2}},
      {"group 0 skips the hours", {{Es(14), 2, "0"}, {Es(45), 2, "99"}}, {}, {0, 0}},
      {"hours 223 only",
       {{Es(21), 2, "2"}, {Es(59), 2, "2"}, {Es(17), 2, "21"}},
       {223},
       {Es(45), 2}},
      {"hours do not wrap at 65536",
       {{Es(17), 2, "65541"}, {Es(46), 2, "5"}, {Es(48), 2, "5"}, {Es(45), 2, "5"}},
       {223},
       {Es(45), 2}},
      {"hours by school", {{Es(47), 3, "1"}}, {224}, {Es(45), 3}},
      {"hours by school type", {{Es(58), 3, "1"}}, {225}, {Es(45), 3}},
      {"contract above standard", {{Es(16), 2, "10"}, {Es(15), 2, "9"}}, {227}, {Es(16), 2}},
      {"not a number", {{Es(15), 2, "x"}}, {7, 227}, {Es(16), 2}},
      {"broken code row", {{Es(30), 1, "ES30"}}, {5}, {0, 0}},
  };
  ExpectCases(TestTeacherTable1, Table1(3), cases);
}

TEST(TeacherTable1Test, NumbersBeyondRow100AreCounted) {
  Outcome r = RunTest(TestTeacherTable1, Table1(150));
  EXPECT_EQ(r.Failed(), std::vector<int>{});
}

TEST(TeacherTable1Test, MaximalValuesSumExactly) {
  Grid g = Table1(1);
  for (int i = 15; i <= 59; ++i) g.SetCell(Es(i), 2, "2147483647");
  g.SetCell(Es(14), 2, "1");
  // 223: 2 values minus 24 plus 1 = -21 maxima, never equal to one maximum.
  Outcome r = RunTest(TestTeacherTable1, g);
  EXPECT_EQ(r.Failed(), (std::vector<int>{223, 224, 225}));
}

TEST(TeacherTable0Test, DstNrAndCodeRow) {
  Grid g = CodedGrid(2, 3, 1, 1);
  g.SetCell(1, 2, "12345");
  Outcome ok = RunTest(TestTeacherTable0, g);
  EXPECT_EQ(ok.Failed(), std::vector<int>{});
  EXPECT_TRUE(ok.flags.Tested(5));
  EXPECT_TRUE(ok.flags.Tested(10));
  EXPECT_FALSE(ok.flags.Tested(7));
  Outcome other = RunTest(TestTeacherTable0, g, "54321");
  EXPECT_EQ(other.Failed(), std::vector<int>{10});
  EXPECT_EQ(other.Cursor(), (CellPosition{1, 2}));
  g.SetCell(1, 1, "ES01");
  EXPECT_EQ(RunTest(TestTeacherTable0, g).Failed(), std::vector<int>{5});
}

// Table 2 with the sample file's row layout: main types in rows 2, 3, 7, 8, 9, 14, 15, 20, 23,
// 24, 27 and the total in row 30.
Grid Table2() {
  Grid g = CodedGrid(14, 31, 2, 12);
  const std::set<int> members = {4, 5, 6, 10, 11, 12, 13, 16, 17, 18, 19, 21, 22, 25, 26, 28, 29};
  for (int row = 2; row <= 29; ++row) g.SetCell(0, row, members.count(row) ? "101" : "100");
  g.SetCell(0, 30, "999");
  return g;
}

TEST(TeacherTable2Test, Rules) {
  const Case1 cases[] = {
      {"clean", {}, {}, {0, 0}},
      {"main type without total", {{3, 2, "4"}}, {190}, {3, 30}},
      {"main type with total", {{4, 2, "4"}, {4, 30, "4"}}, {}, {0, 0}},
      {"member row needs its group", {{4, 4, "4"}}, {63}, {4, 3}},
      {"group 130", {{3, 28, "4"}, {3, 27, "4"}, {3, 30, "4"}}, {}, {0, 0}},
      {"group 160 short", {{3, 10, "4"}, {3, 9, "3"}, {3, 30, "3"}}, {65}, {3, 9}},
      {"row total 201", {{5, 2, "3"}, {6, 2, "2"}, {5, 30, "3"}, {6, 30, "2"}}, {201}, {5, 30}},
      {"women above the total",
       {{5, 2, "1"}, {6, 2, "1"}, {7, 2, "2"}, {5, 30, "1"}, {6, 30, "1"}, {7, 30, "2"}},
       {61, 202},
       {7, 30}},
  };
  ExpectCases(TestTeacherTable2, Table2(), cases);
  Outcome r = RunTest(TestTeacherTable2, Table2());
  for (int e : {5, 7, 61, 63, 65, 66, 67, 68, 69, 190, 200, 201, 202}) {
    EXPECT_TRUE(r.flags.Tested(e)) << e;
  }
}

TEST(TeacherTable2Test, MaximalValuesSumExactly) {
  Grid g = Table2();
  for (int col = 5; col <= 13; ++col) g.SetCell(col, 2, "2147483647");
  // Row 2: ES004 is one maximum, its four parts four: 201 fails, 202 and 61 hold.
  Outcome r = RunTest(TestTeacherTable2, g);
  EXPECT_TRUE(r.flags.Failed(201));
  EXPECT_TRUE(r.flags.Failed(202));
  EXPECT_FALSE(r.flags.Failed(61));
}

TEST(TeacherTable2Test, AShrunkGridReadsAsEmpty) {
  Grid g = CodedGrid(3, 3, 2, 1);
  Outcome r = RunTest(TestTeacherTable2, g);
  EXPECT_EQ(r.Failed(), std::vector<int>{5});
}

Grid Table3() { return CodedGrid(9, 6, 2, 7); }

TEST(TeacherTable3Test, Rules) {
  const Case1 cases[] = {
      {"clean", {{3, 2, "2"}, {3, 5, "2"}, {7, 5, "9"}}, {}, {0, 0}},
      {"locked cell", {{7, 3, "x"}}, {210}, {7, 3}},
      {"column total", {{4, 3, "1"}}, {211}, {4, 5}},
      {"church above evangelical", {{5, 2, "1"}, {5, 5, "1"}}, {212}, {5, 5}},
      {"church above catholic",
       {{4, 4, "1"}, {6, 4, "2"}, {4, 5, "1"}, {6, 5, "2"}},
       {213},
       {6, 5}},
  };
  ExpectCases(TestTeacherTable3, Table3(), cases);
}

}  // namespace
}  // namespace tabulon

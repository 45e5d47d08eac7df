#include "sheets/teacher/teacher_calcs.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"
#include "tables/values.h"

namespace tabulon::calc {
namespace {

constexpr int Es(int n) { return n + 1; }

struct Calc {
  Grid grid;
  ErrorFlags flags;
  ScriptedUi ui;
  void Run(void (*f)(CalcEnv&), bool ask) {
    CalcEnv env{grid, flags, ui, ask};
    f(env);
  }
};

// One teacher row (row 2) whose three ways of computing the hours give c1, c2 and c3.
Grid Teacher(int c1, int c2, int c3, const std::string& current) {
  Grid g(61, 3);
  g.SetCell(0, 0, "");
  g.SetCell(Es(45), 0, "zu erteil. Stdn. insg.");
  g.SetCell(1, 2, "Müller, Anna");
  g.SetCell(Es(17), 2, std::to_string(c1 + 2));
  g.SetCell(Es(30), 2, "2");
  g.SetCell(Es(46), 2, std::to_string(c2));
  g.SetCell(Es(55), 2, std::to_string(c3));
  g.SetCell(Es(45), 2, current);
  return g;
}

// The three ways of computing the hours come from their columns; the choice among them is
// the rule's own test.
TEST(TeacherHoursTest, RuleC) {
  struct Case {
    const char* what;
    int c1, c2, c3;
    std::string current;
    bool ask;
    int answer;  // -1: no dialog expected
    std::string after;
  };
  const Case cases[] = {
      {"agreeing, no confirmation", 20, 20, 20, "", false, -1, "20"},
      {"three different, confirmation off", 20, 21, 22, "", false, 3, "22"},
      {"negative first way stays negative", -2, 0, 0, "", false, 1, "-2"},
  };
  for (const Case& c : cases) {
    Calc calc;
    calc.grid = Teacher(c.c1, c.c2, c.c3, c.current);
    if (c.answer >= 0) calc.ui.cell_choice_answers.push_back(c.answer);
    calc.Run(TeacherTable1HoursColumn, c.ask);
    EXPECT_EQ(calc.grid.Cell(Es(45), 2), c.after) << c.what;
    ASSERT_EQ(calc.ui.cell_choices.size(), c.answer >= 0 ? 1u : 0u) << c.what;
    if (c.answer >= 0) {
      const CellChoiceQuestion& q = calc.ui.cell_choices[0];
      EXPECT_EQ(q.row_text, "Müller, Anna");
      EXPECT_EQ(q.column_text, "zu erteil. Stdn. insg.");
      EXPECT_EQ(q.values, (std::array<std::string, 3>{std::to_string(c.c1), std::to_string(c.c2),
                                                      std::to_string(c.c3)}));
    }
  }
}

TEST(TeacherHoursTest, RowTextWithoutClearName) {
  Grid g(61, 6);
  g.SetCell(Es(1), 5, "17");
  EXPECT_EQ(TeacherRowText(g, 5), "Zeile: 5  Lehrer-Nr.: 17");
  g.SetCell(1, 5, "Weiß, Eva");
  EXPECT_EQ(TeacherRowText(g, 5), "Weiß, Eva");
}

Grid Table2() {
  Grid g(14, 31);
  for (int row = 2; row <= 29; ++row) g.SetCell(0, row, row % 2 ? "101" : "100");
  return g;
}

TEST(TeacherTable2CalcTest, SummaryRowTakesMainTypesOnly) {
  Calc calc;
  calc.grid = Table2();
  calc.grid.SetCell(3, 2, "5");  // "100"
  calc.grid.SetCell(3, 3, "7");  // "101": a detail row
  calc.grid.SetCell(13, 4, "2147483647");
  calc.grid.SetCell(13, 6, "2147483647");
  calc.Run(TeacherTable2SummaryRow, false);
  EXPECT_EQ(calc.grid.Cell(3, 30), "5");
  EXPECT_EQ(calc.grid.Cell(13, 30), "4294967294");
  EXPECT_EQ(calc.grid.Cell(4, 30), "");  // 0 into a blank cell stays blank
}

TEST(TeacherTable2CalcTest, SubtotalRowsAndSummaryColumn) {
  Calc calc;
  calc.grid = Table2();
  calc.grid.SetCell(5, 10, "1");
  calc.grid.SetCell(5, 13, "3");
  calc.grid.SetCell(5, 28, "4");
  calc.Run(TeacherTable2SubtotalRows, false);
  EXPECT_EQ(calc.grid.Cell(5, 9), "4");
  EXPECT_EQ(calc.grid.Cell(5, 27), "4");
  EXPECT_EQ(calc.grid.Cell(5, 3), "");

  calc.grid = Table2();
  calc.grid.SetCell(6, 2, "1");
  calc.grid.SetCell(8, 2, "2");
  calc.grid.SetCell(10, 2, "3");
  calc.grid.SetCell(12, 2, "4");
  calc.grid.SetCell(5, 4, "9");  // a typed value that differs: asked about when wanted
  calc.ui.cell_change_answers.push_back(false);
  calc.Run(TeacherTable2SummaryColumn, true);
  EXPECT_EQ(calc.grid.Cell(5, 2), "10");
  EXPECT_EQ(calc.grid.Cell(5, 4), "9");
  ASSERT_EQ(calc.ui.cell_changes.size(), 1u);
  EXPECT_EQ(calc.ui.cell_changes[0].new_value, "0");
}

TEST(TeacherTable3CalcTest, SummaryRow) {
  Calc calc;
  calc.grid = Grid(9, 6);
  for (int row = 2; row <= 4; ++row) calc.grid.SetCell(3, row, std::to_string(row));
  calc.grid.SetCell(6, 3, "x");
  calc.Run(TeacherTable3SummaryRow, false);
  EXPECT_EQ(calc.grid.Cell(3, 5), "9");
  EXPECT_EQ(calc.grid.Cell(6, 5), "");
  EXPECT_TRUE(calc.flags.Failed(7));
}

}  // namespace
}  // namespace tabulon::calc

// What the teacher sheet declares for the pages: the row buttons, the calculation dispatch and
// grids whose definition or key file does not fit what the rules address.
#include "sheets/teacher/teacher_sheet.h"

#include <gtest/gtest.h>

#include "app/calculations.h"
#include "teacher_fixture.h"

namespace tabulon::testing {
namespace {

using TeacherSheetTest = TeacherFixture;

void RunCommand(int table, PageAction action, Grid& grid, TableContext ctx, bool& changed) {
  const GridCommand* command = TeacherSheet().FindCommand(table, action);
  ASSERT_NE(command, nullptr);
  bool reload = false;
  CommandEnv env{grid, ctx.ui, ctx, changed, reload};
  command->run(env);
  EXPECT_FALSE(reload);
}

TEST_F(TeacherSheetTest, RowButtonsRenumberAndSortMarksChanged) {
  WriteOem(ProgramList(), "30;A;\r\n10;B;\r\n20;C;\r\n");
  Grid t1 = Show(TeacherTableDef(1));
  bool changed = false;
  RunCommand(1, PageAction::kAppendRows, t1, Ctx(), changed);
  ASSERT_EQ(t1.RowCount(), 15);
  EXPECT_EQ(t1.Cell(0, 2), "01");  // the teacher numbers give way to running numbers
  EXPECT_EQ(t1.Cell(0, 14), "13");
  EXPECT_EQ(t1.CurrentCol(), 2);
  EXPECT_EQ(t1.CurrentRow(), 14);
  EXPECT_FALSE(changed);
  RunCommand(1, PageAction::kSortRows, t1, Ctx(), changed);
  EXPECT_TRUE(changed);
  EXPECT_EQ(t1.Cell(2, 2), "10");
  EXPECT_EQ(t1.Cell(2, 4), "30");

  // The first page's row buttons act on the identification grid.
  const GridCommand* append = TeacherSheet().FindCommand(0, PageAction::kAppendRow);
  ASSERT_NE(append, nullptr);
  EXPECT_EQ(append->grid, "Bog2Ident");
  Grid ident = Show(TeacherIdentDef());
  changed = false;
  RunCommand(0, PageAction::kAppendRow, ident, Ctx(), changed);
  EXPECT_EQ(ident.RowCount(), 52);
  EXPECT_EQ(ident.Cell(0, 51), "51");
  EXPECT_EQ(ident.CurrentCol(), 1);
  RunCommand(0, PageAction::kSortRows, ident, Ctx(), changed);
  EXPECT_TRUE(changed);
  EXPECT_EQ(ident.Cell(1, 1), "10");
}

TEST_F(TeacherSheetTest, TablesWithoutACalculationSaySo) {
  struct Case {
    int table;
    CalcCommand command;
  };
  const Case cases[] = {{0, CalcCommand::kSummaryRow},   {0, CalcCommand::kSummaryColumns},
                        {1, CalcCommand::kSummaryRow},   {1, CalcCommand::kSubtotalRows},
                        {3, CalcCommand::kSubtotalRows}, {3, CalcCommand::kSummaryColumns}};
  for (const Case& c : cases) {
    ui.messages.clear();
    Grid g(61, 3);
    ErrorFlags flags;
    RunCalculation(c.command, CalcTarget{Sheet::kTeacher, c.table}, g, settings, ui, flags);
    ASSERT_EQ(ui.messages.size(), 1u) << c.table;
    EXPECT_EQ(ui.messages[0].text, "Keine sinnvolle Berechnung möglich!") << c.table;
  }
}

TEST_F(TeacherSheetTest, ADefinitionTooNarrowForTable1IsRefusedAndTheTableStillLoads) {
  WriteBytes(paths.program_dir / "Bog2Tab1.TBD", "5;10;Lehrer-Tabelle 1\r\n");
  WriteOem(File(1), Record("1", {{59, "x"}}) + "\r\n");
  Grid g = Show(TeacherTableDef(1));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::kWarning);
  EXPECT_EQ(g.ColCount(), 61);
  EXPECT_EQ(g.Cell(60, 2), "x");
}

TEST_F(TeacherSheetTest, ALongerKeyFileGrowsTable2ButOnlyRows2To30Load) {
  std::string keys;
  for (int i = 0; i < 35; ++i) keys += std::to_string(500 + i) + ";Art\r\n";
  WriteBytes(paths.program_dir / "SSSA-140.SSD", keys);
  WriteOem(File(2), "528;1\r\n529;2\r\n");
  Grid g = Show(TeacherTableDef(2));
  EXPECT_EQ(g.RowCount(), 37);
  EXPECT_EQ(g.Cell(0, 31), "529");
  EXPECT_EQ(g.Cell(3, 30), "1");
  EXPECT_EQ(g.Cell(3, 31), "");  // row 31 is past the rows that take part
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_TRUE(ui.messages[0].text.ends_with("\r[529]")) << ui.messages[0].text;
}

}  // namespace
}  // namespace tabulon::testing

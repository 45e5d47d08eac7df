// Undo and redo of the commands that rework a whole table: calculations, sorts and row appends
// on the school sheet, by the keys a person presses in the grid.

#include <QUndoStack>

#include "gui_test_base.h"

namespace tabulon::gui {
namespace {

// Everything of a grid a person sees: its size and every cell.
std::vector<std::string> Content(const Grid& g) {
  std::vector<std::string> out{std::to_string(g.ColCount()) + "x" + std::to_string(g.RowCount())};
  for (int r = 0; r < g.RowCount(); ++r) {
    for (int c = 0; c < g.ColCount(); ++c) out.push_back(g.Cell(c, r));
  }
  return out;
}

class TableUndoTest : public GuiTestBase {
 protected:
  void SetUp() override {
    OpenSchool(testing::kSchoolKeyFiles, [](Settings& s) { s.ask_after_calculations = 0; });
  }
  Grid& GridOf(int table) { return window->store().GridOf("Bog1Tab" + std::to_string(table)); }
  void Press(int table, Qt::Key key) {
    View(table)->setFocus();
    QTest::keyClick(View(table), key, Qt::ControlModifier);
  }
};

TEST_F(TableUndoTest, EachCommandIsOneStepThatUndoRestoresAndRedoRepeats) {
  struct Case {
    const char* name;
    int table;
    std::function<void(Grid&)> fill;  // the cells the command works on
    std::function<void()> run;
  };
  const Case cases[] = {
      {"Berechnung", 1,
       [](Grid& g) {
         g.SetCell(4, 2, "2");
         g.SetCell(5, 2, "3");
         g.SetCell(3, 5, "1");
         g.SetCell(3, 6, "2");
       },
       [this] {
         for (const char* a : {"CalcColumns", "CalcSubtotals", "CalcRow"}) {
           window->action(QString::fromLatin1(a))->trigger();
         }
       }},
      {"Sortieren", 2,
       [](Grid& g) {
         g.SetCell(1, 2, "020");
         g.SetCell(1, 3, "010");
       },
       [this] { Click(1, 2, PageAction::kSortRows); }},
      {"Zeilen anhängen", 2, [](Grid&) {}, [this] { Click(1, 2, PageAction::kAppendRows); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowTable(c.table);
    Grid& g = GridOf(c.table);
    c.fill(g);
    View(c.table)->Rebuilt();
    window->action(QStringLiteral("FileSave"))->trigger();
    // The indicator flashes yellow after a save before it goes.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !IndicatorShown(); }, 2000));
    const auto before = Content(g);
    // Every calculation is a step of its own; the row commands are one step each.
    c.run();
    const auto after = Content(g);
    ASSERT_NE(after, before);
    EXPECT_EQ(View(c.table)->model()->rowCount(), g.RowCount() - g.FixedRows());

    Press(c.table, Qt::Key_Z);
    if (c.table == 1) {
      Press(c.table, Qt::Key_Z);
      Press(c.table, Qt::Key_Z);
    }
    EXPECT_EQ(Content(g), before);
    EXPECT_EQ(View(c.table)->model()->rowCount(), g.RowCount() - g.FixedRows());
    EXPECT_TRUE(IndicatorShown());  // what undo wrote back is not saved yet

    for (int i = 0; i < (c.table == 1 ? 3 : 1); ++i) Press(c.table, Qt::Key_Y);
    EXPECT_EQ(Content(g), after);
    EXPECT_EQ(View(c.table)->model()->rowCount(), g.RowCount() - g.FixedRows());
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TableUndoTest, SwitchingTheTableClearsTheHistory) {
  ShowTable(2);
  const int rows = GridOf(2).RowCount();
  Click(1, 2, PageAction::kAppendRow);
  ASSERT_EQ(GridOf(2).RowCount(), rows + 1);
  EXPECT_EQ(View(2)->undo_stack()->count(), 1);
  ShowTable(1);
  ShowTable(2);
  EXPECT_EQ(View(2)->undo_stack()->count(), 0);
  const auto reloaded = Content(GridOf(2));
  Press(2, Qt::Key_Z);
  EXPECT_EQ(Content(GridOf(2)), reloaded);
}

}  // namespace
}  // namespace tabulon::gui

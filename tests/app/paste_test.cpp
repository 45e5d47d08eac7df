#include "app/paste.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tabulon {
namespace {
using ::testing::ElementsAre;

// 4 columns (one label column) and 5 rows (one header row).
Grid Small() {
  Grid g(4, 5);
  g.SetFixedRows(1);
  g.SetFixedCols(1);
  g.SetCell(1, 2, "alt");
  return g;
}

TEST(PasteTest, SpreadsheetBlockFillsFromTheCurrentCell) {
  const Grid g = Small();
  const PastePlan plan = PlanPaste(g, 1, 2, "1\t2\r\n3\t4\r\n");
  EXPECT_TRUE(plan.refusal.empty());
  EXPECT_EQ(plan.dropped, 0);
  EXPECT_EQ(plan.Hint(), "");
  EXPECT_THAT(plan.writes, ElementsAre(CellWrite{1, 2, "1"}, CellWrite{2, 2, "2"},
                                       CellWrite{1, 3, "3"}, CellWrite{2, 3, "4"}));
}

TEST(PasteTest, LineEndsAndEmptyCells) {
  struct Case {
    const char* text;
    std::vector<CellWrite> writes;
  };
  const Case cases[] = {
      // The program's own clipboard text: rows by a carriage return alone.
      {"a\tb\rc", {{1, 2, "a"}, {2, 2, "b"}, {1, 3, "c"}}},
      // Line feeds; an empty cell empties the grid's cell.
      {"\tx\n\n", {{1, 2, ""}, {2, 2, "x"}}},
      // The same text as the cell is no write at all.
      {"alt", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlanPaste(Small(), 1, 2, c.text).writes, c.writes) << c.text;
  }
}

TEST(PasteTest, CellsBeyondTheGridAreCountedAndFixedCellsNeverWritten) {
  const Grid g = Small();
  // From (2, 3): columns 2, 3 fit, 4 and 5 do not; rows 3, 4 fit, 5 does not.
  const PastePlan plan = PlanPaste(g, 2, 3, "a\tb\tc\td\ne\tf\tg\th\ni\tj\tk\tl");
  EXPECT_THAT(plan.writes, ElementsAre(CellWrite{2, 3, "a"}, CellWrite{3, 3, "b"},
                                       CellWrite{2, 4, "e"}, CellWrite{3, 4, "f"}));
  EXPECT_EQ(plan.dropped, 8);
  EXPECT_EQ(plan.Hint(), "8 Zellen lagen außerhalb der Tabelle und wurden nicht eingefügt.");
  // Started on the label column, the label is kept and the rest goes on.
  const PastePlan on_label = PlanPaste(g, 0, 2, "Label\tx");
  EXPECT_THAT(on_label.writes, ElementsAre(CellWrite{1, 2, "x"}));
  EXPECT_EQ(PlanPaste(g, 3, 4, "a\tb").Hint(),
            "1 Zelle lag außerhalb der Tabelle und wurde nicht eingefügt.");
}

TEST(PasteTest, SemicolonOrForeignCharacterRefusesEverything) {
  const Grid g = Small();
  PastePlan plan = PlanPaste(g, 1, 2, "1\t2\n3\t4;5");
  EXPECT_TRUE(plan.writes.empty());
  EXPECT_EQ(plan.refusal,
            "Einfügen nicht möglich:\rDas Zeichen \";\" ist in Zellen nicht erlaubt\r(Zeile 2, "
            "Spalte 2 des eingefügten Blocks).\rEs wurde nichts geändert.");
  plan = PlanPaste(g, 1, 2, "Müller\t\xE2\x82\xAC");  // the euro sign is not in IBM 850
  EXPECT_TRUE(plan.writes.empty());
  EXPECT_EQ(plan.refusal,
            "Einfügen nicht möglich:\rEin Zeichen kann in den Datendateien nicht gespeichert "
            "werden\r(Zeile 1, Spalte 2 des eingefügten Blocks).\rEs wurde nichts geändert.");
  // Beyond the grid, such a cell is dropped, not refused.
  plan = PlanPaste(g, 3, 2, "ok\tnicht;hier");
  EXPECT_TRUE(plan.refusal.empty());
  EXPECT_THAT(plan.writes, ElementsAre(CellWrite{3, 2, "ok"}));
}

TEST(PasteTest, HugeTextIsBoundedByTheGrid) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "1\t2\t3\t4\t5\n";
  const PastePlan plan = PlanPaste(Small(), 1, 1, text);
  EXPECT_EQ(plan.writes.size(), 12u);  // 3 columns x 4 rows
  EXPECT_EQ(plan.dropped, 100000LL * 5 - 12);
}

}  // namespace
}  // namespace tabulon

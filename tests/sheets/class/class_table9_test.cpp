#include "sheets/class/class_table9.h"

#include <gtest/gtest.h>

#include "files/files.h"
#include "sheets/class/class_fixture.h"

namespace tabulon {
namespace {

using class_sheet::kT9FemaleCol;
using class_sheet::kT9GroupKeyCol;
using class_sheet::kT9SchoolingCol;
using class_sheet::kT9TotalCol;

constexpr const char* kCodeLine = "ES001;ES002;ES003;ES004;ES005\r\n";

class Table9Test : public testing::ClassTableFixture {
 protected:
  // Group key and schooling key of every row from row 2 on, "group/key".
  static std::vector<std::string> Keys(const Grid& g) {
    std::vector<std::string> out;
    for (int r = 2; r < g.RowCount(); ++r) {
      out.push_back(g.Cell(kT9GroupKeyCol, r) + "/" + g.Cell(kT9SchoolingCol, r));
    }
    return out;
  }
};

TEST_F(Table9Test, ANewTableShowsTheTotalBlock) {
  const Grid g = Show(9);
  ASSERT_EQ(g.RowCount(), 10);
  for (int r = 2; r <= 9; ++r) {
    EXPECT_EQ(g.Cell(2, r), "Auszubildende insgesamt");
    EXPECT_EQ(g.Cell(kT9GroupKeyCol, r), "9999");
    EXPECT_EQ(g.Cell(kT9SchoolingCol, r), g.Cell(0, r));
  }
  EXPECT_EQ(g.Cell(0, 9), "9");
  EXPECT_EQ(g.Cell(1, 3), "mit Hauptschulabschluss/Berufsreife");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Table9Test, LinesOfANewGroupAddItsBlock) {
  settings.shrink_rows_without_data = 1;
  WriteBytes(File(9), std::string(kCodeLine) +
                          "Auszubildende insgesamt;9999;9;5;2\r\n"
                          "Metall;1234;2;3;1\r\n"
                          "Metall;1234;9;3;1\r\n");
  const Grid g = Show(9);
  ASSERT_EQ(g.RowCount(), 18);
  EXPECT_EQ(g.Cell(kT9TotalCol, 9), "5");
  EXPECT_EQ(g.RowHeight(9), 30);
  EXPECT_EQ(g.RowHeight(2), kShrunkRowHeight);
  // The block of 1234: one row per schooling key, in key-file order.
  for (int r = 10; r <= 17; ++r) {
    EXPECT_EQ(g.Cell(kT9GroupKeyCol, r), "1234");
    EXPECT_EQ(g.Cell(kT9SchoolingCol, r), g.Cell(0, r));
  }
  EXPECT_EQ(g.Cell(2, 11), "Metall");
  EXPECT_EQ(g.Cell(kT9TotalCol, 11), "3");
  EXPECT_EQ(g.Cell(kT9FemaleCol, 17), "1");
  EXPECT_EQ(g.RowHeight(11), kDefaultRowHeight);
  EXPECT_EQ(g.RowHeight(17), 30);
  // The code line went into the ES row and opened no block.
  EXPECT_EQ(g.Cell(kT9GroupKeyCol, 1), "ES002");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Table9Test, AnEmptyGroupKeyIsUnassignable) {
  WriteBytes(File(9), std::string(kCodeLine) + "x;;2;3;1\r\n;;;;\r\n");
  const Grid g = Show(9);
  EXPECT_EQ(g.RowCount(), 10);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Beim Einlesen der Datendatei:\r" + DisplayPath(File(9)) +
                                     "\rkonnte(n) 2 Datensatz/-sätze nicht zugeordnet werden!");
  settings.report_unclear_records = 0;
  ui.messages.clear();
  Show(9);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Table9Test, SaveWritesTheCodeLineAndRowsWithCountsInGridOrder) {
  WriteBytes(File(9), std::string(kCodeLine) + "B;2000;1;4;0\r\nA;1000;3;2;2\r\n");
  Grid g = Show(9);
  g.SetCell(kT9TotalCol, 2, "6");
  Save(g, 9);
  EXPECT_EQ(ReadBytes(File(9)), std::string(kCodeLine) +
                                    "Auszubildende insgesamt;9999;1;6;\r\n"
                                    "B;2000;1;4;0\r\n"
                                    "A;1000;3;2;2\r\n");
  // Reloaded, the blocks come back in the order of their first line.
  EXPECT_EQ(Keys(Show(9))[8], "2000/1");
  settings.save_only_rows_with_data = 0;
  Save(Show(9), 9);
  EXPECT_EQ(ReadBytes(File(9)).find(";2000;7;;\r\n") != std::string::npos, true);
}

TEST_F(Table9Test, WithoutTheSchoolingKeysNothingIsLoadedAndTheFileIsKept) {
  std::filesystem::remove(prog / "SSVB0.SSD");
  const std::string stored = std::string(kCodeLine) + "Metall;1234;2;3;1\r\n";
  WriteBytes(File(9), stored);
  Grid g = Show(9);
  EXPECT_EQ(g.RowCount(), 10);  // no block without keys, however many groups the file names
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0].text.rfind("Statistik-Schlüssel-Datei: Schulische Vorbildung\r", 0), 0u);
  g.SetCell(kT9TotalCol, 2, "1");
  Save(g, 9);
  EXPECT_EQ(ReadBytes(File(9)), stored);
}

TEST_F(Table9Test, ManyGroupsLoadInOnePass) {
  std::string file = kCodeLine;
  for (int group = 1; group <= 10000; ++group) {
    file += "G;" + std::to_string(100000 + group) + ";1;1;0\r\n";
  }
  WriteBytes(File(9), file);
  const Grid g = Show(9);
  EXPECT_EQ(g.RowCount(), 10 + 10000 * 8);
  EXPECT_EQ(g.Cell(kT9GroupKeyCol, g.RowCount() - 1), "110000");
  EXPECT_EQ(g.Cell(kT9TotalCol, g.RowCount() - 8), "1");
}

TEST_F(Table9Test, NewOccupationGroupAddsOneBlockPerKey) {
  Grid g = Show(9);
  ui.group_answers = {std::string(""), std::nullopt, std::string("2340"), std::string("2340"),
                      std::string("9999")};
  EXPECT_FALSE(class_sheet::NewOccupationGroup(g, ui, prog));  // empty key
  EXPECT_FALSE(class_sheet::NewOccupationGroup(g, ui, prog));  // closed
  EXPECT_EQ(g.RowCount(), 10);
  EXPECT_TRUE(class_sheet::NewOccupationGroup(g, ui, prog));
  EXPECT_EQ(g.RowCount(), 18);
  EXPECT_EQ(g.Cell(kT9GroupKeyCol, 10), "2340");
  EXPECT_EQ(g.Cell(2, 10), "");
  EXPECT_EQ(g.CurrentRow(), 10);
  // The same key again and the total block's key go to the existing block.
  g.SetCurrentCell(1, 1);
  EXPECT_FALSE(class_sheet::NewOccupationGroup(g, ui, prog));
  EXPECT_EQ(g.RowCount(), 18);
  EXPECT_EQ(g.CurrentRow(), 10);
  EXPECT_FALSE(class_sheet::NewOccupationGroup(g, ui, prog));
  EXPECT_EQ(g.CurrentRow(), 2);
  EXPECT_EQ(ui.group_dialogs, 5);
}

}  // namespace
}  // namespace tabulon

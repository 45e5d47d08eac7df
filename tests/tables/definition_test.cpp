#include "tables/definition.h"

#include <gtest/gtest.h>

#include "files/files.h"
#include "sheets/school/school_tables.h"
#include "support/grid_text.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

using namespace std::string_literals;

class DefinitionTest : public ::testing::Test {
 protected:
  TempDir dir;
  ScriptedUi ui;
  Grid grid;
};

TEST_F(DefinitionTest, WritesTheSchoolTable0DefinitionByteForByte) {
  SetUpGrid(grid, SchoolTableDef(0), dir.path(), ui);
  EXPECT_EQ(ReadBytes(dir / "Bog1Tab0.TBD"),
            "4;3;Schul-Tabelle 0\r\n"
            "0;0;Satzart 0\r\n"
            "1;0;DST Nr.\r\n"
            "2;0;Schulaufsichtsbereich\r\n"
            "3;0;Schultr\xE4ger\r\n"
            "0;1;Erfassungsspalte\r\n"
            "1;1;ES001\r\n"
            "2;1;ES002\r\n"
            "3;1;ES003\r\n"
            "0;2;Meldung\r\n");
  EXPECT_EQ(grid.ColCount(), 4);
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(RowTexts(grid, 0, 3, 0, 2),
            (Texts{"Satzart 0|DST Nr.|Schulaufsichtsbereich|Schulträger",
                   "Erfassungsspalte|ES001|ES002|ES003", "Meldung|||"}));
  EXPECT_EQ(grid.ColWidth(0), 90);
  EXPECT_EQ(grid.ColWidth(2), 120);
  EXPECT_EQ(grid.FixedCols(), 1);
  EXPECT_TRUE(ui.messages.empty());

  // Read back, the written file gives the same grid.
  Grid again;
  SetUpGrid(again, SchoolTableDef(0), dir.path(), ui);
  EXPECT_EQ(RowTexts(again, 0, 3, 0, 2), RowTexts(grid, 0, 3, 0, 2));
}

TEST_F(DefinitionTest, TheFileWinsOverTheBuiltInFrame) {
  WriteBytes(dir / "Bog1Tab0.TBD",
             "4;5;Schul-Tabelle 0\r\n0;0;Satzart X\r\n3;0;Tr\xE4ger neu\r\n1;1;XS001\r\n"
             "2;4;unten\r\n0;1;Text;mit Semikolon\r\n");
  SetUpGrid(grid, SchoolTableDef(0), dir.path(), ui);
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.ColCount(), 4);
  // Texts are cut at a ";"; the frame is not used where the file has no record.
  EXPECT_EQ(RowTexts(grid, 0, 3, 0, 4),
            (Texts{"Satzart X|||Träger neu", "Text|XS001||", "|||", "|||", "||unten|"}));

  // A free-row table never has fewer than 10 rows after set-up.
  WriteBytes(dir / "Bog1Tab2.TBD", "19;4;Schul-Tabelle 2\r\n1;1;ES001\r\n");
  Grid t2;
  SetUpGrid(t2, SchoolTableDef(2), dir.path(), ui);
  EXPECT_EQ(t2.RowCount(), 10);
  EXPECT_EQ(t2.FreeRowCount(), 10);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DefinitionTest, GarbageRecordsAreHarmless) {
  WriteBytes(dir / "Bog1Tab0.TBD",
             "4;3;T\r\nkein Datensatz\r\n;;\r\n1;1\r\n99999;1;weit weg\r\n"
             "-1;-1;negativ\r\n$2;x1;hex\r\n2;2;a\0b\r\n3\r\n\r\n"s);
  SetUpGrid(grid, SchoolTableDef(0), dir.path(), ui);
  EXPECT_EQ(grid.RowCount(), 3);
  // ";;" and "3" and "" all set cells to empty text.
  EXPECT_EQ(RowTexts(grid, 0, 3, 0, 2), (Texts{"|||", "||hex|", "||a\0b|"s}));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DefinitionTest, AbsurdSizesAreRefusedAndTheFileKept) {
  struct Case {
    std::string header;
    std::string shown;  // the sizes the message names
  } cases[] = {
      {"100000;100000;riesig", "100000 Spalten und 100000 Zeilen"},
      {"1001;3;breit", "1001 Spalten und 3 Zeilen"},
      {"4;10001;lang", "4 Spalten und 10001 Zeilen"},
      {"-4;3;negativ", "-4 Spalten und 3 Zeilen"},
      {"4;2;ohne Datenzeile", "4 Spalten und 2 Zeilen"},
      {"3;3;zu schmal", "3 Spalten und 3 Zeilen"},
      {"kaputt", "0 Spalten und 0 Zeilen"},
      {"", "0 Spalten und 0 Zeilen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header);
    ScriptedUi ui;
    const std::string bytes = c.header + "\r\n0;0;Satzart X\r\n";
    WriteBytes(dir / "Bog1Tab0.TBD", bytes);
    Grid g;
    SetUpGrid(g, SchoolTableDef(0), dir.path(), ui);
    EXPECT_EQ(ui.messages, (std::vector<RecordedMessage>{
                               {MessageKind::kWarning,
                                "Die Tabellen-Definitionsdatei:\r" +
                                    (dir / "Bog1Tab0.TBD").string() + "\rverlangt " + c.shown +
                                    ". Zulässig sind 4 bis 1000 Spalten und 3 bis 10000 Zeilen.\r"
                                    "Die Tabelle wird mit ihrem eingebauten Aufbau angezeigt;\r"
                                    "die Datei bleibt unverändert."}}));
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Cell(0, 0), "Satzart 0");
    EXPECT_EQ(g.Cell(1, 1), "ES001");
    EXPECT_EQ(ReadBytes(dir / "Bog1Tab0.TBD"), bytes);
  }
}

TEST_F(DefinitionTest, KeyRowsGrowWithTheKeyFileButNeverShrink) {
  struct Case {
    int lines;
    int rows;
  } cases[] = {{40, 42}, {30, 32}, {5, 32}, {0, 32}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    WriteBytes(dir / "SSSA.SSD", KeyFileLines(c.lines));
    Grid g;
    SetUpGrid(g, SchoolTableDef(1), dir.path(), ui);
    EXPECT_EQ(g.RowCount(), c.rows);
    if (c.lines > 0) {
      int last = 2 + c.lines - 1;
      EXPECT_EQ(g.Cell(0, last), std::to_string(100 + c.lines - 1));
      EXPECT_EQ(g.Cell(1, last), "Schulart " + std::to_string(c.lines - 1));
      EXPECT_EQ(g.Cell(2, last), std::to_string(100 + c.lines - 1));
    }
    EXPECT_EQ(g.Cell(0, 2 + c.lines), "");
    EXPECT_EQ(g.Cell(0, 1), "Nr.");
    EXPECT_EQ(g.Cell(1, 1), "(Bezeichnung)   |   Erfassungsspalte");
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DefinitionTest, MissingKeyFileWarnsAndLeavesRowsEmpty) {
  SetUpGrid(grid, SchoolTableDef(1), dir.path(), ui);
  EXPECT_EQ(
      ui.messages,
      (std::vector<RecordedMessage>{
          {MessageKind::kWarning, "Statistik-Schlüssel-Datei: Schularten/...\r" +
                                      (dir / "SSSA.SSD").string() + "\rist nicht vorhanden!"}}));
  EXPECT_EQ(grid.RowCount(), 32);
  EXPECT_EQ(grid.Cell(0, 2), "");
}

TEST_F(DefinitionTest, UnwritableDefinitionStopsSetUpWithAFileError) {
  SetWriteFailureAfterBytesForTesting(10);
  EXPECT_THROW(SetUpGrid(grid, SchoolTableDef(0), dir.path(), ui), FileError);
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_FALSE(std::filesystem::exists(dir / "Bog1Tab0.TBD"));
  // What was set so far stays: the frame.
  EXPECT_EQ(grid.Cell(1, 0), "DST Nr.");
}

// Set-up that leaves the missing definition files to be written later: the grid is the same as
// with the file written at once, the file comes when asked for, and a file that cannot be written
// is reported without losing the others.
TEST_F(DefinitionTest, PendingSetUpWaitsForTheWriteAndGivesTheSameGrid) {
  TempDir later_dir;
  Grid later;
  SetUpGrid(grid, SchoolTableDef(0), dir.path(), ui);
  PendingDefinitions pending;
  SetUpGrid(later, SchoolTableDef(0), later_dir.path(), ui, &pending);
  Grid again;
  SetUpGrid(again, SchoolTableDef(0), later_dir.path(), ui, &pending);  // set up twice, one file
  EXPECT_FALSE(std::filesystem::exists(later_dir / "Bog1Tab0.TBD"));
  ASSERT_EQ(later.RowCount(), grid.RowCount());
  ASSERT_EQ(later.ColCount(), grid.ColCount());
  EXPECT_EQ(RowTexts(later, 0, 3, 0, 2), RowTexts(grid, 0, 3, 0, 2));
  WritePendingDefinitions(pending);
  EXPECT_TRUE(pending.empty());
  EXPECT_EQ(ReadBytes(later_dir / "Bog1Tab0.TBD"), ReadBytes(dir / "Bog1Tab0.TBD"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DefinitionTest, APendingFileThatCannotBeWrittenIsThrownAfterTheOthers) {
  PendingDefinitions pending{{dir / "fehlt" / "Bog1Tab0.TBD", "a"}, {dir / "Bog1Tab1.TBD", "b"}};
  try {
    WritePendingDefinitions(pending);
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), dir / "fehlt" / "Bog1Tab0.TBD");
  }
  EXPECT_EQ(ReadBytes(dir / "Bog1Tab1.TBD"), "b");
  EXPECT_TRUE(pending.empty());
}

}  // namespace
}  // namespace tabulon

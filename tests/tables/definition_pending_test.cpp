// Set-up that leaves the missing definition files to be written later: the grid is the same as
// with the file written at once, the file comes when asked for, and a file that cannot be written
// is reported without losing the others.
#include <gtest/gtest.h>

#include "files/files.h"
#include "sheets/school/school_tables.h"
#include "support/grid_text.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "tables/definition.h"

namespace tabulon {
namespace {

TEST(PendingDefinitionTest, SetUpWaitsForTheWriteAndGivesTheSameGrid) {
  TempDir now_dir, later_dir;
  ScriptedUi ui;
  Grid now, later;
  SetUpGrid(now, SchoolTableDef(0), now_dir.path(), ui);
  PendingDefinitions pending;
  SetUpGrid(later, SchoolTableDef(0), later_dir.path(), ui, &pending);
  Grid again;
  SetUpGrid(again, SchoolTableDef(0), later_dir.path(), ui, &pending);  // set up twice, one file
  EXPECT_FALSE(std::filesystem::exists(later_dir / "Bog1Tab0.TBD"));
  ASSERT_EQ(later.RowCount(), now.RowCount());
  ASSERT_EQ(later.ColCount(), now.ColCount());
  EXPECT_EQ(RowTexts(later, 0, 3, 0, 2), RowTexts(now, 0, 3, 0, 2));
  WritePendingDefinitions(pending);
  EXPECT_TRUE(pending.empty());
  EXPECT_EQ(ReadBytes(later_dir / "Bog1Tab0.TBD"), ReadBytes(now_dir / "Bog1Tab0.TBD"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST(PendingDefinitionTest, AFileThatCannotBeWrittenIsThrownAfterTheOthers) {
  TempDir dir;
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

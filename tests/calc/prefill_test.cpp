#include <gtest/gtest.h>

#include <sstream>

#include "calc/calc_test_support.h"
#include "files/files.h"
#include "sheets/school/school_prefill.h"
#include "support/grid_text.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

// Column 1 and 2 of every row, "type/year", for compact comparisons.
std::vector<std::string> TypeYearRows(const Grid& g) {
  std::vector<std::string> out;
  for (int r = 2; r < g.RowCount(); ++r) out.push_back(g.Cell(1, r) + "/" + g.Cell(2, r));
  return out;
}

Grid Table2(const std::vector<std::vector<std::string>>& data, int rows = 10) {
  std::vector<std::vector<std::string>> all = {{"Satzart 2", "Schulart-Nr.", "Geburtsjahr"},
                                               {"Erfassungsspalte", "ES001", "ES002"}};
  for (const auto& r : data) all.push_back(r);
  while (static_cast<int>(all.size()) < rows) all.push_back({});
  return GridFromRows(19, all);
}

struct FillCase {
  const char* name;
  const char* data;  // rows from row 2 as SplitRows reads them
  int rows;
  const char* code;
  int von, bis;
  const char* expected;  // type/year of rows 2 to the last
};

class TypeAndYearTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(TypeAndYearTest, FillsRowsOfTheChosenTypeOnly) {
  const FillCase& c = GetParam();
  Grid g = Table2(SplitRows(c.data), c.rows);
  const std::vector<std::string> before = TypeYearRows(g);
  const bool changed = FillTypeAndYearRows(g, c.code, {c.von, c.bis});
  std::vector<std::string> expected;
  std::istringstream rows(c.expected);
  for (std::string row; rows >> row;) expected.push_back(row);
  EXPECT_EQ(TypeYearRows(g), expected);
  EXPECT_EQ(changed, before != expected);
  // A second run finds every label and adds nothing.
  const Grid once = g;
  EXPECT_FALSE(FillTypeAndYearRows(g, c.code, {c.von, c.bis}));
  EXPECT_EQ(TypeYearRows(g), TypeYearRows(once));
}

INSTANTIATE_TEST_SUITE_P(
    Fill, TypeAndYearTest,
    ::testing::Values(
        // Empty rows without a type are not reused: every label is a new row at the end.
        FillCase{"EmptyTable", "", 4, "010", 2001, 2003, "/ / 010/2001 010/2002 010/2003 010/9999"},
        FillCase{"RowWithoutYearGetsTheFirstMissingYear", "|020| |010| |010|2000", 5, "010", 1999,
                 2001, "020/ 010/1999 010/2000 010/2001 010/9999"},
        FillCase{"AllYearsPresentAddsOnlyTheTotal", "|100|1990 |100|1991", 4, "100", 1990, 1991,
                 "100/1990 100/1991 100/9999"},
        FillCase{"TotalPresentAlready", "|130|9999", 3, "130", 2000, 2000, "130/9999 130/2000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrefillSchoolTable2Test, CancelChangesNothingAndOkFillsTheChosenType) {
  Grid g = Table2({{"", "010", "2000", "4"}}, 4);
  const Grid before = g;
  ScriptedUi ui;
  ui.school_type_answers = {std::nullopt, SchoolTypeAndYears{"100", {2001, 2002}}};
  EXPECT_FALSE(PrefillSchoolTable2(g, ui));
  EXPECT_EQ(TypeYearRows(g), TypeYearRows(before));
  EXPECT_TRUE(PrefillSchoolTable2(g, ui));
  EXPECT_EQ(TypeYearRows(g),
            (std::vector<std::string>{"010/2000", "/", "100/2001", "100/2002", "100/9999"}));
  EXPECT_EQ(g.Cell(3, 2), "4");
  EXPECT_EQ(ui.school_type_dialogs, 2);
}

class TakeOverTest : public ::testing::Test {
 protected:
  std::filesystem::path Source() const { return dir_.path() / "SCHNELL" / "4711000.CSV"; }
  std::filesystem::path Target() const { return dir_.path() / "SCHULE" / "4711000.CSV"; }
  TempDir dir_;
  ScriptedUi ui_;
  // Code page 850 bytes, mixed line ends and no final line end: copied as they are.
  const std::string source_bytes_ = "ES001;ES002;ES003\r\n47110;S\x81\x64;Stadt\n\xE1";
};

TEST_F(TakeOverTest, ExistingTargetIsOverwrittenOnlyOnJa) {
  testing::WriteBytes(Source(), source_bytes_);
  testing::WriteBytes(Target(), "alt\r\n");
  ui_.answers = {false, true};
  EXPECT_FALSE(TakeOverBasicData(dir_.path(), "47110", ui_));
  EXPECT_EQ(testing::ReadBytes(Target()), "alt\r\n");
  EXPECT_TRUE(TakeOverBasicData(dir_.path(), "47110", ui_));
  EXPECT_EQ(testing::ReadBytes(Target()), source_bytes_);
  const RecordedMessage q{MessageKind::kConfirmation,
                          "Soll die vorhandene Datei\rwirklich überschrieben werden?"};
  EXPECT_EQ(ui_.questions, (std::vector<RecordedMessage>{q, q}));
}

TEST_F(TakeOverTest, FullDiskKeepsTheOldTargetAndSaysSo) {
  testing::WriteBytes(Source(), source_bytes_);
  testing::WriteBytes(Target(), "alt\r\n");
  ui_.answers = {true};
  SetWriteFailureAfterBytesForTesting(5);
  const bool copied = TakeOverBasicData(dir_.path(), "47110", ui_);
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_FALSE(copied);
  EXPECT_EQ(testing::ReadBytes(Target()), "alt\r\n");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].kind, MessageKind::kError);
  EXPECT_EQ(ui_.messages[0].text.rfind("Ein-/Ausgabefehler", 0), 0u) << ui_.messages[0].text;
}

}  // namespace
}  // namespace tabulon

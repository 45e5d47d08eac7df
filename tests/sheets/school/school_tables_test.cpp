#include "sheets/school/school_tables.h"

#include <gtest/gtest.h>

#include "files/files.h"
#include "sheets/school/school_tests.h"
#include "support/grid_text.h"
#include "support/program_dir.h"
#include "support/school_table_fixture.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "tables/datafile.h"
#include "tables/definition.h"
#include "tables/rows.h"

namespace tabulon {
namespace {

class SchoolTablesTest : public testing::SchoolTableFixture {
 protected:
  SchoolTablesTest() : SchoolTableFixture("54321", "54321") { testing::CopyKeyFiles(prog); }
};

TEST_F(SchoolTablesTest, ANewSchoolShowsItsNumberItsSchoolTypesAndEmptyRows) {
  Grid t0 = Show(0);
  EXPECT_EQ(t0.Cell(1, 2), "54321");
  EXPECT_EQ(t0.Cell(2, 2), "");

  Grid t1 = Show(1);
  ASSERT_EQ(t1.RowCount(), 32);
  for (int r = 2; r <= 31; ++r) {
    EXPECT_FALSE(t1.Cell(0, r).empty());
    EXPECT_EQ(t1.Cell(2, r), t1.Cell(0, r));
    EXPECT_TRUE(RangeIsEmpty(t1, 3, r, r, 17)) << r;
  }
  EXPECT_EQ(t1.Cell(0, 2), "010");
  EXPECT_EQ(t1.Cell(1, 2), "Berufsschule - Teilzeit (Fachklassen)");
  EXPECT_TRUE(CodeRowMatches(t1, 2, 16));

  for (int t : {2, 3}) {
    Grid g = Show(t);
    EXPECT_EQ(g.RowCount(), 10);
    EXPECT_EQ(g.FreeRowCount(), 10);
    EXPECT_TRUE(RangeIsEmpty(g, 1, 2, 9, g.ColCount() - 1));
    EXPECT_EQ(g.Cell(0, 2), "Meldung");
  }
  Grid t2 = Show(2);
  EXPECT_TRUE(CodeRowMatches(t2, 1, 18));
  EXPECT_EQ(t2.ColCount(), 19);
  Grid t4 = Show(4);
  EXPECT_TRUE(CodeRowMatches(t4, 1, 7));
  EXPECT_TRUE(ui.messages.empty());
  // Every definition file now exists beside the program.
  for (int t = 0; t < kSchoolTableCount; ++t) {
    EXPECT_TRUE(std::filesystem::exists(prog / ("Bog1Tab" + std::to_string(t) + ".TBD")));
  }
}

TEST_F(SchoolTablesTest, Table0TakesTheProgramsNumberForAPlaceholder) {
  struct Case {
    std::string stored;
    std::string shown;
  } cases[] = {
      {"00000", "54321"}, {" ", "54321"}, {"", "54321"}, {"11111", "11111"}, {"000000", "000000"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    WriteBytes(File(0), "ES001;ES002;ES003\r\n" + c.stored + ";Nord;Kreis\r\n");
    Grid g = Show(0);
    EXPECT_EQ(g.Cell(1, 2), c.shown);
    WriteDataFile(g, SchoolTableDef(0), Ctx());
    EXPECT_EQ(ReadBytes(File(0)), "ES001;ES002;ES003\r\n" + c.shown + ";Nord;Kreis\r\n");
  }
}

TEST_F(SchoolTablesTest, Table1HandlesOnlyRows2To31) {
  // A 31st school type shows in the grid but is neither loaded nor saved.
  std::string sssa = ReadBytes(prog / "SSSA.SSD") + "555;Zusatzschulart\r\n";
  WriteBytes(prog / "SSSA.SSD", sssa);
  WriteBytes(File(1), "ES001;ES002\r\n010;12;3\r\n555;7;7\r\n999;12\r\n");
  Grid g = Show(1);
  ASSERT_EQ(g.RowCount(), 33);
  // Row 32's key comes from the key file, not by completion; its record was not loaded.
  EXPECT_EQ(RowTexts(g, 0, 4, 32, 32), Texts{"555|Zusatzschulart|555||"});
  EXPECT_EQ(g.Cell(3, 2), "12");
  EXPECT_EQ(g.Cell(3, 31), "12");
  g.SetCell(3, 32, "4");
  WriteDataFile(g, SchoolTableDef(1), Ctx());
  std::string bytes = ReadBytes(File(1));
  EXPECT_EQ(bytes.find("555"), std::string::npos);
  EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")),
            "ES001;ES002;ES003;ES004;ES005;ES006;ES007;ES008;ES009;ES010;ES011;ES012;ES013;ES014;"
            "ES015;ES016");
  EXPECT_NE(bytes.find("\r\n010;12;3;;;;;;;;;;;;;\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\n999;12;;;;;;;;;;;;;;\r\n"), std::string::npos);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 3);

  // With every row written, the key of a row without data is its first field.
  settings.save_only_rows_with_data = 0;
  WriteDataFile(g, SchoolTableDef(1), Ctx());
  bytes = ReadBytes(File(1));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 31);
  EXPECT_NE(bytes.find("\r\n011;;;;;;;;;;;;;;;\r\n"), std::string::npos);
}

TEST_F(SchoolTablesTest, PageCommandsSortAndFillIn) {
  Grid t2 = Show(2);
  const char* rows2[][2] = {
      {"020", "1990"}, {"010", "9999"}, {"010", "1989"}, {"", ""}, {"020", "1989"}};
  for (int i = 0; i < 5; ++i) {
    t2.SetCell(1, 2 + i, rows2[i][0]);
    t2.SetCell(2, 2 + i, rows2[i][1]);
    t2.SetCell(3, 2 + i, std::to_string(i));
  }
  SortSchoolTable2(t2);
  EXPECT_EQ(RowTexts(t2, 1, 3, 2, 6),
            (Texts{"010|1989|2", "010|9999|1", "020|1990|0", "||3", "020|1989|4"}));
  EXPECT_EQ(t2.Cell(0, 4), "Meldung");  // whole rows move, the label with its row
  EXPECT_EQ(t2.RowCount(), 10);

  Grid t3 = Show(3);
  t3.SetCell(2, 2, "8102");
  t3.SetCell(2, 3, "4101");
  t3.SetCell(2, 4, "7202");
  t3.SetCell(1, 4, "eigener Text");
  t3.SetCell(2, 5, "0000");
  SortSchoolTable3(t3);
  EXPECT_EQ(RowTexts(t3, 1, 2, 2, 5), (Texts{"|0000", "|4101", "eigener Text|7202", "|8102"}));
  KeyFillResult r = FillSchoolTable3Texts(t3, prog, ui);
  EXPECT_EQ(RowTexts(t3, 1, 2, 2, 5), (Texts{"|0000", "Koch/Köchin|4101", "eigener Text|7202",
                                             "Ausbildungsrichtung Wirtschaft|8102"}));
  EXPECT_EQ(r.cells_filled, 2);
  EXPECT_FALSE(r.marks_changed);
  t3.SetCell(2, 6, "7101");
  EXPECT_TRUE(FillSchoolTable3Texts(t3, prog, ui).marks_changed);
  EXPECT_TRUE(ui.messages.empty());
}

// Rows appended with "+ neue Zeile" belong to the table at once: the save writes them and the
// test reads them, though only a load sets the table's row-count variable.
TEST_F(SchoolTablesTest, AppendedRowsAreSavedAndTested) {
  Grid g = Show(2);
  AppendRows(g, 1);
  ASSERT_EQ(g.RowCount(), 11);
  for (auto [col, text] : {std::pair{1, "010"}, {2, "9999"}, {3, "5"}, {5, "5"}}) {
    g.SetCell(col, 10, text);
  }
  WriteDataFile(g, SchoolTableDef(2), Ctx());
  EXPECT_EQ(ReadBytes(File(2)),
            "ES001;ES002;ES003;ES004;ES005;ES006;ES007;ES008;ES009;ES010;ES011;ES012;ES013;ES014;"
            "ES015;ES016;ES017;ES018\r\n010;9999;5;;5;;;;;;;;;;;;;\r\n");

  ErrorFlags flags;
  TestResult r = TestSchoolTable2(g, flags);
  // The total row of "010" has no birth-year rows to add up to it.
  EXPECT_TRUE(flags.Failed(82));
  EXPECT_EQ(r.error_position, (CellPosition{5, 10}));
}

// The sample school-type list must have the order the tests of table 1 address by position.
TEST(SampleKeyFilesTest, SchoolTypeListHasTheOrderTheTestsRelyOn) {
  auto entries = ReadKeyFile(kSampleData / "SSSA.SSD");
  ASSERT_TRUE(entries.has_value());
  ASSERT_EQ(entries->size(), 30u);
  auto key_of_row = [&](int row) { return (*entries)[static_cast<std::size_t>(row - 2)].key; };
  const std::pair<int, const char*> fixed[] = {{2, "010"},  {3, "011"},  {4, "020"},  {10, "160"},
                                               {16, "170"}, {21, "080"}, {25, "120"}, {28, "130"}};
  for (auto [row, key] : fixed) EXPECT_EQ(key_of_row(row), key) << row;
  const int main_rows[] = {2, 4, 8, 9, 10, 15, 16, 21, 24, 25, 28};
  for (int row = 2; row <= 30; ++row) {
    bool is_main =
        std::find(std::begin(main_rows), std::end(main_rows), row) != std::end(main_rows);
    EXPECT_EQ(key_of_row(row).back() == '0', is_main) << row << " " << key_of_row(row);
  }
  EXPECT_NE(key_of_row(31).back(), '0');
}

}  // namespace
}  // namespace tabulon

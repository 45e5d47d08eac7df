#include "sheets/class/class_commands.h"

#include <gtest/gtest.h>

#include "calc/calc_test_support.h"
#include "sheets/class/class_fixture.h"

namespace tabulon {
namespace {

using Rows = std::vector<std::vector<std::string>>;

std::vector<std::string> Column(const Grid& g, int col, int from = 2) {
  std::vector<std::string> out;
  for (int r = from; r < g.RowCount(); ++r) out.push_back(g.Cell(col, r));
  return out;
}

Grid Table1(const std::vector<std::string>& years, int rows) {
  Rows all = {{"Satzart 1", "Geburtsjahr"}, {"Erfassungsspalte", "ES001"}};
  for (const std::string& y : years) all.push_back({"", y});
  while (static_cast<int>(all.size()) < rows) all.push_back({});
  return GridFromRows(6, all);
}

TEST(YearRowsTest, OneRowPerYearAndATotal) {
  struct Case {
    const char* name;
    std::vector<std::string> years;
    int rows;
    BirthYearRange range;
    std::vector<std::string> expected;
  } cases[] = {
      {"empty table", {}, 4, {2001, 2003}, {"2001", "2002", "2003", "9999"}},
      {"gap in the middle",
       {"1999", "", "2005"},
       5,
       {2001, 2002},
       {"1999", "2001", "2005", "2002", "9999"}},
      {"all there", {"2001", "9999"}, 4, {2001, 2001}, {"2001", "9999"}},
      {"only the total missing", {"2001", "2002"}, 4, {2001, 2002}, {"2001", "2002", "9999"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Grid g = Table1(c.years, c.rows);
    class_sheet::FillYearRows(g, c.range);
    EXPECT_EQ(Column(g, 1), c.expected);
    EXPECT_FALSE(class_sheet::FillYearRows(g, c.range));  // the same range twice adds nothing
  }
}

TEST(ClassSortTest, EachTableSortsByItsColumns) {
  // Table 1 keeps column 0 ("Meldung") where it is.
  Grid t1 =
      GridFromRows(6, {{}, {}, {"Meldung", "1992", "1"}, {"", "1990", "2"}, {"", "1991", "3"}});
  class_sheet::SortTable1(t1);
  EXPECT_EQ(Column(t1, 0), (std::vector<std::string>{"Meldung", "", ""}));
  EXPECT_EQ(Column(t1, 2), (std::vector<std::string>{"2", "3", "1"}));

  Grid t3 = GridFromRows(7, {{}, {}, {"", "b", "9"}, {"", "c", "10"}, {"", "a", "2"}});
  class_sheet::SortTable3(t3);
  EXPECT_EQ(Column(t3, 2), (std::vector<std::string>{"10", "2", "9"}));

  Grid t8 = GridFromRows(8, {{}, {}, {"", "03"}, {"", ""}, {"", "02"}, {"", "01"}});
  class_sheet::SortTable8(t8);
  EXPECT_EQ(Column(t8, 1), (std::vector<std::string>{"03", "", "01", "02"}));

  // Table 9: the total block first, then the groups, each by schooling key.
  Grid t9 = GridFromRows(7, {{},
                             {},
                             {"", "", "", "2340", "2"},
                             {"", "", "", "9999", "9"},
                             {"", "", "", "1230", "1"},
                             {"", "", "", "9999", "1"},
                             {"", "", "", "2340", "1"}});
  class_sheet::SortTable9(t9);
  std::vector<std::string> keys;
  for (int r = 2; r < t9.RowCount(); ++r) keys.push_back(t9.Cell(3, r) + "/" + t9.Cell(4, r));
  EXPECT_EQ(keys, (std::vector<std::string>{"9999/1", "9999/9", "1230/1", "2340/1", "2340/2"}));
}

class ClassLookUpTest : public testing::ClassTableFixture {};

TEST_F(ClassLookUpTest, TextsAndKeysComeFromTheirKeyFiles) {
  Grid t3 = GridFromRows(7, {{}, {}, {"", "", "152"}, {"", "Italien", ""}, {"", "Gibtsnicht", ""}});
  class_sheet::FillCountryTexts(t3, prog, ui);
  class_sheet::FillCountryKeys(t3, prog, ui);
  EXPECT_EQ(Column(t3, 1), (std::vector<std::string>{"Polen", "Italien", "Gibtsnicht"}));
  EXPECT_EQ(Column(t3, 2), (std::vector<std::string>{"152", "137", ""}));

  Grid t8 =
      GridFromRows(8, {{}, {}, {"", "01", "", "1102", "", "101"}, {"", "02", "", "", "Ausland"}});
  class_sheet::FillTrainingTexts(t8, prog, ui);
  class_sheet::FillDistrictTexts(t8, prog, ui);
  const KeyFillResult keys = class_sheet::FillDistrictKeys(t8, prog, ui);
  EXPECT_EQ(t8.Cell(2, 2), "Gärtner/-in");
  EXPECT_EQ(t8.Cell(4, 2), "Stadt Varnstadt");
  EXPECT_EQ(t8.Cell(5, 3), "990");
  EXPECT_EQ(keys.cells_filled, 1);

  // A missing key file is reported and the others are still used.
  std::filesystem::remove(prog / "SBBG1.SSD");
  Grid t9 = GridFromRows(7, {{}, {}, {"", "", "", "2201"}, {"", "", "", "1101"}});
  class_sheet::FillGroupTexts(t9, prog, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.rfind("Schlüssel-Datei:\r", 0), 0u);
  EXPECT_EQ(Column(t9, 2), (std::vector<std::string>{"", ""}));
}

}  // namespace
}  // namespace tabulon

#include "tables/values.h"

#include <gtest/gtest.h>

#include "support/grid_text.h"
#include "support/plausi_support.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

struct NumberCase {
  std::string text;
  bool reject_negative;
  std::int32_t value;
  bool failed;
};

TEST(CellNumberTest, ReadsNumbersAndFlagsBadOnes) {
  const NumberCase cases[] = {
      {"", true, 0, false},
      {"12", true, 12, false},
      {" 12", true, 12, false},
      {"   +7", true, 7, false},
      {"12 ", true, 0, true},
      {"1 2", true, 0, true},
      {"-3", true, -3, true},
      {"-3", false, -3, false},
      {"-0", true, 0, false},
      {"+", true, 0, true},
      {"-", true, 0, true},
      {" ", true, 0, true},
      {"--1", true, 0, true},
      {"1,5", true, 0, true},
      {"abc", true, 0, true},
      {"$1F", true, 31, false},
      {"x10", true, 16, false},
      {"X10", true, 16, false},
      {"0x10", true, 16, false},
      {"0XfF", true, 255, false},
      {"-$10", false, -16, false},
      {"$", true, 0, true},
      {"0x", true, 0, true},
      {"$G", true, 0, true},
      {"007", true, 7, false},
      {"2147483647", true, 2147483647, false},
      {"2147483648", true, 0, true},
      {"-2147483648", false, INT32_MIN, false},
      {"-2147483649", false, 0, true},
      {"$7FFFFFFF", true, 2147483647, false},
      {"$80000000", true, 0, true},
      {"99999999999999999999999", true, 0, true},
      {"\t5", true, 0, true},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    ErrorFlags flags;
    EXPECT_EQ(CellNumber(c.text, c.reject_negative, 7, flags), c.value);
    // Only the named entry is touched.
    EXPECT_EQ(FailedEntries(flags), c.failed ? std::vector<int>{7} : std::vector<int>{});
  }
}

TEST(CellNumberTest, ReportsToTheGivenErrorNumber) {
  ErrorFlags flags;
  CellNumber("x", true, 42, flags);
  EXPECT_TRUE(flags.Failed(42));
  EXPECT_FALSE(flags.Failed(7));
}

TEST(ValueRulesTest, BlankEmptyAndHasDataDifferForASingleBlank) {
  struct Case {
    std::string text;
    bool blank, has_data, has_data_zero_excluded;
  } cases[] = {
      {"", true, false, false},  {" ", true, false, false}, {"  ", false, true, true},
      {"0", false, true, false}, {"00", false, true, true}, {"\x01x", false, false, false},
      {"a", false, true, true},  {"Ä", false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    EXPECT_EQ(IsBlankCell(c.text), c.blank);
    EXPECT_EQ(CellHasData(c.text, true), c.has_data);
    EXPECT_EQ(CellHasData(c.text, false), c.has_data_zero_excluded);
  }
  Grid g(3, 3);
  EXPECT_TRUE(RangeIsEmpty(g, 0, 0, 2, 2));
  g.SetCell(1, 1, " ");
  EXPECT_FALSE(RangeIsEmpty(g, 0, 0, 2, 2));
  EXPECT_TRUE(RangeIsEmpty(g, 2, 0, 2, 2));
  EXPECT_TRUE(RangeIsEmpty(g, 2, 0, 2, 0));  // last column before the first
  EXPECT_TRUE(RangeIsEmpty(g, 0, 2, 0, 2));  // last row before the first
}

TEST(ValueRulesTest, CodeRowMatchesComparesExactly) {
  Grid g(5, 3);
  g.SetCell(1, 1, "ES001");
  g.SetCell(2, 1, "ES002");
  g.SetCell(3, 1, "ES03");
  EXPECT_TRUE(CodeRowMatches(g, 1, 2));
  EXPECT_FALSE(CodeRowMatches(g, 1, 3));
  g.SetCell(3, 1, "ES003");
  EXPECT_TRUE(CodeRowMatches(g, 1, 3));
  EXPECT_FALSE(CodeRowMatches(g, 1, 4));  // column 4 is empty
  EXPECT_FALSE(CodeRowMatches(g, 2, 2));  // codes start from ES001 at the first column
  EXPECT_FALSE(CodeRowMatches(g, 3, 3));  // running past the grid
  EXPECT_EQ(EsCode(16), "ES016");
  EXPECT_EQ(EsCode(123), "ES123");
}

TEST(ValueRulesTest, AddValuesSumsWithoutWrapping) {
  ValueArray v;
  v.fill(7);
  ClearValues(v);
  EXPECT_EQ(AddValues(v, 0, 100), 0);
  for (int i = 0; i <= 100; ++i) v[i] = i;
  EXPECT_EQ(AddValues(v, 2, 4), 9);
  EXPECT_EQ(AddValues(v, 5, 5), 5);
  EXPECT_EQ(AddValues(v, 5, 4), 0);
  EXPECT_EQ(AddValues(v, 0, 101), 0);
  EXPECT_EQ(AddValues(v, -1, 3), 0);
  v.fill(INT32_MAX);
  EXPECT_EQ(AddValues(v, 0, 100), 101LL * INT32_MAX);
}

class KeyFillTest : public ::testing::Test {
 protected:
  Grid MakeGrid(std::initializer_list<std::pair<const char*, const char*>> rows) {
    Grid g(3, 2 + static_cast<int>(rows.size()));
    int r = 2;
    for (auto [lookup, fill] : rows) {
      g.SetCell(2, r, lookup);
      g.SetCell(1, r, fill);
      ++r;
    }
    return g;
  }
  TempDir dir;
  ScriptedUi ui;
};

TEST_F(KeyFillTest, FillsBlankCellsFromTheFirstMatchingLine) {
  WriteBytes(dir / "SBBG3.SSD", "01;Erster\r\n1;Eins\r\n01;Zweiter Text\r\n7;Sieben\r\n");
  WriteBytes(dir / "SBBG6.SSD", "7;Anders\r\n9;Neun \xE4\r\n");
  Grid g = MakeGrid({{"1", ""}, {"01", " "}, {"7", ""}, {"9", "schon da"}, {"9", ""}, {"x", ""}});
  KeyFillResult r =
      FillFromKeyFiles(g, 2, 1, {"SBBG3.SSD", "SBBG6.SSD"}, KeyDirection::kTexts, dir.path(), ui);
  // "01" does not match "1".
  EXPECT_EQ(RowTexts(g, 1, 1, 2, 7), (Texts{"Eins", "Erster", "Sieben", "schon da", "Neun ä", ""}));
  EXPECT_EQ(r.cells_filled, 4);
  EXPECT_TRUE(r.marks_changed);
  EXPECT_TRUE(ui.messages.empty());

  // Running it again changes nothing.
  Grid before = g;
  r = FillFromKeyFiles(g, 2, 1, {"SBBG3.SSD", "SBBG6.SSD"}, KeyDirection::kTexts, dir.path(), ui);
  EXPECT_EQ(r.cells_filled, 0);
  EXPECT_FALSE(r.marks_changed);
  EXPECT_EQ(RowTexts(g, 0, 2, 0, 7), RowTexts(before, 0, 2, 0, 7));
}

TEST_F(KeyFillTest, MissingFilesAreReportedInOrderAndTheOthersStillUsed) {
  WriteBytes(dir / "SBBG7.SSD", "5;Fünf");
  Grid g = MakeGrid({{"5", ""}});
  KeyFillResult r = FillFromKeyFiles(g, 2, 1, {"SBBG3.SSD", "SBBG6.SSD", "SBBG7.SSD"},
                                     KeyDirection::kTexts, dir.path(), ui);
  EXPECT_EQ(ui.messages, (std::vector<RecordedMessage>{
                             {MessageKind::kInformation,
                              "Schlüssel-Datei:\r" + (dir / "SBBG3.SSD").string() + "\rfehlt!"},
                             {MessageKind::kInformation,
                              "Schlüssel-Datei:\r" + (dir / "SBBG6.SSD").string() + "\rfehlt!"}}));
  // Key files are Windows-1252; a UTF-8 "ü" in the file is taken as the two characters it is.
  EXPECT_EQ(g.Cell(1, 2), "FÃ¼nf");
  EXPECT_FALSE(r.marks_changed);
}

TEST_F(KeyFillTest, KeysDirectionLooksUpTheTextAndSameColumnsDoNothing) {
  // Windows-1252 bytes: 0xD6 is "Ö".
  WriteBytes(dir / "SLAND.SSD", "040;\xD6sterreich\r\n056;Belgien\r\n");
  Grid g(3, 5);
  g.SetCell(1, 2, "Belgien");
  g.SetCell(1, 3, "Österreich");
  g.SetCell(1, 4, "belgien");
  KeyFillResult r = FillFromKeyFiles(g, 1, 2, {"SLAND.SSD"}, KeyDirection::kKeys, dir.path(), ui);
  EXPECT_EQ(RowTexts(g, 2, 2, 2, 4), (Texts{"056", "040", ""}));  // case counts
  EXPECT_EQ(r.cells_filled, 2);
  EXPECT_FALSE(r.marks_changed);

  Grid same(3, 3);
  same.SetCell(1, 2, "x");
  EXPECT_EQ(FillFromKeyFiles(same, 1, 1, {"FEHLT.SSD"}, KeyDirection::kTexts, dir.path(), ui)
                .cells_filled,
            0);
  EXPECT_TRUE(ui.messages.empty());  // nothing happens, not even the missing-file box
}

TEST(KeyFileTest, ParsesLinesWithoutTextAndEmptyLines) {
  std::vector<KeyEntry> e = ParseKeyFile("010;Berufsschule;mehr\r\n\r\nohne Text\r\n;nur Text");
  Texts key_text;
  for (const KeyEntry& k : e) key_text.push_back(k.key + "|" + k.text);
  EXPECT_EQ(key_text, (Texts{"010|Berufsschule", "|", "ohne Text|", "|nur Text"}));
}

}  // namespace
}  // namespace tabulon

#include "sheets/teacher/teacher_tables.h"

#include <gtest/gtest.h>

#include "support/grid_text.h"
#include "teacher_fixture.h"

namespace tabulon::testing {
namespace {

using TeacherTablesTest = TeacherFixture;

// ---- definition files ------------------------------------------------------------------------

TEST_F(TeacherTablesTest, DefinitionFilesAsWrittenWhenMissing) {
  for (const TableDef& def : TeacherTableDefs()) Show(def);
  const fs::path& p = paths.program_dir;
  EXPECT_EQ(ReadBytes(p / "Bog2Tab0.TBD"),
            "2;3;Lehrer-Tabelle 0\r\n0;0;Satzart 0\r\n1;0;DST Nr.\r\n0;1;Erfassungsspalte\r\n"
            "1;1;ES001\r\n0;2;Meldung\r\n");
  // The other frames are data of the sheet; that they reach their files, the sizes show.
  EXPECT_TRUE(ReadBytes(p / "Bog2Ident.TBD").starts_with("4;51;Lehrer\r\n"));
  EXPECT_TRUE(ReadBytes(p / "Bog2Tab1.TBD").starts_with("61;10;Lehrer-Tabelle 1\r\n"));
  EXPECT_TRUE(ReadBytes(p / "Bog2Tab2.TBD").starts_with("14;31;Lehrer-Tabelle 2\r\n"));
  EXPECT_TRUE(ReadBytes(p / "Bog2Tab3.TBD").starts_with("9;6;Lehrer-Tabelle 3\r\n"));
}

// The placeholder rule itself is the school sheet's test; here: the teacher sheet uses it.
TEST_F(TeacherTablesTest, Table0TakesTheProgramsDstNrForAPlaceholder) {
  WriteOem(File(0), "ES001;x\r\n00000\r\nmehr\r\n");
  const Grid g = Show(TeacherTableDef(0));
  EXPECT_EQ(g.Cell(1, 1), "ES001");
  EXPECT_EQ(g.Cell(1, 2), "12345");
}

TEST_F(TeacherTablesTest, Table0IsAlwaysTwoLines) {
  const TableDef& def = TeacherTableDef(0);
  Grid g = Show(def);  // no file: the directory is made, the DST-Nr. filled in
  EXPECT_TRUE(fs::is_directory(paths.school_data_dir / "LEHRER"));
  Save(g, def);
  EXPECT_EQ(ReadBytes(File(0)), "ES001\r\n12345\r\n");
  g.SetCell(1, 2, "");
  Save(g, def);
  EXPECT_EQ(ReadBytes(File(0)), "ES001\r\n\r\n");
}

TEST_F(TeacherTablesTest, Table1WithoutListAndFileHasOnlyItsHeaderRows) {
  Grid g;
  EXPECT_EQ(Show(g, TeacherTableDef(1)), 0);
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.Cell(2, 1), "ES001");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TeacherTablesTest, Table1MatchesRecordsByNumber) {
  WriteOem(ProgramList(), "17;Müller;Anna\r\n;Ohne;Nummer\r\n5;;OhneName\r\n17;Doppelt;Zwei\r\n");
  WriteOem(File(1), Record("ES001", {{2, "ES002"}, {59, "ES059"}}) + "\r\n" +
                        Record("17", {{2, "1970"}}) + "\r\n" + Record("99", {{2, "1980"}}) +
                        "\r\n" + Record("99", {{3, "2"}}) + "\r\n" + Record("", {{2, "1"}}) +
                        "\r\n" + Record("", {}) + "\r\n");
  Grid g;
  EXPECT_EQ(Show(g, TeacherTableDef(1)), 59);
  // Rows of the list with a surname, then the row appended for the unknown number 99: both rows
  // of 17 take its record, the row without a number completes no ES001, the second record of 99
  // replaced the first one's fields, and the code line fills only its non-empty fields.
  ASSERT_EQ(g.RowCount(), 6);
  EXPECT_EQ(RowTexts(g, 0, 4, 2, 5), (Texts{"17|Müller, Anna|17|1970|", "|Ohne, Nummer|||",
                                            "17|Doppelt, Zwei|17|1970|", "99||99||2"}));
  EXPECT_EQ(RowTexts(g, 2, 4, 1, 1), Texts{"ES001|ES002|ES003"});
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Beim Einlesen der Datendatei:\r" + DisplayPath(File(1)) +
                                     "\rkonnte(n) 2 Datensatz/-sätze nicht zugeordnet werden!");
}

TEST_F(TeacherTablesTest, Table1FieldCount) {
  struct Case {
    std::string file;
    int expected;
  };
  const Case cases[] = {
      {Record("1", {}, 58) + "\r\n", 58},  // the trailing ";" adds no field
      {Record("1", {}, 57) + "\r\n" + Record("2", {}, 59) + "\r\n", 59},
      {Record("1", {}, 70) + "\r\n", 60},
      {"\r\n", 0},
  };
  for (const Case& c : cases) {
    WriteOem(File(1), c.file);
    Grid g;
    EXPECT_EQ(Show(g, TeacherTableDef(1)), c.expected) << c.file;
  }
  // Fields beyond the grid are dropped.
  Grid g;
  WriteOem(File(1), Record("1", {{59, "a"}, {60, "b"}}, 70) + "\r\n");
  Show(g, TeacherTableDef(1));
  EXPECT_EQ(g.Cell(60, 2), "a");
  EXPECT_EQ(g.ColCount(), 61);
}

TEST_F(TeacherTablesTest, Table1SaveWithAndWithoutSaveOnlyRowsWithData) {
  WriteOem(ProgramList(), "1;A;\r\n2;B;\r\n3;C;\r\n");
  const TableDef& def = TeacherTableDef(1);
  Grid g = Show(def);
  g.SetCell(3, 3, "0");  // "0" is data here
  const std::string code_line = [] {
    std::string s;
    for (int i = 1; i <= 59; ++i) s += EsCode(i) + ";";
    return s + "\r\n";
  }();
  Save(g, def);
  EXPECT_EQ(ReadBytes(File(1)), code_line + Record("2", {{2, "0"}}) + "\r\n");
  settings.save_only_rows_with_data = 0;
  Save(g, def);
  EXPECT_EQ(ReadBytes(File(1)), code_line + Record("1") + "\r\n" + Record("2", {{2, "0"}}) +
                                    "\r\n" + Record("3") + "\r\n");
}

TEST_F(TeacherTablesTest, Table1ManyUnknownNumbersAndAnEmptyFirstLine) {
  std::string file = "\r\n";
  for (int i = 0; i < 10'000; ++i) file += Record(std::to_string(100'000 + i)) + "\r\n";
  WriteOem(File(1), file);
  settings.report_unclear_records = 0;
  Grid g;
  Show(g, TeacherTableDef(1));
  EXPECT_EQ(g.RowCount(), 2 + 10'000);
  EXPECT_EQ(g.Cell(2, 10'001), "109999");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TeacherTablesTest, Table2NamesTheKeysItCannotPlace) {
  CopySampleKeyFiles();
  WriteOem(File(2),
           "ES001;ES002;ES003;ES004;ES005;ES006;ES007;ES008;ES009;ES010;ES011;ES012\r\n"
           "010;5;6\r\n777;1\r\n;2\r\n888;3\r\n");
  Grid g;
  Show(g, TeacherTableDef(2));
  // ES001 completed from the key.
  EXPECT_EQ(RowTexts(g, 0, 4, 2, 3),
            (Texts{"010|Berufsschule Teilzeit|010|5|6", "020|Berufsvorbereitungsjahr|020||"}));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Beim Einlesen der Datendatei:\r" + DisplayPath(File(2)) +
                                     "\rkonnte(n) 3 Datensatz/-sätze nicht zugeordnet "
                                     "werden!\r[777;888]");
}

TEST_F(TeacherTablesTest, Table2TakesItsCodeLineFromTheFile) {
  CopySampleKeyFiles();
  WriteOem(File(2), "ES001;ES002;ES03\r\n");
  Grid g = Show(TeacherTableDef(2));
  EXPECT_EQ(g.Cell(4, 1), "ES03");
  EXPECT_EQ(g.Cell(5, 1), "");
}

TEST_F(TeacherTablesTest, Table2FileStaysWithoutDataRowsAndZerosAreNoData) {
  CopySampleKeyFiles();
  settings.shrink_rows_without_data = 1;
  WriteOem(File(2), "010;0;0;0\r\n020;0;1\r\n");
  const TableDef& def = TeacherTableDef(2);
  Grid g = Show(def);
  EXPECT_EQ(g.RowHeight(2), kShrunkRowHeight);
  EXPECT_EQ(g.RowHeight(3), kDefaultRowHeight);
  EXPECT_EQ(g.RowHeight(4), kShrunkRowHeight);
  g.SetCell(4, 3, "0");
  Save(g, def);
  EXPECT_EQ(ReadBytes(File(2)),
            "ES001;ES002;ES003;ES004;ES005;ES006;ES007;ES008;ES009;ES010;"
            "ES011;ES012\r\n");
}

TEST_F(TeacherTablesTest, Table3DropsUnknownLinesAndDeletesAnEmptyFile) {
  CopySampleKeyFiles();
  WriteOem(File(3), "ES001;ES002\r\n1;4;2\r\n5;9\r\n9;4;2\r\n");
  const TableDef& def = TeacherTableDef(3);
  Grid g = Show(def);
  EXPECT_TRUE(ui.messages.empty());  // unknown keys are dropped without a word
  // The key in ES001 of every row.
  EXPECT_EQ(RowTexts(g, 2, 4, 1, 5), (Texts{"ES001|ES002|ES003", "1|4|2", "2||", "3||", "9|4|2"}));

  Save(g, def);
  EXPECT_EQ(ReadBytes(File(3)),
            "ES001;ES002;ES003;ES004;ES005;ES006;ES007\r\n1;4;2;;;;\r\n9;4;2;;;;\r\n");
  for (int settings_value : {1, 0}) {
    settings.save_only_rows_with_data = static_cast<std::uint16_t>(settings_value);
    Grid empty = Show(def);
    for (int row = 2; row <= 5; ++row) {
      for (int col = 3; col <= 8; ++col) empty.SetCell(col, row, col == 3 ? "0" : "");
    }
    Save(empty, def);
    EXPECT_FALSE(fs::exists(File(3))) << settings_value;
    WriteOem(File(3), "1;4\r\n");
  }
}

TEST_F(TeacherTablesTest, MissingKeyFilesAreNamed) {
  Show(TeacherTableDef(2));
  Show(TeacherTableDef(3));
  EXPECT_EQ(ui.messages,
            (std::vector<RecordedMessage>{
                {MessageKind::kWarning, "Statistik-Schlüssel-Datei: Schularten/...\r" +
                                            DisplayPath(paths.program_dir / "SSSA-140.SSD") +
                                            "\rist nicht vorhanden!"},
                {MessageKind::kWarning, "Statistik-Schlüssel-Datei: Beschäftigungsumfang\r" +
                                            DisplayPath(paths.program_dir / "ILKLWS-4.SSD") +
                                            "\rist nicht vorhanden!"}}));
}

// The sample key files give the rows the tests and calculations address by position.
TEST_F(TeacherTablesTest, SampleKeyFilesFitTheRowsAddressedByPosition) {
  CopySampleKeyFiles();
  Grid g2 = Show(TeacherTableDef(2));
  ASSERT_EQ(g2.RowCount(), 31);
  const std::pair<int, const char*> groups[] = {{3, "020"},  {9, "160"},  {15, "170"},
                                                {20, "080"}, {24, "120"}, {27, "130"}};
  for (const auto& [row, key] : groups) EXPECT_EQ(g2.Cell(0, row), key) << row;
  for (int row = 2; row < 30; ++row) {
    const std::string& key = g2.Cell(0, row);
    const bool group_member = (row >= 4 && row <= 6) || (row >= 10 && row <= 13) ||
                              (row >= 16 && row <= 19) || (row >= 21 && row <= 22) ||
                              (row >= 25 && row <= 26) || (row >= 28 && row <= 29);
    EXPECT_EQ(key.back() == '0', !group_member) << row << " " << key;
  }
  EXPECT_EQ(g2.Cell(1, 30), "Insgesamt");
  Grid g3 = Show(TeacherTableDef(3));
  ASSERT_EQ(g3.RowCount(), 6);
  EXPECT_EQ(g3.Cell(0, 5), "9");
  EXPECT_EQ(g3.Cell(2, 5), "9");
}

// ---- page notices ----------------------------------------------------------------------------

TEST_F(TeacherTablesTest, OldLayoutLabelsFollowTheFieldCountAndTheFile) {
  const TablePage* page = TeacherSheet().FindPage(1);
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->notices.size(), 2u);
  EXPECT_EQ(page->notices[0].text, "Hinweis!!!");
  EXPECT_EQ(page->notices[1].text, "Wahrscheinlich Tabelle (Version bis 2008) gefunden!");
  struct Case {
    int fields;  // 0: no file
    bool shown;
  };
  for (const Case c : {Case{57, true}, Case{58, true}, Case{59, false}, Case{0, false}}) {
    fs::remove(File(1));
    if (c.fields > 0) WriteOem(File(1), Record("1", {}, c.fields) + "\r\n");
    Grid g;
    const int max_fields = Show(g, TeacherTableDef(1));
    for (const PageNotice& n : page->notices) {
      EXPECT_EQ(n.visible(Ctx(), max_fields), c.shown) << c.fields;
    }
  }
}

TEST_F(TeacherTablesTest, OldTableNoticeFollowsThe2003Files) {
  const TablePage* page = TeacherSheet().FindPage(0);
  ASSERT_NE(page, nullptr);
  const PageNotice* notice = nullptr;
  for (const PageNotice& n : page->notices) {
    if (n.text.starts_with("Alte Lehrer-Tabelle 1 gefunden!!!")) notice = &n;
  }
  ASSERT_NE(notice, nullptr);
  std::string codes;
  for (int i = 1; i <= 59; ++i) codes += EsCode(i) + ";";
  std::string old_codes;  // the 2003 codes: ES051 to ES053 stood elsewhere
  for (int i = 1; i <= 60; ++i) old_codes += (i >= 51 && i <= 53 ? "X" : EsCode(i)) + ";";
  EXPECT_FALSE(notice->visible(Ctx(), 0));
  WriteOem(File(1), codes + "\r\n");
  EXPECT_FALSE(notice->visible(Ctx(), 0));
  WriteOem(File(4), "x\r\n");
  EXPECT_TRUE(notice->visible(Ctx(), 0));
  fs::remove(File(4));
  WriteOem(File(1), old_codes + "\r\n");
  EXPECT_TRUE(notice->visible(Ctx(), 0));
}

}  // namespace
}  // namespace tabulon::testing

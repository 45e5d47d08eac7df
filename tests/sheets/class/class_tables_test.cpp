#include "sheets/class/class_tables.h"

#include <gtest/gtest.h>

#include "files/files.h"
#include "sheets/class/class_fixture.h"
#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

class ClassTablesTest : public testing::ClassTableFixture {
 protected:
  std::string Definition(const std::string& name) {
    return text::Cp1252ToUtf8(ReadBytes(prog / (name + ".TBD")));
  }
};

// One file byte for byte; the shape of the others follows below.
TEST_F(ClassTablesTest, DefinitionFilesAreWrittenFromTheFrameInRowOrder) {
  Show(0);
  EXPECT_EQ(ReadBytes(prog / "Bog3Tab0.TBD"),
            "7;3;Klassen-Tabelle 0\r\n0;0;Satzart 0\r\n1;0;DST Nr.\r\n2;0;Schulart Nr.\r\n"
            "3;0;Klassen Nr.\r\n4;0;Zeitform d. Unt.\r\n5;0;Jahrgangsstufe\r\n"
            "6;0;Art der Klasse\r\n0;1;Erfassungsspalte\r\n1;1;ES001\r\n2;1;ES002\r\n"
            "3;1;ES003\r\n4;1;ES004\r\n5;1;ES005\r\n6;1;ES006\r\n0;2;Meldung\r\n");
}

// The rule behind all eleven files: header with the frame's size and the table's title, record
// type first, codes in consecutive columns from the first data column, "Meldung" as the last
// record exactly where the rows are free or single; key-row tables show their label instead.
TEST_F(ClassTablesTest, EveryDefinitionFollowsTheCommonShape) {
  for (int table = 0; table <= 10; ++table) {
    SCOPED_TRACE(table);
    const Grid g = Show(table);
    const TableDef& def = Def(table);
    const std::string file = Definition(std::string(def.name));
    const std::string header = std::to_string(def.cols) + ";" + std::to_string(def.rows) +
                               ";Klassen-Tabelle " + std::to_string(table);
    EXPECT_EQ(file.substr(0, file.find("\r\n") + 2), header + "\r\n");
    EXPECT_EQ(file.find("0;0;"), header.size() + 2);
    EXPECT_TRUE(CodeRowMatches(g, def.first_data_col, def.data_col_count));
    EXPECT_EQ(def.first_data_col + def.data_col_count, def.cols);
    const bool meldung = def.kind != TableKind::kKeyRow;
    EXPECT_EQ(file.find("\r\n0;2;Meldung\r\n") != std::string::npos, meldung);
    if (meldung) {
      EXPECT_EQ(file.rfind("0;2;Meldung\r\n"), file.size() - 13);
      EXPECT_EQ(g.Cell(1, 1), "ES001");
    }
    EXPECT_EQ(g.Cell(0, 1), meldung ? "Erfassungsspalte" : "Nr.");
    EXPECT_EQ(g.FixedCols(), meldung ? 1 : 2);
  }
  // The sizes and labels a user sees on a few of them.
  EXPECT_TRUE(Definition("Bog3Tab8").starts_with("8;30;Klassen-Tabelle 8\r\n0;0;Satzart 8\r\n"));
  EXPECT_TRUE(Definition("Bog3Tab4").starts_with("7;16;Klassen-Tabelle 4\r\n0;0;SA 4\r\n"));
  EXPECT_EQ(Show(2).Cell(1, 1), "(Bezeichnung)  |  Erfassungsspalte");
  EXPECT_EQ(Show(5).Cell(1, 1), "(Bezeichnung)         |         Erfassungsspalte");
  EXPECT_NE(Definition("Bog3Tab8").find("4;0;Bezeichnung Herkunfskreis\r\n"), std::string::npos);
  EXPECT_NE(Definition("Bog3Tab8").find("5;0;Kennziffer Herkunfskreis\r\n"), std::string::npos);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ClassTablesTest, AMissingFileGivesKeyRowsAndEmptyCounts) {
  const Grid g = Show(2);
  ASSERT_EQ(g.RowCount(), 13);
  for (int r = 2; r <= 12; ++r) {
    EXPECT_EQ(g.Cell(0, r), r == 12 ? "99" : std::to_string(r - 1));
    EXPECT_EQ(g.Cell(2, r), g.Cell(0, r));
    EXPECT_TRUE(RangeIsEmpty(g, 3, r, r, 6));
    EXPECT_EQ(g.RowHeight(r), kDefaultRowHeight);
  }
  EXPECT_EQ(g.Cell(1, 4), "mit qualifiziertem Hauptschulabschluss");
  EXPECT_TRUE(std::filesystem::is_directory(paths.school_data_dir / "KLASSE"));
}

TEST_F(ClassTablesTest, KeyRowLinesFindTheirRowsByKey) {
  settings.shrink_rows_without_data = 1;  // class key rows stay at full height all the same
  WriteBytes(File(2), "ES001;ES002;ES003;ES004;ES005\r\n3;12;5;;\r\n;4;2;;\r\n77;1;1;;\r\n");
  Grid g = Show(2);
  EXPECT_EQ(g.Cell(3, 4), "12");
  EXPECT_EQ(g.Cell(4, 4), "5");
  EXPECT_EQ(g.Cell(1, 1), "(Bezeichnung)  |  Erfassungsspalte");  // the code line lands nowhere
  for (int r = 2; r <= 12; ++r) EXPECT_EQ(g.RowHeight(r), kDefaultRowHeight) << r;
  EXPECT_EQ(ui.messages, (std::vector<RecordedMessage>{
                             {MessageKind::kInformation,
                              "Beim Einlesen der Datendatei:\r" + DisplayPath(File(2)) +
                                  "\rkonnte(n) 1 Datensatz/-sätze nicht zugeordnet werden!"}}));
  // Key 77 is gone after the next save; key 3 keeps its counts.
  Save(g, 2);
  EXPECT_EQ(ReadBytes(File(2)), "ES001;ES002;ES003;ES004;ES005\r\n3;12;5;;\r\n");
}

TEST_F(ClassTablesTest, KeyRowsBeyondTheLastKeyRowAreNeitherLoadedNorSaved) {
  // A longer key file grows the grid, a shorter one never shrinks it.
  std::string longer;
  for (int k = 1; k <= 14; ++k)
    longer += std::to_string(k) + ";Vorbildung " + std::to_string(k) + "\r\n";
  WriteBytes(prog / "SSVB.SSD", longer);
  WriteBytes(File(2), "11;1;1;;\r\n12;7;7;;\r\n");
  Grid g = Show(2);
  ASSERT_EQ(g.RowCount(), 16);
  EXPECT_EQ(g.Cell(3, 12), "1");  // key 11 in the last key row
  EXPECT_EQ(g.Cell(3, 13), "");   // key 12 lies beyond it
  g.SetCell(3, 15, "9");
  Save(g, 2);
  EXPECT_EQ(ReadBytes(File(2)), "ES001;ES002;ES003;ES004;ES005\r\n11;1;1;;\r\n");

  WriteBytes(prog / "SSVB.SSD", "1;a\r\n2;b\r\n3;c\r\n4;d\r\n5;e\r\n");
  g = Show(2);
  EXPECT_EQ(g.RowCount(), 13);
  EXPECT_EQ(g.Cell(0, 7), "");
}

TEST_F(ClassTablesTest, FreeRowTablesShowTheFilesRows) {
  WriteBytes(File(1), "ES001;ES002;ES003\r\n1990;5;2\r\n1991;7;3\r\n");
  Grid g = Show(1);
  EXPECT_EQ(g.RowCount(), 4);
  // A file of three fields still leaves a complete ES row.
  EXPECT_TRUE(CodeRowMatches(g, 1, 5));
  EXPECT_EQ(g.Cell(2, 3), "7");

  // Without a file: at least ten rows; a code line alone gives no data row.
  for (int t : {1, 3, 8}) {
    SCOPED_TRACE(t);
    std::filesystem::remove(File(t));
    EXPECT_EQ(Show(t).RowCount(), t == 8 ? 30 : 10);
    WriteBytes(File(t), "ES001;ES002\r\n");
    EXPECT_EQ(Show(t).RowCount(), 2);
  }
}

TEST_F(ClassTablesTest, HasDataRulesDecideWhichRowsAreWritten) {
  struct Case {
    int table;
    int row;
    std::vector<std::pair<int, std::string>> cells;
    const char* line;  // the row as saved
    bool written_when_on;
  } cases[] = {
      {1, 2, {{1, "1990"}, {2, "0"}, {3, "0"}, {4, "0"}, {5, "0"}}, "1990;0;0;0;0", false},
      {1, 2, {{1, "1990"}, {3, "1"}}, "1990;;1;;", true},
      {5, 2, {{3, ""}, {4, "0"}}, "1;;0", false},
      {5, 2, {{4, "1"}}, "1;;1", true},
      {3, 2, {{1, "Polen"}, {2, "152"}}, "Polen;152;;;;", false},
      {8, 2, {{1, "01"}}, "01;;;;;;", true},
      // "0" counts in table 0, and the DST-Nr. is always there.
      {0, 2, {{2, "0"}}, "54321;0;;;;", true},
      {10, 2, {{1, "0"}}, "0;;;;", true},
      {10, 2, {}, ";;;;", false},
      {7, 13, {{6, "0"}}, "99;;;;0", false},
  };
  for (const Case& c : cases) {
    for (int on : {1, 0}) {
      SCOPED_TRACE(std::to_string(c.table) + (on ? " on" : " off"));
      settings.save_only_rows_with_data = static_cast<std::uint16_t>(on);
      std::filesystem::remove(File(c.table));
      Grid g = Show(c.table);
      for (const auto& [col, text] : c.cells) g.SetCell(col, c.row, text);
      Save(g, c.table);
      const std::string bytes = ReadBytes(File(c.table));
      EXPECT_EQ(bytes.find(std::string(c.line) + "\r\n") != std::string::npos,
                on == 0 || c.written_when_on)
          << bytes;
      // A class file stays even when only its code line holds data.
      EXPECT_EQ(bytes.substr(0, 5), "ES001");
    }
  }
  // With the setting off a completely empty row of table 1 is written as well.
  settings.save_only_rows_with_data = 0;
  std::filesystem::remove(File(1));
  Save(Show(1), 1);
  std::string empty_rows;
  for (int r = 2; r <= 9; ++r) empty_rows += ";;;;\r\n";
  EXPECT_EQ(ReadBytes(File(1)), "ES001;ES002;ES003;ES004;ES005\r\n" + empty_rows);
}

TEST_F(ClassTablesTest, Table0CarriesTheSchoolsNumber) {
  WriteBytes(File(0), "ES001;ES002;ES003;ES004;ES005;ES006\r\n00000;010;003;1;2;1\r\n");
  Grid g = Show(0);
  EXPECT_EQ(g.Cell(1, 2), "54321");
  EXPECT_EQ(g.Cell(3, 2), "003");
  std::filesystem::remove(File(0));
  EXPECT_EQ(Show(0).Cell(1, 2), "54321");
}

}  // namespace
}  // namespace tabulon

#include "tables/datafile.h"

#include <gtest/gtest.h>

#include "files/files.h"
#include "sheets/school/school_tables.h"
#include "support/grid_text.h"
#include "support/program_dir.h"
#include "support/school_table_fixture.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "tables/definition.h"

namespace tabulon {
namespace {

using namespace std::string_literals;

class DataFileTest : public testing::SchoolTableFixture {
 protected:
  DataFileTest() : SchoolTableFixture("12345", std::filesystem::path("daten") / "12345") {
    WriteBytes(prog / "SSSA.SSD", KeyFileLines(30));
  }
};

// Cells set in row 2 of a fresh table and the bytes the save writes ("" when the file goes).
TEST_F(DataFileTest, SaveWritesTheSpecifiedBytesOrDeletesAnEmptyFile) {
  const std::string es4 = "ES001;ES002;ES003;ES004;ES005;ES006;ES007\r\n";
  struct Case {
    int table;
    std::vector<std::pair<int, std::string>> cells;  // column, text
    bool save_only_rows_with_data;
    std::string expected;
  } cases[] = {
      {4,
       {{1, "120"}, {2, "40"}, {3, "35"}, {4, "20"}, {5, "15"}, {6, "5"}, {7, "5"}},
       true,
       es4 + "120;40;35;20;15;5;5\r\n"},
      // Umlauts go to disk as IBM 850.
      {0,
       {{2, "Süd-Öst"}, {3, "Landkreis Großmühle äß"}},
       true,
       "ES001;ES002;ES003\r\n12345;S\x81"
       "d-\x99st;Landkreis Gro\xE1m\x81hle \x84\xE1\r\n"},
      // Table 0: "0" is data, the file is never deleted.
      {0, {{2, "0"}}, true, "ES001;ES002;ES003\r\n12345;0;\r\n"},
      {0, {{2, ""}}, true, "ES001;ES002;ES003\r\n12345;;\r\n"},
      // Table 4: "0", a single blank or a control character is no data, and the file goes.
      {4, {{3, "0"}}, true, ""},
      {4, {{3, " "}}, true, ""},
      {4, {{3, "\x01"}}, false, ""},
      {4, {{3, "  "}}, true, es4 + ";;  ;;;;\r\n"},
      {4, {{7, "1"}}, true, es4 + ";;;;;;1\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.table) + ": \"" + c.cells[0].second + "\"");
    settings.save_only_rows_with_data = c.save_only_rows_with_data;
    std::filesystem::remove(File(c.table));
    Grid g = Show(c.table);
    for (const auto& [col, text] : c.cells) g.SetCell(col, 2, text);
    Save(g, c.table);
    EXPECT_EQ(std::filesystem::exists(File(c.table)), !c.expected.empty());
    if (!c.expected.empty()) {
      EXPECT_EQ(ReadBytes(File(c.table)), c.expected);
      // What was written comes back as it was typed.
      Grid back = Show(c.table);
      for (const auto& [col, text] : c.cells) EXPECT_EQ(back.Cell(col, 2), text) << col;
    }
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DataFileTest, FreeRowTablesDropZeroRowsAndDeleteEmptyFiles) {
  Grid g = Show(2);
  g.SetCell(1, 2, "010");
  g.SetCell(2, 2, "1990");
  g.SetCell(3, 2, "4");
  g.SetCell(3, 3, "0");  // only "0": no data
  g.SetCell(5, 5, "7");
  Save(g, 2);
  EXPECT_EQ(ReadBytes(File(2)),
            "ES001;ES002;ES003;ES004;ES005;ES006;ES007;ES008;ES009;ES010;ES011;ES012;ES013;ES014;"
            "ES015;ES016;ES017;ES018\r\n"
            "010;1990;4;;;;;;;;;;;;;;;\r\n"
            ";;;;7;;;;;;;;;;;;;\r\n");
  Grid back = Show(2);
  EXPECT_EQ(back.RowCount(), 4);
  EXPECT_EQ(back.FreeRowCount(), 4);
  EXPECT_EQ(RowTexts(back, 0, 5, 2, 3), (Texts{"Meldung|010|1990|4||", "|||||7"}));

  // Rows of zeros and blanks only: just the code line would be left, so the file goes.
  for (int r = 2; r < back.RowCount(); ++r) {
    for (int c = 1; c <= 18; ++c) back.SetCell(c, r, c % 2 ? "0" : " ");
  }
  Save(back, 2);
  EXPECT_FALSE(std::filesystem::exists(File(2)));
  EXPECT_EQ(Show(2).RowCount(), 10);
}

TEST_F(DataFileTest, WithoutTheSaveOnlyDataOptionEveryRowIsWrittenAndComesBack) {
  settings.save_only_rows_with_data = 0;
  Grid g = Show(3);
  ASSERT_EQ(g.RowCount(), 10);
  g.SetCell(1, 4, "Koch/Köchin");
  g.SetCell(2, 4, "4101");
  Save(g, 3);
  std::string bytes = ReadBytes(File(3));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 9);  // rows 1 to 9
  EXPECT_NE(bytes.find("Koch/K\x94"
                       "chin;4101;;;;;;;\r\n"),
            std::string::npos);  // IBM 850 ö
  Grid back = Show(3);
  EXPECT_EQ(back.RowCount(), 10);
  EXPECT_EQ(RowTexts(back, 0, 9, 0, 9), RowTexts(g, 0, 9, 0, 9));
}

TEST_F(DataFileTest, FreeRowGridHasExactlyTheFilesRows) {
  struct Case {
    std::string bytes;
    int rows;
  } cases[] = {
      {"ES001;ES002\r\n010;1990\r\n020;1991\r\n", 4},
      {"ES001;ES002\r\n", 2},
      {"ES001\r\n010;1990\r\n020;1991", 4},  // no final line end
      {"", 2},                               // the ES row stays
      {"ES001\r\n\r\n\r\n\r\n", 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    WriteBytes(File(2), c.bytes);
    Grid g = Show(2);
    EXPECT_EQ(g.RowCount(), c.rows);
    EXPECT_EQ(g.FreeRowCount(), c.rows);
  }
}

TEST_F(DataFileTest, OddBytesInDataFilesAreKeptAsCharacters) {
  const std::string big(10 * 1024 * 1024, 'x');
  WriteBytes(File(3), "ES001;ES002;ES003\r\n"s + "a\0b;c\rd;e\r\n"s +
                          "1;2;3;4;5;6;7;8;9;10;11;12\r\n"s + big + ";1");
  Grid g = Show(3);
  EXPECT_EQ(g.RowCount(), 5);
  // A lone CR separates like ";"; fields beyond the data columns are dropped.
  EXPECT_EQ(RowTexts(g, 1, 9, 2, 3), (Texts{"a\0b|c|d|e|||||"s, "1|2|3|4|5|6|7|8|9"}));
  EXPECT_EQ(g.ColCount(), 10);
  EXPECT_EQ(g.Cell(1, 4).size(), big.size());
  EXPECT_TRUE(g.Cell(1, 4) == big);
  EXPECT_EQ(g.Cell(2, 4), "1");
}

TEST_F(DataFileTest, SemicolonInACellShiftsTheRowOnTheNextLoad) {
  Grid g = Show(4);
  g.SetCell(1, 2, "1;2");
  g.SetCell(2, 2, "3");
  Save(g, 4);
  EXPECT_EQ(RowTexts(Show(4), 1, 4, 2, 2), Texts{"1|2|3|"});
}

TEST_F(DataFileTest, KeyRowsTakeTheirRecordsByKey) {
  settings.shrink_rows_without_data = 1;
  WriteBytes(File(1),
             "ES001;ES002;ES003\r\n"
             "101;3;1;1;1\r\n"
             ";9;9;9\r\n"     // no key: unassignable
             "777;5;5;5\r\n"  // unknown key: dropped silently
             "105;;;\r\n"     // known key, no data
             "Nr.;x\r\n");    // the ES row's label in column 0 is a key like any other
  Grid g = Show(1);
  // Keys completed from column 0.
  EXPECT_EQ(RowTexts(g, 2, 6, 1, 3), (Texts{"Nr.|x|||", "100||||", "101|3|1|1|1"}));
  EXPECT_EQ(g.Cell(2, 7), "105");
  EXPECT_EQ(g.RowHeight(3), 18);
  EXPECT_EQ(g.RowHeight(2), 9);
  EXPECT_EQ(g.RowHeight(7), 9);
  EXPECT_EQ(ui.messages, (std::vector<RecordedMessage>{
                             {MessageKind::kInformation,
                              "Beim Einlesen der Datendatei:\r" + File(1).string() +
                                  "\rkonnte(n) 1 Datensatz/-sätze nicht zugeordnet werden!"}}));

  // The unknown key is gone after the next save; rows without data are not written.
  g.SetCell(1, 1, "(Bezeichnung)   |   Erfassungsspalte");
  g.SetCell(2, 1, "ES001");
  g.SetCell(3, 1, "ES002");
  Save(g, 1);
  std::string bytes = ReadBytes(File(1));
  EXPECT_EQ(bytes.substr(0, 14), "ES001;ES002;;;");
  EXPECT_NE(bytes.find("\r\n101;3;1;1;1;;;;;;;;;;;\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("777"), std::string::npos);
  EXPECT_EQ(bytes.find("105"), std::string::npos);

  // Not reported when the option is off; heights full when shrinking is off.
  ScriptedUi quiet;
  settings.report_unclear_records = 0;
  settings.shrink_rows_without_data = 0;
  WriteBytes(File(1), ";1\r\n;2\r\n");
  Grid g2;
  SetUpGrid(g2, SchoolTableDef(1), prog, quiet);
  ReadDataFile(g2, SchoolTableDef(1), DataFileContext{settings, data, "12345", quiet});
  EXPECT_TRUE(quiet.messages.empty());
  EXPECT_EQ(g2.RowHeight(2), 18);
}

TEST_F(DataFileTest, MissingSheetDirectoryIsCreatedOrReported) {
  Grid g = Show(2);
  EXPECT_TRUE(std::filesystem::is_directory(data / "SCHULE"));
  EXPECT_TRUE(ui.messages.empty());

  // A file where the directory should be: the directory cannot be made.
  TempDir other;
  WriteBytes(other / "x" / "12345", "keine Verzeichnis");
  ScriptedUi ui2;
  Grid g2;
  SetUpGrid(g2, SchoolTableDef(2), prog, ui2);
  ReadDataFile(g2, SchoolTableDef(2),
               DataFileContext{settings, other / "x" / "12345", "12345", ui2});
  EXPECT_EQ(ui2.messages,
            (std::vector<RecordedMessage>{
                {MessageKind::kInformation,
                 "Problem beim Erstellen des Datenverzeichnis:\r" +
                     (other / "x" / "12345" / "SCHULE").string() +
                     "\rErmöglich Sie den Zugriff auf das untergeordnete Verzeichnis!"}}));
  EXPECT_EQ(g2.RowCount(), 10);
  // Saving there then fails with a file error instead of claiming success.
  EXPECT_THROW(WriteDataFile(g2, SchoolTableDef(2),
                             DataFileContext{settings, other / "x" / "12345", "12345", ui2}),
               FileError);
}

TEST_F(DataFileTest, KeyRowTableWithoutItsKeyFileIsNotSavedOverTheStoredData) {
  const std::string stored = "ES001;ES002\r\n100;4;4\r\n";
  WriteBytes(File(1), stored);
  std::filesystem::remove(prog / "SSSA.SSD");
  Grid g = Show(1);
  EXPECT_EQ(g.Cell(3, 2), "");
  try {
    Save(g, 1);
    ADD_FAILURE() << "saved without keys";
  } catch (const FileError& e) {
    EXPECT_EQ(e.Message(), "Ein-/Ausgabefehler beim Schreiben der Datei:\r" + File(1).string() +
                               "\rDie Schlüssel-Datei SSSA.SSD fehlt; ohne ihre Zeilen würden die "
                               "gespeicherten Daten verloren gehen. Die Datei bleibt unverändert.");
  }
  EXPECT_EQ(ReadBytes(File(1)), stored);
}

TEST_F(DataFileTest, UnsafePrefixIsRefused) {
  Grid g = Show(0);
  ScriptedUi ui2;
  for (const char* bad : {"../x", "a/b", "", ".."}) {
    EXPECT_THROW(WriteDataFile(g, SchoolTableDef(0), DataFileContext{settings, data, bad, ui2}),
                 FileError)
        << bad;
  }
}

}  // namespace
}  // namespace tabulon

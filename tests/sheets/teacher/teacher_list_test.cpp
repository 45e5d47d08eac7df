#include "sheets/teacher/teacher_list.h"

#include <gtest/gtest.h>

#include "support/grid_text.h"
#include "teacher_fixture.h"

namespace tabulon::testing {
namespace {

using TeacherListTest = TeacherFixture;

TEST_F(TeacherListTest, SixtyTeachersGrowTheGridAndNumberTheNewRows) {
  std::string list;
  for (int i = 1; i <= 60; ++i) list += std::to_string(i) + ";Name" + std::to_string(i) + ";V\r\n";
  WriteOem(ProgramList(), list);
  Grid g = Show(TeacherIdentDef());
  ASSERT_EQ(g.RowCount(), 61);
  EXPECT_EQ(RowTexts(g, 0, 3, 1, 1), Texts{"01|1|Name1|V"});
  EXPECT_EQ(RowTexts(g, 0, 3, 9, 9), Texts{"09|9|Name9|V"});
  EXPECT_EQ(RowTexts(g, 0, 3, 51, 51), Texts{"51|51|Name51|V"});
  EXPECT_EQ(RowTexts(g, 0, 3, 60, 60), Texts{"60|60|Name60|V"});
}

TEST_F(TeacherListTest, FewTeachersKeepFiftyNumberedRows) {
  WriteOem(ProgramList(), "\r\n7;Müller;Anna\r\n\r\n\r\n9;Schmidt;\r\n");
  Grid g = Show(TeacherIdentDef());
  ASSERT_EQ(g.RowCount(), 51);
  EXPECT_EQ(g.Cell(0, 50), "50");
  // Blank lines leave no empty rows between teachers.
  EXPECT_EQ(RowTexts(g, 0, 3, 1, 3), (Texts{"01|7|Müller|Anna", "02|9|Schmidt|", "03|||"}));
}

TEST_F(TeacherListTest, SavingWritesFilledRowsInGridOrderInOem) {
  Grid g = Show(TeacherIdentDef());
  g.SetCell(1, 2, "1");
  g.SetCell(2, 2, "Müller");
  g.SetCell(1, 4, " ");  // a single blank is no entry
  g.SetCell(2, 5, "Weiß");
  g.SetCell(3, 7, "Jörg");
  Save(g, TeacherIdentDef());
  EXPECT_EQ(ReadBytes(ProgramList()), "1;M\x81ller;\r\n;Wei\xE1;\r\n;;J\x94rg\r\n");
  // Umlauts come back unchanged.
  Grid again = Show(TeacherIdentDef());
  EXPECT_EQ(RowTexts(again, 1, 3, 1, 3), (Texts{"1|Müller|", "|Weiß|", "||Jörg"}));
  EXPECT_FALSE(std::filesystem::exists(SchoolList()));
}

TEST_F(TeacherListTest, WhichCopyIsReadWrittenAndDeleted) {
  WriteOem(ProgramList(), "1;Programm;\r\n");
  WriteOem(SchoolList(), "2;Schule;\r\n");
  Grid g = Show(TeacherIdentDef());
  EXPECT_EQ(g.Cell(2, 1), "Schule");  // the school's own copy wins

  g.SetCell(3, 1, "Eva");
  Save(g, TeacherIdentDef());
  EXPECT_EQ(ReadOem(ProgramList()), "2;Schule;Eva\r\n");
  EXPECT_EQ(ReadOem(SchoolList()), "2;Schule;Eva\r\n");

  for (int col = 1; col <= 3; ++col) g.SetCell(col, 1, col == 2 ? " " : "");
  Save(g, TeacherIdentDef());
  EXPECT_FALSE(std::filesystem::exists(ProgramList()));
  EXPECT_FALSE(std::filesystem::exists(SchoolList()));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TeacherListTest, AListThatCannotBeDeletedIsReported) {
  Grid g = Show(TeacherIdentDef());
  // A directory in the list's place cannot be deleted like a file, whoever runs the test.
  WriteBytes(ProgramList() / "block", "x");
  Save(g, TeacherIdentDef());
  EXPECT_EQ(ui.messages,
            (std::vector<RecordedMessage>{
                {MessageKind::kInformation, "Die datenleere Datei:\r" + DisplayPath(ProgramList()) +
                                                "\rkonnte nicht gelöscht werden!"}}));
  EXPECT_TRUE(std::filesystem::exists(ProgramList() / "block"));
}

// Odd bytes in the list never stop loading and never spill into other cells.
TEST(ParseTeacherList, OddInput) {
  struct Case {
    std::string bytes;
    std::vector<TeacherEntry> expected;
  };
  const Case cases[] = {
      {"1;A;B;C;D\r\n", {{"1", "A", "B"}}},
      {"1;A;B", {{"1", "A", "B"}}},                                 // no final line end
      {"1;A\rX;B\r\n2;C;D\n", {{"1", "A", "X"}, {"2", "C", "D"}}},  // a lone CR separates
      {std::string("1;A\0B;C\r\n", 9), {{"1", std::string("A\0B", 3), "C"}}},
      {"\r\n\n\r\n", {}},
      {"\r\r\n", {{"", "", ""}}},  // a line that holds only a carriage return is not empty
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTeacherList(c.bytes), c.expected) << c.bytes;
}

TEST(ParseTeacherList, LongAndManyLines) {
  std::string list = "1;" + std::string(2'000'000, 'x') + ";V\r\n";
  for (int i = 0; i < 100'000; ++i) list += "9;N;V\r\n";
  std::vector<TeacherEntry> entries = ParseTeacherList(list);
  ASSERT_EQ(entries.size(), 100'001u);
  EXPECT_EQ(entries[0].surname.size(), 2'000'000u);
  EXPECT_EQ(entries[0].first_name, "V");
}

TEST_F(TeacherListTest, Table1TakesTheProgramDirectorysCopyOnly) {
  WriteOem(ProgramList(), "1;Programm;P\r\n;OhneNummer;X\r\n3;;OhneName\r\n");
  WriteOem(SchoolList(), "2;Schule;S\r\n");
  std::vector<TeacherEntry> t = TeachersForTable1(paths);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0], (TeacherEntry{"1", "Programm", "P"}));
  EXPECT_EQ(t[1], (TeacherEntry{"", "OhneNummer", "X"}));
}

}  // namespace
}  // namespace tabulon::testing

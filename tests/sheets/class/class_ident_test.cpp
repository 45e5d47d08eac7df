#include "sheets/class/class_ident.h"

#include <gtest/gtest.h>

#include "files/files.h"
#include "sheets/class/class_fixture.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

class ClassIdentTest : public testing::ClassTableFixture {
 protected:
  std::filesystem::path Notes() { return prog / (class_id + "ID.CSV"); }
  Grid ShowIdent() {
    Grid g;
    SetUpGrid(g, class_sheet::IdentTableDef(), prog, ui);
    ClassSheet().FindIO("Bog3Ident")->load(g, class_sheet::IdentTableDef(), Ctx());
    return g;
  }
  void SaveIdent(const Grid& g) {
    ClassSheet().FindIO("Bog3Ident")->save(g, class_sheet::IdentTableDef(), Ctx());
  }
};

TEST_F(ClassIdentTest, DefinitionAndFrame) {
  const Grid g = ShowIdent();
  EXPECT_EQ(ReadBytes(prog / "Bog3Ident.TBD"),
            text::Utf8ToCp1252("2;9;Klasse\r\n0;0;Merkmal / Eigenschaft\r\n1;0;Wert / Inhalt\r\n"
                               "0;1;Statistik-Bezeichnung\r\n0;2;schulinterne Bezeichnung\r\n"
                               "0;3;Klassen-Ltr./Tutor/Stat.-Verantw.\r\n"
                               "0;4;stellv. KL/Tut./Stat.-Verantw.\r\n0;5;Anzahl Schüler insg.\r\n"
                               "0;6;   davon Schüler weibl.\r\n"));
  EXPECT_EQ(g.ColWidth(0), 160);
  EXPECT_EQ(g.ColWidth(1), 100);
  EXPECT_EQ(g.RowCount(), 9);
  // Without a notes file: the identifier and nothing else.
  EXPECT_EQ(g.Cell(1, 1), "ZIM003");
  EXPECT_EQ(class_sheet::SchoolNameOfClass(g), "??");
}

TEST_F(ClassIdentTest, SavingWritesNineLinesInTheOemCodePage) {
  Grid g = ShowIdent();
  g.SetCell(1, 2, "ZIM32");
  g.SetCell(1, 3, "Frau Müller");
  SaveIdent(g);
  EXPECT_EQ(ReadBytes(Notes()),
            "ZIM003;\r\nZIM32;\r\nFrau M\x81ller;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n");
  const Grid back = ShowIdent();
  EXPECT_EQ(back.Cell(1, 3), "Frau Müller");
  EXPECT_EQ(class_sheet::SchoolNameOfClass(back), "ZIM32");
  // Nothing else of the save lands beside the notes file.
  EXPECT_FALSE(std::filesystem::exists(paths.school_data_dir / "KLASSE" / "ZIM003ID.CSV"));
}

TEST_F(ClassIdentTest, OddNotesFilesLoadWithoutHarm) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> rows;  // column 1 of rows 1 to 3
  };
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "x" + std::to_string(i) + ";\r\n";
  const std::string huge_line(10 * 1024 * 1024, 'A');
  const Case cases[] = {
      {"empty", "", {"ZIM003", "", ""}},
      {"short", "ZIM003;\r\nZIM32;\r\n", {"ZIM003", "ZIM32", ""}},
      {"blank first line", "\r\nZIM32;\r\n", {"ZIM003", "ZIM32", ""}},
      {"one blank", " ;\r\n", {"ZIM003", "", ""}},
      {"many lines", many, {"x0", "x1", "x2"}},
      {"nul bytes", std::string("A\0B;\r\nC;\r\n", 10), {std::string("A\0B", 3), "C", ""}},
      {"huge line", "ZIM003;\r\n" + huge_line + ";x\r\nL3", {"ZIM003", huge_line, "L3"}},
      {"no line end", "ZIM003", {"ZIM003", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(Notes(), c.bytes);
    const Grid g = ShowIdent();
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(g.Cell(1, r), c.rows[r - 1]) << r;
  }
}

TEST_F(ClassIdentTest, AFailedSaveKeepsTheOldFile) {
  WriteBytes(Notes(), "ZIM003;\r\nalt;\r\n");
  Grid g = ShowIdent();
  g.SetCell(1, 2, "neu");
  SetWriteFailureAfterBytesForTesting(5);  // as a full disk would
  EXPECT_THROW(SaveIdent(g), FileError);
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_EQ(ReadBytes(Notes()), "ZIM003;\r\nalt;\r\n");
  EXPECT_EQ(g.Cell(1, 2), "neu");
}

}  // namespace
}  // namespace tabulon

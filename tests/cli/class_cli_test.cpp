// The class sheet on the command line: class targets, the class list, creating and deleting a
// class.

#include <cstdlib>

#include "cli/trash.h"
#include "files/files.h"
#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

class ClassCliTest : public CliTest {
 protected:
  ClassCliTest() { Prepare({"SSVB.SSD", "SSVB0.SSD"}); }
};

TEST_F(ClassCliTest, CreateListShowAndSave) {
  auto r = Run({"klasse-anlegen", "ZIM003", "--schulintern", "ZIM32"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(Klasse("ZIM00300.CSV")),
            "ES001;ES002;ES003;ES004;ES005;ES006\r\n4711;;;;;\r\n");
  EXPECT_EQ(ReadBytes(dir / "ZIM003ID.CSV"),
            "ZIM003;\r\nZIM32;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n");
  EXPECT_EQ(Run({"klasse-anlegen", "BÄC001"}).status, 0);
  r = Run({"klassen"});
  EXPECT_EQ(r.out, "BÄC001\nZIM003\n");

  // Table 10 by its page name and by its number; the notes by "ident".
  for (const char* t : {"klasse:ZIM003:4.1", "klasse:ZIM003:10"}) {
    r = Run({"anzeigen", t});
    EXPECT_EQ(r.status, 0) << t;
    EXPECT_EQ(r.out.substr(0, r.out.find('\t')), "Satzart 10") << t;
  }
  // The notes' rows are the class sheet's own; here the name given at creation shows.
  r = Run({"anzeigen", "klasse:ZIM003:ident"});
  EXPECT_NE(r.out.find("\nschulinterne Bezeichnung\tZIM32\n"), std::string::npos) << r.out;

  // "speichern" of table 0 writes the notes too, of "ident" only the notes.
  fs::remove(dir / "ZIM003ID.CSV");
  EXPECT_EQ(Run({"speichern", "klasse:ZIM003:0"}).status, 0);
  EXPECT_TRUE(fs::exists(dir / "ZIM003ID.CSV"));
  WriteBytes(Klasse("BÄC00100.CSV"), "ES001\r\nunverändert");
  fs::remove(dir / "BÄC001ID.CSV");
  EXPECT_EQ(Run({"speichern", "klasse:BÄC001:ident"}).status, 0);
  EXPECT_TRUE(fs::exists(dir / "BÄC001ID.CSV"));
  EXPECT_EQ(ReadBytes(Klasse("BÄC00100.CSV")), "ES001\r\nunverändert");
}

TEST_F(ClassCliTest, RefusalsEndWithStatus2) {
  WriteBytes(Klasse("ZIM00300.CSV"), "ES001\r\n");
  struct Case {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"klasse-anlegen", "ZIM003"},
       "Fehler: Eine Klasse mit der Statistik-Bezeichnung: ZIM003\nexistiert schon und kann nicht "
       "überschrieben werden!\n"},
      {{"klasse-anlegen", "../abc"},
       "Fehler: Die Statistik-Klassenbezeichnung:\n../abc\nist fehlerhaft!\n"},
      {{"anzeigen", "klasse:zim003:1"}, "Fehler: keine Klasse \"zim003\" in der Klassenliste\n"},
      {{"anzeigen", "klasse:../abc:1"}, "Fehler: keine Klasse \"../abc\" in der Klassenliste\n"},
      {{"klasse-loeschen", "ABC001"}, "Fehler: keine Klasse \"ABC001\" in der Klassenliste\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.args), (CliResult{2, "", c.err})) << c.args[1];
  }
  EXPECT_FALSE(fs::exists(dir / "4711" / "abc00.CSV"));
  EXPECT_FALSE(fs::exists(dir / "abcID.CSV"));

  testing::WriteSchoolSettings(dir.path(), "4711", false);
  const auto r = Run({"klasse-anlegen", "ABC001"});
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(fs::exists(Klasse("ABC00100.CSV")));
  EXPECT_EQ(Run({"speichern", "klasse:ZIM003:0"}).status, 2);
}

TEST_F(ClassCliTest, GroupCalculationTakesTheCallAsItsYes) {
  WriteBytes(Klasse("ZIM00300.CSV"), "ES001\r\n");
  WriteBytes(Klasse("ZIM00308.CSV"),
             "ES001;ES002;ES003;ES004;ES005;ES006;ES007\r\n01;;1230;;;;\r\n02;;1234;;101;6;2\r\n");
  const auto r = Run({"berechnen", "klasse:ZIM003:8", "zwischensummen"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("Meldung\t01\t\t1230\t\t\t6\t2\n"), std::string::npos) << r.out;
}

TEST_F(ClassCliTest, DeletingMovesTheFilesIntoTheTrash) {
  setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
  WriteBytes(Klasse("ZIM00300.CSV"), "ES001\r\n");
  WriteBytes(Klasse("ZIM00309.CSV"), "ES001\r\n");
  WriteBytes(Klasse("ZIM00100.CSV"), "ES001\r\n");
  WriteBytes(dir / "ZIM003ID.CSV", "ZIM003;\r\n");
  const auto r = Run({"klasse-loeschen", "ZIM003"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(fs::exists(Klasse("ZIM00300.CSV")));
  EXPECT_TRUE(fs::exists(Klasse("ZIM00100.CSV")));
  EXPECT_EQ(ReadBytes(dir / "Trash" / "files" / "ZIM00309.CSV"), "ES001\r\n");
  EXPECT_EQ(ReadBytes(dir / "Trash" / "files" / "ZIM003ID.CSV"), "ZIM003;\r\n");
  const std::string info = ReadBytes(dir / "Trash" / "info" / "ZIM00300.CSV.trashinfo");
  EXPECT_EQ(info.substr(0, 18), "[Trash Info]\nPath=");
  EXPECT_NE(info.find(Klasse("ZIM00300.CSV").string()), std::string::npos);
  EXPECT_EQ(Run({"klassen"}).out, "ZIM001\n");
  unsetenv("XDG_DATA_HOME");
}

TEST(TrashTest, ANameInUseGetsANumberAndAFailureLeavesTheFile) {
  TempDir dir;
  WriteBytes(dir / "a" / "X.CSV", "1");
  WriteBytes(dir / "b" / "X.CSV", "2");
  EXPECT_TRUE(MoveIntoTrashDir(dir / "a" / "X.CSV", dir / "T"));
  EXPECT_TRUE(MoveIntoTrashDir(dir / "b" / "X.CSV", dir / "T"));
  EXPECT_EQ(ReadBytes(dir / "T" / "files" / "X.CSV.2"), "2");
  EXPECT_TRUE(fs::exists(dir / "T" / "info" / "X.CSV.2.trashinfo"));
  WriteBytes(dir / "c" / "Y.CSV", "3");
  WriteBytes(dir / "F", "a file where the trash directory should be");
  EXPECT_FALSE(MoveIntoTrashDir(dir / "c" / "Y.CSV", dir / "F"));
  EXPECT_EQ(ReadBytes(dir / "c" / "Y.CSV"), "3");
}

}  // namespace
}  // namespace tabulon::cli

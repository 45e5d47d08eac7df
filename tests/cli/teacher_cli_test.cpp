// The teacher tables on the command line: targets, notices, calculations and conversions.

#include "support/cli_run.h"
#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon::cli {
namespace {

class TeacherCliTest : public ::testing::Test {
 protected:
  TeacherCliTest() {
    testing::CopyKeyFiles(dir.path(), {"SSSA-140.SSD", "ILKLWS-4.SSD"});
    Settings(true);
  }
  void Settings(bool read_write) {
    testing::WriteSchoolSettings(dir.path(), "12345", read_write,
                                 [](tabulon::Settings& s) { s.log_all_tests = 0; });
  }
  fs::path File(int table) {
    return dir / "12345" / "LEHRER" / ("123450" + std::to_string(table) + ".CSV");
  }
  void WriteOem(const fs::path& p, const std::string& utf8) {
    testing::WriteBytes(p, text::Utf8ToCp850(utf8));
  }
  CliResult Cli(const std::vector<std::string>& args) { return testing::RunCli(args, dir.path()); }

  testing::TempDir dir;
};

// A table-1 line of n fields, each followed by ";": the number, then "f2" ... as given.
std::string Line(const std::string& number, int n, int es021_to_025_from = 0) {
  std::string s = number + ";";
  for (int k = 2; k <= n; ++k) {
    const bool marked = es021_to_025_from > 0 && k >= 21 && k <= 25;
    s += (marked ? std::to_string(es021_to_025_from + k - 21) : std::string()) + ";";
  }
  return s;
}

TEST_F(TeacherCliTest, IdentAndTable0AreShownAndSavedAsTheirFiles) {
  WriteOem(dir / "LEHRER.CSV", "7;Müller;Anna\r\n");
  CliResult ident = Cli({"anzeigen", "lehrer:ident"});
  EXPECT_EQ(ident.status, 0);
  EXPECT_TRUE(ident.out.starts_with("intern\tNr.\tName\tVorname\n01\t7\tMüller\tAnna\n02\t\t\t\n"));

  CliResult save0 = Cli({"speichern", "lehrer:0"});
  EXPECT_EQ(save0.status, 0);
  EXPECT_EQ(testing::ReadBytes(File(0)), "ES001\r\n12345\r\n");
}

TEST_F(TeacherCliTest, NoticesGoToStandardError) {
  WriteOem(File(1), Line("1", 57) + "\r\n");
  CliResult one = Cli({"anzeigen", "lehrer:1"});
  EXPECT_EQ(one.status, 0);
  EXPECT_EQ(one.err, "Hinweis: Hinweis!!! Wahrscheinlich Tabelle (Version bis 2008) gefunden!\n");

  WriteOem(File(4), "x\r\n");
  for (const char* target : {"lehrer:0", "lehrer:ident"}) {
    CliResult zero = Cli({"anzeigen", target});
    EXPECT_EQ(zero.err.rfind("Hinweis: Alte Lehrer-Tabelle 1 gefunden!!! ", 0), 0u) << zero.err;
  }
  EXPECT_EQ(Cli({"anzeigen", "lehrer:2"}).err, "");
}

TEST_F(TeacherCliTest, HoursQuestionIsAnsweredNein) {
  WriteOem(dir / "LEHRER.CSV", "17;;\r\n");
  std::string line = "17;";
  for (int k = 2; k <= 59; ++k)
    line += (k == 17 ? "20" : k == 46 ? "21" : k == 48 ? "22" : "") + std::string(";");
  WriteOem(File(1), line + "\r\n");
  CliResult r = Cli({"berechnen", "lehrer:1", "spalten"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err,
            "Information: Zellenwert auswählen und ändern? Zeile: 2  Lehrer-Nr.: 17 / zu erteil. "
            "Stdn. insg.: aktueller Wert , berechnet 20 / 21 / 22\n=> Nein\n");
}

// The order of "pruefen alles" is the pruefen tests' own; here a teacher target reaches its test.
TEST_F(TeacherCliTest, PruefenOfATeacherTable) {
  WriteOem(File(0), "ES001\r\n99999\r\n");
  CliResult wrong = Cli({"pruefen", "lehrer:0"});
  EXPECT_EQ(wrong.status, 1);
  EXPECT_NE(wrong.out.find("[10]  DST-Nr. in Meldungsdatei und Programm-Einstellungen"),
            std::string::npos)
      << wrong.out;
}

TEST_F(TeacherCliTest, Umwandeln2003) {
  std::string old_line;
  for (int k = 1; k <= 60; ++k) old_line += (k > 1 ? ";f" : "f") + std::to_string(k);
  WriteOem(File(1), old_line + "\r\n");
  WriteOem(File(4), "x\r\n");
  CliResult done = Cli({"umwandeln", "2003"});
  EXPECT_EQ(done.status, 0);
  EXPECT_NE(done.err.find("=> Ja\n"), std::string::npos);
  EXPECT_NE(done.err.find("Information: Die Übernahme der alten Lehrer-Tabelle\nerfolgte OHNE "
                          "Probleme!\n"),
            std::string::npos)
      << done.err;
  EXPECT_FALSE(fs::exists(File(4)));

  // A leftover copy of the old table blocks the next run.
  testing::WriteBytes(dir / "12345" / "LEHRER" / "1234501alt.CSV", "x\r\n");
  CliResult blocked = Cli({"umwandeln", "2003"});
  EXPECT_EQ(blocked.status, 1);
  EXPECT_NE(blocked.err.find("erfolgte nicht vollständig!"), std::string::npos);
}

TEST_F(TeacherCliTest, Umwandeln2008PrintsAndSavesOnlyWhenAsked) {
  WriteOem(File(1), Line("1", 57, 3) + "\r\n");
  const std::string before = testing::ReadBytes(File(1));
  CliResult shown = Cli({"umwandeln", "2008"});
  EXPECT_EQ(shown.status, 0);
  EXPECT_NE(shown.out.find("\t1\t\t"), std::string::npos);
  EXPECT_EQ(testing::ReadBytes(File(1)), before);

  CliResult saved = Cli({"umwandeln", "2008", "--speichern"});
  EXPECT_EQ(saved.status, 0);
  // The column move itself is the conversion's own test; here: it reached the file.
  EXPECT_NE(testing::ReadBytes(File(1)).find("\r\n1;" + std::string(19, ';') + "3;;;5;;;7;"),
            std::string::npos);

  EXPECT_EQ(Cli({"umwandeln", "1999"}).err,
            "Fehler: unbekannte Umwandlung 1999 (möglich: 2003, 2008)\n");
}

}  // namespace
}  // namespace tabulon::cli

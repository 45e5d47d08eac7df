
#include "base/settings.h"
#include "files/files.h"
#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

class TablesCliTest : public CliTest {
 protected:
  TablesCliTest() { testing::CopyKeyFiles(dir.path(), {"SSSA.SSD"}); }
  void AllowWriting(const std::string& dst_nr) { testing::WriteSchoolSettings(dir.path(), dst_nr); }
  std::filesystem::path DataFile(const std::string& dst, int table) {
    return testing::SchoolTableFile(dir / dst, dst, table);
  }
};

TEST_F(TablesCliTest, ShowsTable0OfAFreshProgramDirectory) {
  EXPECT_EQ(Run({"anzeigen", "schule:0"}),
            (CliResult{0,
                       "Satzart 0\tDST Nr.\tSchulaufsichtsbereich\tSchulträger\n"
                       "Erfassungsspalte\tES001\tES002\tES003\n"
                       "Meldung\t00000\t\t\n",
                       ""}));
  EXPECT_TRUE(std::filesystem::exists(dir / "Bog1Tab0.TBD"));
  // Looking at a table creates no data directories.
  EXPECT_FALSE(std::filesystem::exists(dir / "00000"));
}

// The rows shown are the sheet's own; here the grid is printed and what loading said goes to
// standard error.
TEST_F(TablesCliTest, ShowsStoredDataAndLoadingMessages) {
  WriteBytes(DataFile("00000", 1), "ES001\r\n010;5;5\r\n;1\r\n");
  CliResult r = Run({"anzeigen", "schule:1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "Information: Beim Einlesen der Datendatei:\n" + DataFile("00000", 1).string() +
                       "\nkonnte(n) 1 Datensatz/-sätze nicht zugeordnet werden!\n");
  EXPECT_NE(r.out.find("\n010\tBerufsschule - Teilzeit (Fachklassen)\t010\t5\t5" +
                       std::string(13, '\t') + "\n"),
            std::string::npos)
      << r.out;

  std::filesystem::remove(dir / "SSSA.SSD");
  r = Run({"anzeigen", "schule:1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
            "Warnung: Statistik-Schlüssel-Datei: Schularten/...");
}

TEST_F(TablesCliTest, SavingIsRefusedWhileAccessIsReadOnly) {
  WriteBytes(DataFile("00000", 0), "ES001;ES002;ES003\r\n00000;x;y\r\n");
  EXPECT_EQ(Run({"speichern", "schule:0"}),
            (CliResult{2, "",
                       "Fehler: SPEICHERN nicht möglich!!!\n\nSie haben bei Einstellungen als "
                       "Programm-Option\nden \"Dateizugriff: NUR LESEN\" gesetzt!\n"}));
  EXPECT_EQ(ReadBytes(DataFile("00000", 0)), "ES001;ES002;ES003\r\n00000;x;y\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "Bog1Tab0.TBD"));
}

TEST_F(TablesCliTest, SavesTablesAsLeavingThemDoes) {
  AllowWriting("24680");
  WriteBytes(DataFile("24680", 0), "ES001;ES002;ES003\r\n00000;Nord;Stadt M\x81nde\r\n");
  WriteBytes(DataFile("24680", 4),
             "ES001;ES002;ES003;ES004;ES005;ES006;ES007\r\n0;0;0;0;0;0;0\r\n");
  WriteBytes(DataFile("24680", 2), "ES001;ES002\r\n010;1990;3\r\n;;0\r\n");
  for (int t : {0, 1, 2, 3, 4}) {
    EXPECT_EQ(Run({"speichern", "schule:" + std::to_string(t)}), (CliResult{0, "", ""})) << t;
  }
  EXPECT_EQ(ReadBytes(DataFile("24680", 0)), "ES001;ES002;ES003\r\n24680;Nord;Stadt M\x81nde\r\n");
  EXPECT_FALSE(std::filesystem::exists(DataFile("24680", 4)));  // only zeros: no data
  EXPECT_FALSE(std::filesystem::exists(DataFile("24680", 3)));  // never had data
  EXPECT_EQ(ReadBytes(DataFile("24680", 2)),
            "ES001;ES002;;;;;;;;;;;;;;;;\r\n010;1990;3;;;;;;;;;;;;;;;\r\n");
  std::string t1 = ReadBytes(DataFile("24680", 1));
  EXPECT_EQ(t1.substr(0, 12), "ES001;ES002;");
  EXPECT_EQ(std::count(t1.begin(), t1.end(), '\n'), 1);  // only the code line: no data rows
}

TEST_F(TablesCliTest, UsageErrors) {
  struct Case {
    std::vector<std::string> args;
    std::string err_start;
  } cases[] = {
      {{"anzeigen"}, "Fehler: anzeigen erwartet genau ein Ziel"},
      {{"anzeigen", "schule:0", "schule:1"}, "Fehler: anzeigen erwartet genau ein Ziel"},
      {{"anzeigen", "schule:5"}, "Fehler: unbekannte Tabelle \"5\" in schule:5"},
      {{"anzeigen", "schule:"}, "Fehler: unbekannte Tabelle"},
      {{"anzeigen", "schule"}, "Fehler: unbekannte Tabelle"},
      {{"anzeigen", "schule:01"}, "Fehler: unbekannte Tabelle"},
      {{"anzeigen", "nirgends:1"}, "Fehler: unbekanntes Ziel nirgends:1"},
      {{"speichern"}, "Fehler: speichern erwartet genau ein Ziel"},
      {{"speichern", "schule:9"}, "Fehler: unbekannte Tabelle"},
      {{"anzeigen", "schule:0", "-n", "../x"}, "Fehler: Die DST-Nr."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    CliResult r = Run(c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(0, c.err_start.size()), c.err_start);
  }
}

}  // namespace
}  // namespace tabulon::cli

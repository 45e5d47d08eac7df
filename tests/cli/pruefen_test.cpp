
#include <gmock/gmock.h>

#include <map>
#include <sstream>
#include <string>

#include "base/settings.h"
#include "files/files.h"
#include "support/cli_run.h"
#include "tables/values.h"

namespace tabulon::cli {
namespace {

// Runs pruefen on grids held in memory, keyed by table number.
CliResult Pruefen(std::vector<std::string> args, const std::map<int, Grid>& tables,
                  bool log_all = false) {
  std::ostringstream out, err;
  Context ctx{Options{}, out, err};
  for (const std::string& a : args) {
    if (a == "--json") {
      ctx.options.json = true;
    } else {
      ctx.options.positional.push_back(a);
    }
  }
  int status = RunPruefen(ctx, log_all, [&](Sheet sheet, int table, Ui&) {
    EXPECT_EQ(sheet, Sheet::kSchool);
    auto it = tables.find(table);
    if (it == tables.end()) throw FileError("/daten/SCHULE/1234504.CSV", "Lesen", "kaputt");
    return it->second;
  });
  return {status, out.str(), err.str()};
}

Grid Table4(const char* all, const char* evang_vz, const char* evang_tz) {
  Grid g(8, 3);
  for (int i = 1; i <= 7; ++i) g.SetCell(i, 1, EsCode(i));
  g.SetCell(1, 2, all);
  g.SetCell(2, 2, evang_vz);
  g.SetCell(3, 2, evang_tz);
  return g;
}

Grid Table3() {
  Grid g(10, 10);
  for (int i = 1; i <= 9; ++i) g.SetCell(i, 1, EsCode(i));
  return g;
}

TEST(CliPruefenTest, FailingRunPrintsTheWindowLines) {
  EXPECT_EQ(Pruefen({"schule:4"}, {{4, Table4("10", "5", "6")}}),
            (CliResult{1,
                       "interner Plausi-Test: Schulbogen - Tab.: Religionsunterricht\n"
                       "[70]  Summe [Schüler/-innen mit Religionsunterricht insgesamt]\n"
                       "  --->   fehlerhaft!\n"
                       "[71]  untergeordnete Spalten (evangelisch Vollzeit/Teilzeit)\n"
                       "  --->   enthalten mindestens 1x einen zu hohen Wert\n"
                       "Ergebnis: Test nicht bestanden!\n",
                       ""}));
}

// Quietly a passing run prints its title and one line; table 0 has no test and prints nothing.
TEST(CliPruefenTest, PassingRunsQuietlyInOrderOrInFull) {
  EXPECT_EQ(Pruefen({"schule:0"}, {}), (CliResult{0, "", ""}));
  EXPECT_EQ(
      Pruefen({"schule:3", "schule:0", "schule:4"}, {{3, Table3()}, {4, Table4("11", "5", "6")}}),
      (CliResult{0,
                 "interner Plausi-Test: Schulbogen - Tab.: Absolv./Abgäng. nach Berufen\n"
                 "Test erfolgreich durchlaufen!\n"
                 "interner Plausi-Test: Schulbogen - Tab.: Religionsunterricht\n"
                 "Test erfolgreich durchlaufen!\n",
                 ""}));
  EXPECT_EQ(Pruefen({"schule:3"}, {{3, Table3()}}, true),
            (CliResult{0,
                       "interner Plausi-Test: Schulbogen - Tab.: Absolv./Abgäng. nach Berufen\n"
                       "[7]  eingetragene Werte in den Zellen\n"
                       "  --->   wahrscheinlich in Ordnung\n"
                       "[61]  untergeordnete Spalten (weiblich; Ausländer usw.)\n"
                       "  --->   enthalten mögliche Werte\n"
                       "Ergebnis: Tests bestanden!\n",
                       ""}));
}

TEST(CliPruefenTest, UsageAndFileErrors) {
  const std::string targets =
      " (schule:0 bis schule:4, lehrer:0 bis lehrer:3, klasse:ID:0 bis klasse:ID:10, "
      "klasse:ID:alle, klasse:ID:fussnoten, klassennummern, klassen oder alles)\n";
  struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{},
       "Fehler: pruefen erwartet mindestens ein Ziel (schule:T, klasse:ID:T, klasse:ID:alle, "
       "klasse:ID:fussnoten, klassennummern, klassen oder alles)\n"},
      {{"schule:5"}, "Fehler: unbekanntes Ziel schule:5" + targets},
      {{"schule:1", "schule"}, "Fehler: unbekanntes Ziel schule" + targets},
      {{"lehrer:4"}, "Fehler: unbekanntes Ziel lehrer:4" + targets},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Pruefen(c.args, {}), (CliResult{2, "", c.err}));
  }
  // A table that cannot be read ends the command after the runs before it.
  CliResult r = Pruefen({"schule:3", "schule:2"}, {{3, Table3()}});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out,
            "interner Plausi-Test: Schulbogen - Tab.: Absolv./Abgäng. nach Berufen\n"
            "Test erfolgreich durchlaufen!\n");
  EXPECT_EQ(r.err.rfind("Fehler: Ein-/Ausgabefehler", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("kaputt"), std::string::npos);
}

TEST(CliPruefenTest, JsonHoldsLinesStatesAndFindings) {
  CliResult r =
      Pruefen({"--json", "schule:4", "schule:3"}, {{3, Table3()}, {4, Table4("10", "5", "6")}});
  EXPECT_EQ(r.status, 1);
  const std::string& o = r.out;
  EXPECT_EQ(
      o.rfind(
          "{\"laeufe\":[{\"ziel\":\"schule:4\",\"klasse\":null,\"titel\":\"interner Plausi-Test: "
          "Schulbogen - Tab.: Religionsunterricht\",\"fenster\":true,\"meldung\":null,"
          "\"zeilen\":[{\"nummer\":70,\"art\":\"ueberschrift\",\"farbe\":\"schwarz\","
          "\"text\":\"[70]  Summe [Schüler/-innen mit Religionsunterricht insgesamt]\"},"
          "{\"nummer\":70,\"art\":\"fehler\",\"farbe\":\"rot\",\"text\":\"  --->   "
          "fehlerhaft!\"},",
          0),
      0u)
      << o;
  EXPECT_NE(o.find("\"ergebnis\":\"Test nicht bestanden!\",\"ergebnis_farbe\":\"rot\","
                   "\"bestanden\":false,\"eintraege\":[{\"nummer\":1,\"geprueft\":false,"),
            std::string::npos);
  EXPECT_NE(o.find("{\"nummer\":71,\"geprueft\":true,\"fehlerhaft\":true,\"hinweis\":false}"),
            std::string::npos);
  EXPECT_NE(
      o.find("\"befunde\":[{\"nummer\":70,\"spalte\":1,\"zeile\":2},{\"nummer\":71,"
             "\"spalte\":null,\"zeile\":null}],\"fehlerposition\":{\"spalte\":1,\"zeile\":2}}"),
      std::string::npos);
  EXPECT_NE(o.find("\"fenster\":false,\"meldung\":\"Test erfolgreich durchlaufen!\",\"zeilen\":[],"
                   "\"ergebnis\":null"),
            std::string::npos);
  const std::string end = "\"fehlerposition\":null}],\"nummerierung\":null,\"bestanden\":false}\n";
  ASSERT_GE(o.size(), end.size());
  EXPECT_EQ(o.substr(o.size() - end.size()), end);
}

// The whole command on stored files, as a user calls it.
class CliPruefenFilesTest : public ::testing::Test {
 protected:
  CliPruefenFilesTest() {
    testing::CopyKeyFiles(dir.path(), {"SSSA.SSD"});
    testing::WriteSchoolSettings(dir.path(), "12345", /*read_write=*/false,
                                 [](Settings& s) { s.log_all_tests = 0; });
  }
  void WriteTable(int table, const std::string& bytes) {
    testing::WriteBytes(testing::SchoolTableFile(dir / "12345", "12345", table), bytes);
  }
  CliResult Cli(const std::vector<std::string>& args) { return testing::RunCli(args, dir.path()); }
  testing::TempDir dir;
};

TEST_F(CliPruefenFilesTest, UnreadableValueInAStoredTableFailsTheRun) {
  WriteTable(1, "ES001;ES002;ES003;ES004;ES005;ES006;ES007;ES008\r\n010;;;;;;;abc\r\n");
  const std::string before = testing::ReadBytes(dir / "12345" / "SCHULE" / "1234501.CSV");
  EXPECT_EQ(Cli({"pruefen", "schule:1"}),
            (CliResult{1,
                       "interner Plausi-Test: Schulbogen - Tab.: Klassen und Schüler nach ...\n"
                       "[7]  eingetragene Werte in den Zellen\n"
                       "  --->   mindestens 1x fehlerhaft oder nicht lesbar\n"
                       "Ergebnis: Test nicht bestanden!\n",
                       ""}));
  // Testing changes no data file.
  EXPECT_EQ(testing::ReadBytes(dir / "12345" / "SCHULE" / "1234501.CSV"), before);
}

// "alles" runs the school tables, then the teacher tables, in order.
TEST_F(CliPruefenFilesTest, EverythingOfANewSchoolPassesQuietlyOrInFull) {
  std::string quiet;
  for (const char* title :
       {"Schulbogen - Tab.: Klassen und Schüler nach ...",
        "Schulbogen - Tab.: Absolv./Abgäng. n. Schularten, ...",
        "Schulbogen - Tab.: Absolv./Abgäng. nach Berufen", "Schulbogen - Tab.: Religionsunterricht",
        "Schulbogen - Tab.: Dienststelle", "Lehrerbogen - Tab.: Angaben je Lehrkraft (1)",
        "Lehrerbogen - Tab.: Wöchentlich erteilte Stunden",
        "Lehrerbogen - Tab.: Religionsunterricht"}) {
    quiet += "interner Plausi-Test: " + std::string(title) + "\nTest erfolgreich durchlaufen!\n";
  }
  // Read-only and without a school directory yet: checking makes no directory and says nothing
  // about one (only the key files that are missing here).
  const CliResult r = Cli({"pruefen", "alles"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, quiet);
  EXPECT_THAT(r.err, ::testing::Not(::testing::HasSubstr("Datenverzeichnis")));
  EXPECT_FALSE(std::filesystem::exists(dir / "12345"));
  EXPECT_EQ(Cli({"pruefen", "--alle", "schule:2"}),
            (CliResult{0,
                       "interner Plausi-Test: Schulbogen - Tab.: Absolv./Abgäng. n. Schularten, "
                       "...\n"
                       "[5]  Bezeichnungen der Zellen in der 1. Meldezeile (ES001 --> ES...)\n"
                       "  --->   in Ordnung\n"
                       "[7]  eingetragene Werte in den Zellen\n"
                       "  --->   wahrscheinlich in Ordnung\n"
                       "Ergebnis: Tests bestanden!\n",
                       ""}));
}

}  // namespace
}  // namespace tabulon::cli

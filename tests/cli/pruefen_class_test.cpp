// pruefen on the class sheet: one table, the summary, the footnotes, the numbering, every class.

#include <string>
#include <vector>

#include "files/files.h"
#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

class PruefenClassTest : public CliTest {
 protected:
  PruefenClassTest() { Prepare({"SSVB.SSD", "SSVB0.SSD"}); }
  void AddClass(const std::string& id) { ASSERT_EQ(Run({"klasse-anlegen", id}).status, 0); }
  // Table 0 of a class with every key of the class data in order.
  void SoundTable0(const std::string& id) {
    WriteBytes(Klasse(id + "00.CSV"),
               "ES001;ES002;ES003;ES004;ES005;ES006\r\n4711;020;" + id.substr(3, 3) + ";1;2;\r\n");
  }
};

// The statuses as the summary prints them, from "0" (faulty) and "1" (fault-free) per table.
std::string Statuses(const char* states) {
  std::string out;
  for (int t = 0; t < 10; ++t) {
    out += std::string("Tabelle 0") + char('0' + t) + ": " +
           (states[t] == '0' ? "fehlerhaft" : "fehlerfrei") + "\n";
  }
  return out;
}

// The check lines themselves are the class tests' own; here the targets reach them and the
// status follows the verdict.
TEST_F(PruefenClassTest, OneTableOfAClass) {
  AddClass("ZIM003");
  auto r = Run({"pruefen", "klasse:ZIM003:0"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.out.find("Ergebnis: Test nicht bestanden!\n"), std::string::npos) << r.out;
  SoundTable0("ZIM003");
  const struct {
    const char* target;
    const char* title;
  } cases[] = {
      {"klasse:ZIM003:0", "interner Plausi-Test: Klassenmeldung - Tabelle: Klassendaten\n"},
      {"klasse:ZIM003:4.1",
       "interner Plausi-Test: Klassenbogen - Tab.: Anzahl gelernter Fremdsprachen\n"},
  };
  for (const auto& c : cases) {
    r = Run({"pruefen", c.target});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.out.starts_with(c.title)) << r.out;
    EXPECT_TRUE(r.out.ends_with("Ergebnis: Tests bestanden!\n")) << r.out;
  }
}

// Which lines a protocol keeps is the protocol's own test; without every check logged, a failing
// class table prints only its failed checks.
TEST_F(PruefenClassTest, FailingTablePrintsItsFailedChecks) {
  AddClass("ZIM003");
  // Class number 004 in class ZIM003, a letter as grade level.
  WriteBytes(Klasse("ZIM00300.CSV"),
             "ES001;ES002;ES003;ES004;ES005;ES006\r\n4711;020;004;1;X;\r\n");
  testing::WriteSchoolSettings(dir.path(), "4711", true, [](Settings& s) { s.log_all_tests = 0; });
  EXPECT_EQ(Run({"pruefen", "klasse:ZIM003:0"}),
            (CliResult{1,
                       "interner Plausi-Test: Klassenmeldung - Tabelle: Klassendaten\n"
                       "[7]  eingetragene Werte in den Zellen\n"
                       "  --->   mindestens 1x fehlerhaft oder nicht lesbar\n"
                       "[17]  Angabe der Jahrgangsstufe\n"
                       "  --->   ist nicht schlüselgerecht\n"
                       "[19]  Klassen-Nummer und Nummer in Klassennamen\n"
                       "  --->   stimmen nicht überein\n"
                       "Ergebnis: Test nicht bestanden!\n",
                       ""}));
}

TEST_F(PruefenClassTest, SummaryListsTheTablesAndTheOverallVerdict) {
  AddClass("ZIM003");
  SoundTable0("ZIM003");
  auto r = Run({"pruefen", "klasse:ZIM003:alle"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
            "Zusammenfassender Plausi-Test über alle Bögen einer Klasse");
  // Without data, table 1 has no 9999 row and table 8 neither a group nor its 99 row.
  const std::string tail = Statuses("1011111101") + "Gesamtergebnis: Test nicht bestanden!\n";
  ASSERT_GE(r.out.size(), tail.size());
  EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail) << r.out;
  // Only failed and hint lines: nothing reads "in Ordnung".
  EXPECT_EQ(r.out.find("in Ordnung"), std::string::npos) << r.out;

  r = Run({"pruefen", "--json", "klasse:ZIM003:alle"});
  EXPECT_NE(r.out.find("\"ziel\":\"klasse:ZIM003:alle\",\"klasse\":\"ZIM003\",\"tabellen\":{"
                       "\"00\":\"fehlerfrei\",\"01\":\"fehlerhaft\",\"02\":\"fehlerfrei\""),
            std::string::npos)
      << r.out;
}

TEST_F(PruefenClassTest, FootnotesOfAnEmptyClassAgree) {
  AddClass("ZIM003");
  auto r = Run({"pruefen", "klasse:ZIM003:fussnoten"});
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
            "interner Plausi-Test: Plausi über mehrere Klassenbögen (Fußnoten a..h)");
  // Every figure is 0; the tables 1 and 8 lack their sum rows, but table 9 has its total block,
  // and the shared 231 ends as table 9 leaves it.
  EXPECT_EQ(r.status, 0) << r.out;
}

TEST_F(PruefenClassTest, EveryClassAndTheNumbering) {
  AddClass("ZIM001");
  AddClass("ZIM003");
  SoundTable0("ZIM001");
  SoundTable0("ZIM003");
  auto r = Run({"pruefen", "klassen"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Fehler: (Erste) fehlende Klassen-Nummer: 2\n"), std::string::npos) << r.err;
  const std::size_t first = r.out.find("Klasse: ZIM001\n");
  const std::size_t second = r.out.find("Klasse: ZIM003\n");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_EQ(r.out.substr(first + 15, 60),
            "Zusammenfassender Plausi-Test über alle Bögen einer Klasse");

  r = Run({"pruefen", "--json", "klassennummern"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "{\"laeufe\":[],\"nummerierung\":[{\"art\":\"Fehler\",\"text\":\"(Erste) fehlende "
            "Klassen-Nummer: 2\"}],\"bestanden\":false}\n");
  AddClass("ZIM002");
  r = Run({"pruefen", "klassennummern"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "Information: Alle Klassen-Nummern fortlaufend!\n");
}

TEST_F(PruefenClassTest, SchoolWithoutClassesPassesTheClassPart) {
  auto r = Run({"pruefen", "--json", "klassen"});
  EXPECT_EQ(r, (CliResult{0, "{\"laeufe\":[],\"nummerierung\":null,\"bestanden\":true}\n", ""}));
}

TEST_F(PruefenClassTest, TargetsNamingNoClassOrTable) {
  AddClass("ZIM003");
  struct {
    const char* target;
    const char* err;
  } cases[] = {
      {"klasse:../x:0", "Fehler: keine Klasse \"../x\" in der Klassenliste\n"},
      {"klasse:ZZZ999:0", "Fehler: keine Klasse \"ZZZ999\" in der Klassenliste\n"},
      {"klasse:ABC001:alle", "Fehler: keine Klasse \"ABC001\" in der Klassenliste\n"},
      {"klasse:ZZZ999:fussnoten", "Fehler: keine Klasse \"ZZZ999\" in der Klassenliste\n"},
  };
  for (const auto& c : cases) {
    auto r = Run({"pruefen", c.target});
    EXPECT_EQ(r, (CliResult{2, "", c.err})) << c.target;
  }
  auto r = Run({"pruefen", "klasse:ZIM003:11"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.substr(0, 40), "Fehler: unbekanntes Ziel klasse:ZIM003:1");
}

TEST_F(PruefenClassTest, UnreadableTableEndsWithStatus2) {
  AddClass("ZIM003");
  fs::create_directory(Klasse("ZIM00301.CSV"));
  auto r = Run({"pruefen", "klasse:ZIM003:alle"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.substr(0, 8), "Fehler: ") << r.err;
}

}  // namespace
}  // namespace tabulon::cli

// The synthetic school of the benchmarks as the command line sees it: a sound school passes
// "pruefen alles", a seeded fault is reported for its class alone, and a seed makes the same bytes.
#include "school/synthetic_school.h"

#include <string>

#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

bench::SyntheticSchool Make(const TempDir& dir, const std::string& name, unsigned seed,
                            int fault_percent) {
  bench::SchoolOptions o;
  o.classes = 3;
  o.seed = seed;
  o.fault_percent = fault_percent;
  o.key_dir = testing::kSampleData;
  return bench::MakeSchool(dir / name, o);
}

constexpr const char* kPassed =
    "Zusammenfassender Plausi-Test über alle Bögen einer Klasse\n"
    "Test erfolgreich durchlaufen!\n"
    "interner Plausi-Test: Klassenbogen - Tab.: Anzahl gelernter Fremdsprachen\n"
    "Test erfolgreich durchlaufen!\n"
    "interner Plausi-Test: Plausi über mehrere Klassenbögen (Fußnoten a..h)\n"
    "Test erfolgreich durchlaufen!\n";

TEST(SyntheticSchoolTest, SoundSchoolPassesEverything) {
  TempDir dir;
  const bench::SyntheticSchool s = Make(dir, "a", 1, 0);
  EXPECT_TRUE(s.faults.empty());
  const auto r = RunCli({"pruefen", "alles"}, s.program_dir);
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(r.out.find("nicht bestanden"), std::string::npos) << r.out;
  EXPECT_EQ(r.err, "Information: Alle Klassen-Nummern fortlaufend!\n");
}

TEST(SyntheticSchoolTest, SeededFaultNamesItsClassOnly) {
  TempDir dir;
  const bench::SyntheticSchool s = Make(dir, "a", 12, 34);
  ASSERT_EQ(s.faults.size(), 1u);
  EXPECT_EQ(s.faults[0].class_id, "KFZ002");
  EXPECT_EQ(s.faults[0].table, 6);
  const auto r = RunCli({"pruefen", "klassen"}, s.program_dir);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Information: Alle Klassen-Nummern fortlaufend!\n");
  EXPECT_EQ(r.out, std::string("Klasse: ELT001\n") + kPassed + "Klasse: IND003\n" + kPassed +
                       "Klasse: KFZ002\n"
                       "Zusammenfassender Plausi-Test über alle Bögen einer Klasse\n"
                       "[232]  Zwischensumme [Schüler/-innen im Ausb.-verh. (...)]\n"
                       "  --->   enthält mindestens 1x einen falschen Wert\n"
                       "Tabelle 00: fehlerfrei\nTabelle 01: fehlerfrei\nTabelle 02: fehlerfrei\n"
                       "Tabelle 03: fehlerfrei\nTabelle 04: fehlerfrei\nTabelle 05: fehlerfrei\n"
                       "Tabelle 06: fehlerhaft\nTabelle 07: fehlerfrei\nTabelle 08: fehlerfrei\n"
                       "Tabelle 09: fehlerfrei\n"
                       "Gesamtergebnis: Test nicht bestanden!\n"
                       "interner Plausi-Test: Klassenbogen - Tab.: Anzahl gelernter Fremdsprachen\n"
                       "Test erfolgreich durchlaufen!\n"
                       "interner Plausi-Test: Plausi über mehrere Klassenbögen (Fußnoten a..h)\n"
                       "Test erfolgreich durchlaufen!\n");
}

TEST(SyntheticSchoolTest, SameSeedSameBytes) {
  TempDir dir;
  const bench::SyntheticSchool a = Make(dir, "a", 5, 50);
  const bench::SyntheticSchool b = Make(dir, "b", 5, 50);
  testing::Files fa = testing::Tree(dir / "a");
  testing::Files fb = testing::Tree(dir / "b");
  // The settings file names its own data base directory.
  ASSERT_EQ(fa.erase("prog/TBEINST.DAT"), 1u);
  ASSERT_EQ(fb.erase("prog/TBEINST.DAT"), 1u);
  EXPECT_EQ(fa, fb);
  EXPECT_EQ(a.pupil_list, b.pupil_list);
  EXPECT_NE(Make(dir, "c", 6, 50).pupil_list, a.pupil_list);
}

}  // namespace
}  // namespace tabulon::cli

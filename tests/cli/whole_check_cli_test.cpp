// The whole-school check on the command line: the findings of "pruefen alles --json" with their
// place, and the check before the export for the statistical office.

#include "files/files.h"
#include "support/cli_run.h"
#include "support/small_school.h"

namespace tabulon::cli {
namespace {

// Three classes; `faulty` spoils class table 4 of ZIM002 and teacher table 2.
void WriteSchool(const fs::path& prog, bool faulty) {
  testing::WriteSmallSchool(prog, {"ZIM001", "ZIM002", "ZIM003"});
  if (!faulty) return;
  testing::WriteTableCells(prog, Sheet::kClass, 4, "ZIM002", {testing::kFaultyCell});
  testing::WriteTableCells(prog, Sheet::kTeacher, 2, "", {testing::kFaultyCell});
}

TEST(WholeCheckCliTest, JsonNamesEachFindingsSheetClassTableAndCell) {
  testing::TempDir dir;
  WriteSchool(dir.path(), true);
  const auto r = RunCli({"pruefen", "--json", "alles"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(
                "\"fundstellen\":[{\"bogen\":\"klasse\",\"klasse\":\"ZIM002\",\"tabelle\":4,"
                "\"tabellenname\":\"Tab. 4\",\"nummer\":7,\"art\":\"fehler\",\"pruefung\":"
                "\"eingetragene Werte in den Zellen\",\"status\":\"mindestens 1x fehlerhaft oder "
                "nicht lesbar\",\"spalte\":3,\"zeile\":2,\"spaltenkopf\":\"Schüler insg. (ES002)\","
                "\"zeilenbeschriftung\":\"Zeile 2: 01 Englisch\"}],\"befunde\""),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("{\"bogen\":\"lehrer\",\"klasse\":null,\"tabelle\":2,"), std::string::npos);
  // Passing runs list no findings.
  EXPECT_NE(r.out.find("\"klasse:ZIM001:alle\""), std::string::npos);
  EXPECT_EQ(r.out.find("\"klasse\":\"ZIM001\",\"tabelle\""), std::string::npos);
}

// A school that passes the whole-school check is exported without a word; what a failed check
// says before the export is the export tests' own.
TEST(WholeCheckCliTest, TheStaLAExportOfASoundSchoolIsSilent) {
  testing::TempDir dir;
  WriteSchool(dir.path(), false);
  const fs::path target = dir / "stick";
  fs::create_directories(target);
  EXPECT_EQ(RunCli({"exportieren", "--stala", target.string()}, dir.path()),
            (CliResult{0, "9 Datei(en) kopiert, 0 nicht überschrieben, 0 nicht kopiert.\n", ""}));
  EXPECT_EQ(testing::ReadBytes(target / "4711" / "KLASSE" / "ZIM00200.CSV"),
            testing::ReadBytes(dir / "4711" / "KLASSE" / "ZIM00200.CSV"));
}

}  // namespace
}  // namespace tabulon::cli

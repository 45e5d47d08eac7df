// tabulon-cli schuelerliste: the class tests of the touched classes after the import, listed as
// the whole-school check lists them; in the preview on the tables as they would be written.

#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

class SchuelerlisteChecksTest : public CliTest {
 protected:
  SchuelerlisteChecksTest() {
    Prepare({"SSVB.SSD", "SSVB0.SSD", "SLAND.SSD"});
    EXPECT_EQ(Run({"klasse-anlegen", "ZIM003"}).status, 0);
    // Table 0 complete, so that only what the list fills is left to fail.
    WriteBytes(Klasse("ZIM00300.CSV"),
               "ES001;ES002;ES003;ES004;ES005;ES006\r\n4711;020;003;1;1;\r\n");
    // Typed counts without a total row: the table's test fails on them.
    WriteBytes(Klasse("ZIM00301.CSV"), "ES001;ES002;ES003;ES004;ES005\r\n2005;7;3;0;0\r\n");
    WriteBytes(list, "Klasse;Geburtsjahr;Geschlecht;Staatsangehörigkeit\nZIM003;2005;w;\n");
  }
  std::string list = (dir / "liste.csv").string();
};

TEST_F(SchuelerlisteChecksTest, FindingsOfTheStoredAndOfTheDerivedTables) {
  // Stored: table 1 has no total row.
  auto r = Run({"pruefen", "klasse:ZIM003:1"});
  ASSERT_EQ(r.status, 1) << r.out;
  // The preview tests the derived table 1, which has its total row: no finding there.
  r = Run({"schuelerliste", list, "--json"});
  EXPECT_EQ(r.status, 0) << r.err;
  const auto checks = r.out.find(",\"klassentests\":{\"bestanden\":");
  ASSERT_NE(checks, std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("\"tabelle\":1,", checks), std::string::npos) << r.out;
  // Written with a table 2 whose sub-columns contradict each other, the class fails there, and
  // the finding is listed under its sheet, class and table.
  WriteBytes(Klasse("ZIM00302.CSV"), "ES001;ES002;ES003\r\n2;1;5\r\n");
  r = Run({"schuelerliste", list, "--speichern", "--ueberschreiben"});
  EXPECT_EQ(r.status, 0) << r.err;
  const auto at = r.out.find("Klassentests: Test nicht bestanden!\nKlasse (");
  ASSERT_NE(at, std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n  Klasse ZIM003 (", at), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n    Tab. 2 (", at), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n      [8]  ", at), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("\n    Tab. 1 (", at), std::string::npos) << r.out;
}

}  // namespace
}  // namespace tabulon::cli

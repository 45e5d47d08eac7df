
#include "base/settings.h"
#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

class BerechnenCliTest : public CliTest {
 protected:
  void WriteSettings(bool read_only, bool ask) {
    testing::WriteSchoolSettings(dir.path(), "12345", !read_only,
                                 [ask](Settings& s) { s.ask_after_calculations = ask ? 1 : 0; });
  }
  std::filesystem::path Table2File() { return testing::SchoolTableFile(dir / "12345", "12345", 2); }
  void WriteTable2(const std::string& rows) {
    std::string header;
    for (int i = 1; i <= 18; ++i)
      header += (i > 1 ? ";ES0" : "ES0") + std::string(i < 10 ? "0" : "") + std::to_string(i);
    WriteBytes(Table2File(), header + "\r\n" + rows);
  }
};

// The printed line of a grid row that begins with the given cells (after column 0).
bool HasRow(const std::string& out, const std::string& start) {
  return out.find("\n\t" + start) != std::string::npos;
}

TEST_F(BerechnenCliTest, ComputesTheTypeTotalAndSavesIt) {
  WriteSettings(false, false);
  WriteTable2("020;2000;5;2\r\n020;2001;7\r\n020;8888;4;4\r\n");
  CliResult r = Run({"berechnen", "schule:2", "zeile", "--speichern"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  // The loaded grid ends with the last data row, so the new total row is appended with two blank
  // rows below it.
  EXPECT_NE(r.out.find("\t020\t8888\t4\t4" + std::string(14, '\t') + "\n\t020\t9999\t12\t2" +
                       std::string(14, '\t') + "\n" + std::string(18, '\t') + "\n" +
                       std::string(18, '\t') + "\n"),
            std::string::npos)
      << r.out;
  const std::string file = ReadBytes(Table2File());
  EXPECT_NE(file.find("\r\n020;9999;12;2;"), std::string::npos) << file;
  // A second run finds the total in place: nothing changes.
  CliResult again = Run({"berechnen", "schule:2", "zwischensummen", "--speichern"});
  EXPECT_EQ(again.status, 0);
  EXPECT_TRUE(HasRow(again.out, "020\t9999\t12\t2\t")) << again.out;
  EXPECT_EQ(ReadBytes(Table2File()), file);
}

TEST_F(BerechnenCliTest, QuestionsAreAnsweredNeinAndTheTypedValueStays) {
  WriteSettings(false, true);
  WriteTable2("010;1999;3\r\n010;9999;4\r\n");
  CliResult r = Run({"berechnen", "schule:2", "zeile"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err,
            "Information: Zellenwert ändern? 010; 9999 / Absolventen/Abgänger insg.: aktueller "
            "Wert 4, neuer Wert 3\n=> Nein\n");
  EXPECT_TRUE(HasRow(r.out, "010\t9999\t4\t")) << r.out;
}

TEST_F(BerechnenCliTest, ReadOnlyWarnsAndComputesButRefusesToSave) {
  WriteSettings(true, false);
  WriteTable2("030;2000;5\r\n");
  const std::string before = ReadBytes(Table2File());
  CliResult shown = Run({"berechnen", "schule:2", "zeile"});
  EXPECT_EQ(shown.status, 0);
  EXPECT_EQ(shown.err,
            "Warnung: Der Dateizugriff ist auf \"nur LESEN\" eingestellt!\n\nÄnderungen werden "
            "NICHT gespeichert!\n");
  EXPECT_TRUE(HasRow(shown.out, "030\t9999\t5\t")) << shown.out;
  EXPECT_EQ(Run({"berechnen", "schule:2", "zwischensummen", "--speichern"}),
            (CliResult{2, "",
                       "Fehler: SPEICHERN nicht möglich!!!\n\nSie haben bei Einstellungen als "
                       "Programm-Option\nden \"Dateizugriff: NUR LESEN\" gesetzt!\n"}));
  EXPECT_EQ(ReadBytes(Table2File()), before);
}

TEST_F(BerechnenCliTest, UsageErrorsAndTablesWithoutCalculation) {
  WriteSettings(false, false);
  EXPECT_EQ(Run({"berechnen", "schule:2"}).status, 2);
  EXPECT_EQ(Run({"berechnen", "schule:2", "summe"}).status, 2);
  EXPECT_EQ(Run({"berechnen", "schule:9", "zeile"}).status, 2);
  CliResult none = Run({"berechnen", "schule:0", "spalten"});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.err, "Information: Keine sinnvolle Berechnung möglich!\n");
}

}  // namespace
}  // namespace tabulon::cli


#include "base/settings.h"
#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

TEST(CliEinstellungenTest, PrintsDefaultsWithoutSettingsFile) {
  TempDir dir;
  CliResult r = RunCli({"einstellungen"}, dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  const std::string p = dir.path().string();
  EXPECT_EQ(r.out,
            "dst_nr=00000\n"
            "datenbasis=\n"
            "zeilen_verkleinern=0\n"
            "nur_zeilen_mit_daten=1\n"
            "alle_tests_protokollieren=1\n"
            "sicherung_beim_start=1\n"
            "unklare_melden=1\n"
            "nur_lesen=1\n"
            "warnen=1\n"
            "nachfragen=0\n"
            "kopieren_mit_es_zeile=0\n"
            "portabel=0\n"
            "programmverzeichnis=" +
                p +
                "/\n"
                "schuldatenverzeichnis=" +
                p + "/00000/\n");
}

TEST(CliEinstellungenTest, ReadsTheFileAndAppliesOverrides) {
  TempDir dir;
  Settings s;
  s.dst_nr = "12345";
  s.data_base_dir = "/srv/statistik/";
  s.read_only = 9;
  WriteSettingsFile(dir.path(), s);
  CliResult r = RunCli({"einstellungen", "-p", dir.path().string()}, "/nirgends");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("dst_nr=12345\n"), std::string::npos);
  EXPECT_NE(r.out.find("nur_lesen=1\n"), std::string::npos);
  EXPECT_NE(r.out.find("schuldatenverzeichnis=/srv/statistik/12345/\n"), std::string::npos);

  r = RunCli({"einstellungen", "-p", dir.path().string(), "-n", "777", "-d", "/tmp/x"}, "/");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("dst_nr=777\n"), std::string::npos);
  EXPECT_NE(r.out.find("datenbasis=/tmp/x\n"), std::string::npos);
  EXPECT_NE(r.out.find("schuldatenverzeichnis=/tmp/x/777/\n"), std::string::npos);
}

TEST(CliEinstellungenTest, BrokenFileIsDeletedAndReportedOnStandardError) {
  TempDir dir;
  WriteBytes(dir / "TBEINST.DAT", "kaputt");
  CliResult r = RunCli({"einstellungen"}, dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "Information: Die Einstellungsdatei:\n" + (dir / "TBEINST.DAT").string() +
                       "\nist zu alt oder fehlerhaft!\n\nDatei wurde gelöscht!\n"
                       "Prüfen Sie bitte sofort die Programm-Einstellungen!\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "TBEINST.DAT"));
}

TEST(CliEinstellungenTest, RefusesBadUsage) {
  TempDir dir;
  EXPECT_EQ(RunCli({"einstellungen", "-p"}, dir.path()).status, 2);
  EXPECT_EQ(RunCli({"gibtsnicht"}, dir.path()).status, 2);
  EXPECT_EQ(RunCli({"einstellungen", "--falsch"}, dir.path()).status, 2);
  EXPECT_EQ(RunCli({}, dir.path()).status, 2);
}

}  // namespace
}  // namespace tabulon::cli


#include "base/settings.h"
#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

TEST(CliEinstellungenTest, PrintsDefaultsWithoutSettingsFile) {
  TempDir dir;
  const std::string p = dir.path().string();
  EXPECT_EQ(RunCli({"einstellungen"}, dir.path()),
            (CliResult{0,
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
                           p + "/\nschuldatenverzeichnis=" + p + "/00000/\n",
                       ""}));
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

}  // namespace
}  // namespace tabulon::cli

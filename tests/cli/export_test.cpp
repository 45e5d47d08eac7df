
#include "base/settings.h"
#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

// A program directory "prog" that is also the data base, with school 12345.
struct CliInstallation {
  CliInstallation() {
    WriteBytes(p / "12345/SCHULE/1234500.CSV", "S0");
    WriteBytes(p / "12345/LEHRER/1234501.CSV", "L1");
    WriteBytes(p / "12345/KLASSE/ZIM00300.CSV", "K0");
    WriteBytes(p / "LEHRER.CSV", "17;Meier;Hans\n");
    WriteBytes(p / "ZIM003ID.CSV", "Notizen");
  }
  std::vector<std::string> Args(std::vector<std::string> verb_and_args) const {
    verb_and_args.insert(verb_and_args.begin() + 1, {"-p", p.string(), "-n", "12345"});
    return verb_and_args;
  }
  TempDir dir;
  fs::path p = dir / "prog";
  fs::path t = dir / "stick";
};

// The installation's made-up tables fail the whole-school check the StaLA export runs first; it
// says so, exports anyway and ends with status 1.
const std::string kCheckFailed =
    "Warnung: Die Gesamtprüfung hat Fehler gefunden:\n4 Tabellen in 1 Klasse sind fehlerhaft.\n"
    "In 1 Klasse stimmen die Fußnoten der Tabellen nicht überein.\n"
    "1 Tabelle des Schul- und Lehrer-Bogens ist fehlerhaft.\n"
    "Die Klassen-Nummern sind nicht fortlaufend.\n";

TEST(CliExportTest, ExistingFilesAreKeptAndListedUnlessOverwritingIsAsked) {
  CliInstallation inst;
  fs::create_directories(inst.t);
  CliResult r = RunCli(inst.Args({"exportieren", "--stala", inst.t.string()}), "/nirgends");
  EXPECT_EQ(r, (CliResult{1, "3 Datei(en) kopiert, 0 nicht überschrieben, 0 nicht kopiert.\n",
                          kCheckFailed}));
  EXPECT_EQ(ReadBytes(inst.t / "12345/SCHULE/1234500.CSV"), "S0");
  EXPECT_FALSE(fs::exists(inst.t / "12345/LEHRER.CSV"));

  WriteBytes(inst.p / "12345/SCHULE/1234500.CSV", "S0 neu");
  r = RunCli(inst.Args({"exportieren", "--stala", inst.t.string()}), "/nirgends");
  EXPECT_EQ(r.status, 1);
  const fs::path e = inst.t / "12345";
  EXPECT_EQ(r.err,
            kCheckFailed +
                "Nicht überschrieben (schon vorhanden): " + (e / "SCHULE/1234500.CSV").string() +
                "\nNicht überschrieben (schon vorhanden): " + (e / "LEHRER/1234501.CSV").string() +
                "\nNicht überschrieben (schon vorhanden): " + (e / "KLASSE/ZIM00300.CSV").string() +
                "\n");
  EXPECT_EQ(ReadBytes(e / "SCHULE/1234500.CSV"), "S0");

  r = RunCli(inst.Args({"exportieren", "--stala", "--ueberschreiben", inst.t.string()}), "/");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, kCheckFailed);
  EXPECT_EQ(ReadBytes(e / "SCHULE/1234500.CSV"), "S0 neu");
}

TEST(CliExportTest, WhatCouldNotBeCopiedFailsTheRun) {
  CliInstallation inst;
  fs::create_directories(inst.dir / "leer");
  CliResult r = RunCli(inst.Args({"importieren", (inst.dir / "leer").string()}), "/");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "0 Datei(en) kopiert, 0 nicht überschrieben, 3 nicht kopiert.\n");
  EXPECT_EQ(r.err.rfind("Fehler: Folgendes konnte NICHT kopiert werden:\n" +
                            (inst.dir / "leer/12345/SCHULE").string() + "\n",
                        0),
            0u);
}

TEST(CliExportTest, SichernBacksUpEvenWhenTheStartOptionIsOff) {
  CliInstallation inst;
  Settings s;
  s.dst_nr = "12345";
  s.backup_at_start = 0;
  WriteSettingsFile(inst.p, s);
  EXPECT_EQ(RunCli({"sichern", "-p", inst.p.string()}, "/"),
            (CliResult{0, "5 Datei(en) kopiert, 0 nicht überschrieben, 0 nicht kopiert.\n", ""}));
  EXPECT_EQ(ReadBytes(inst.p / "BAK/LEHRER.CSV"), "17;Meier;Hans\r\n");
  EXPECT_EQ(ReadBytes(inst.p / "BAK/ZIM003ID.CSV"), "Notizen");
  EXPECT_EQ(ReadBytes(inst.p / "BAK/12345/KLASSE/ZIM00300.CSV"), "K0");
}

TEST(CliExportTest, UsageErrors) {
  CliInstallation inst;
  const struct {
    std::vector<std::string> args;
    std::string err;
  } kCases[] = {
      {{"exportieren"}, "Fehler: exportieren erwartet genau ein ZIEL-Verzeichnis\n"},
      {{"exportieren", "a", "b"}, "Fehler: exportieren erwartet genau ein ZIEL-Verzeichnis\n"},
      {{"importieren"}, "Fehler: importieren erwartet genau ein QUELL-Verzeichnis\n"},
      {{"importieren", "--stala", "x"}, "Fehler: --stala gilt nur für exportieren\n"},
      {{"sichern", "x"}, "Fehler: sichern erwartet kein Verzeichnis\n"},
      {{"exportieren", (inst.dir / "fehlt").string()},
       "Fehler: Das Verzeichnis " + (inst.dir / "fehlt").string() + " gibt es nicht.\n"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(RunCli(inst.Args(c.args), "/"), (CliResult{2, "", c.err})) << c.args[0];
  }
  EXPECT_FALSE(fs::exists(inst.p / "BAK"));
}

}  // namespace
}  // namespace tabulon::cli

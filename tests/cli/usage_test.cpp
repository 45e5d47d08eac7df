// The usage text comes from the verbs' own declarations: every verb is listed with the options
// it takes, an option of another verb is refused by name, and the man page lists the same verbs.

#include <fstream>
#include <sstream>

#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

TEST(CliUsageTest, VerbsDeclareTheirOptionsAndArguments) {
  testing::TempDir dir;
  const testing::CliResult help = RunCli({"--help"}, dir.path());
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("  pruefen ZIEL... [--alle] [--json]\n"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("  berechnen ZIEL zeile|zwischensummen|spalten [--speichern]\n"),
            std::string::npos);
  EXPECT_NE(help.out.find("ZIEL: schule:0 bis schule:4"), std::string::npos);

  const struct {
    std::vector<std::string> args;
    std::string err;
  } refused[] = {
      {{"anzeigen", "--json", "schule:1"}, "Fehler: --json gilt nur für pruefen, schuelerliste\n"},
      {{"speichern", "schule:1", "--speichern"},
       "Fehler: --speichern gilt nur für berechnen, umwandeln, schuelerliste\n"},
      {{"sichern", "--ueberschreiben"},
       "Fehler: --ueberschreiben gilt nur für exportieren, importieren, schuelerliste\n"},
      {{"einstellungen", "x"}, "Fehler: einstellungen erwartet kein Ziel\n"},
      {{"pruefen", "-q"}, "Fehler: unbekannte Option -q\n"},
      {{"einstellungen", "-p"}, "Fehler: Option -p braucht einen Wert\n"},
  };
  for (const auto& c : refused) {
    const testing::CliResult r = RunCli(c.args, dir.path());
    EXPECT_EQ(r.status, 2) << c.args[0];
    EXPECT_EQ(r.err, c.err);
  }
  // Without a verb, or with one that does not exist: the usage, and status 2.
  EXPECT_EQ(RunCli({}, dir.path()).status, 2);
  EXPECT_EQ(RunCli({"gibtsnicht"}, dir.path()).status, 2);
  const testing::CliResult verb_help = RunCli({"berechnen", "--help"}, dir.path());
  EXPECT_EQ(verb_help.status, 0);
  EXPECT_EQ(verb_help.out.rfind("Aufruf: tabulon-cli berechnen ZIEL zeile|", 0), 0u);
}

TEST(CliUsageTest, ManPageListsEveryVerbOfTheUsage) {
  std::ifstream in(std::string(TABULON_SOURCE_DIR) + "/tabulon-cli.1");
  std::stringstream man;
  man << in.rdbuf();
  testing::TempDir dir;
  std::istringstream usage(RunCli({"--help"}, dir.path()).out);
  std::string line;
  int verbs = 0;
  while (std::getline(usage, line)) {
    if (line.rfind("  ", 0) != 0 || line[2] == ' ') continue;
    const std::string verb = line.substr(2, line.find(' ', 2) - 2);
    ++verbs;
    EXPECT_TRUE(man.str().find(".B " + verb) != std::string::npos ||
                man.str().find(".BI " + verb) != std::string::npos)
        << verb;
  }
  EXPECT_GE(verbs, 8);
}

}  // namespace
}  // namespace tabulon::cli

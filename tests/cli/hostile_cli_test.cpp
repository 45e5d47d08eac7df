// tabulon-cli under hostile input and faults: broken settings, odd command lines, missing or
// write-protected places, pipes under file names, and what killed saves leave behind. Each case
// asserts what the person sees (exit status, messages) and that nothing is written where it
// does not belong.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "base/settings.h"
#include "files/files.h"
#include "support/cli_run.h"

namespace tabulon::cli {
namespace {

constexpr const char* kTable0 = "ES001;ES002;ES003\r\n12345;Nord;Stadt\r\n";

// Every entry below a directory, files and directories alike, by relative path.
std::vector<std::string> Entries(const fs::path& dir) {
  std::vector<std::string> all;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    all.push_back(fs::relative(e.path(), dir).string());
  }
  std::sort(all.begin(), all.end());
  return all;
}

class HostileCliTest : public ::testing::Test {
 protected:
  HostileCliTest() { testing::CopyKeyFiles(prog, {"SSSA.SSD"}); }
  void Settings(const std::string& dst_nr, const std::string& data_base = "",
                bool read_write = true) {
    testing::WriteSchoolSettings(prog, dst_nr, read_write,
                                 [&](tabulon::Settings& s) { s.data_base_dir = data_base; });
  }
  CliResult Cli(std::vector<std::string> args) {
    args.insert(args.begin() + 1, {"-p", prog.string()});
    return RunCli(args, "/nirgends");
  }
  fs::path Table(const fs::path& school_dir, int table) {
    return testing::SchoolTableFile(school_dir, "12345", table);
  }

  TempDir dir;
  fs::path prog = dir / "prog";
};

// Every verb refuses a DST-Nr. that cannot name a directory, whether from the settings file or
// from -n, with the same message, before it touches anything.
TEST_F(HostileCliTest, EveryVerbRefusesAnUnusableDstNrTheSameWay) {
  fs::create_directories(dir / "ziel");
  const std::vector<std::vector<std::string>> kVerbs = {
      {"einstellungen"},
      {"anzeigen", "schule:0"},
      {"speichern", "schule:1"},
      {"pruefen", "schule:1"},
      {"berechnen", "schule:1", "zeile", "--speichern"},
      {"exportieren", (dir / "ziel").string()},
      {"importieren", (dir / "ziel").string()},
      {"sichern"},
  };
  for (const std::string dst : {"", "NUL", "con.txt", "Com1", "LPT9.CSV"}) {
    Settings(dst);
    const std::vector<std::string> before = Entries(dir.path());
    for (const auto& verb : kVerbs) {
      SCOPED_TRACE(dst + " " + verb[0]);
      EXPECT_EQ(Cli(verb),
                (CliResult{2, "",
                           "Fehler: Die DST-Nr. \"" + dst +
                               "\" kann nicht als Verzeichnisname dienen! (nicht leer; keine "
                               "Pfadtrenner, kein \"..\", keine Steuerzeichen, keine Zeichen < > "
                               ": \" / \\ | ? *, kein Gerätename wie CON, NUL, COM1 oder LPT1)\n"
                               "Prüfen Sie bitte die Programm-Einstellungen!\n"}));
      EXPECT_EQ(Entries(dir.path()), before);
    }
  }
  // The same number from -n: the same check, without the hint at the settings.
  Settings("12345");
  for (const char* dst : {"AUX", "nul.csv", "COM\xC2\xB9"}) {
    CliResult r = Cli({"anzeigen", "schule:0", "-n", dst});
    EXPECT_EQ(r.status, 2) << dst;
    EXPECT_EQ(r.err.rfind("Fehler: Die DST-Nr. \"" + std::string(dst) + "\" kann nicht", 0), 0u);
    EXPECT_EQ(r.err.find("Prüfen Sie"), std::string::npos);
  }
}

// An empty directory option would become the root directory.
TEST_F(HostileCliTest, EmptyDirectoryOptionIsAUsageError) {
  for (const char* option : {"-p", "-d"}) {
    for (const char* verb : {"anzeigen", "speichern"}) {
      SCOPED_TRACE(std::string(verb) + " " + option);
      EXPECT_EQ(RunCli({verb, option, "", "schule:0"}, prog),
                (CliResult{2, "",
                           "Fehler: Option " + std::string(option) +
                               " braucht ein Verzeichnis, nicht den leeren Text\n"}));
    }
  }
  EXPECT_EQ(Entries(prog), std::vector<std::string>{"SSSA.SSD"});
}

// A relative data base counts from the program directory, wherever the command is called from:
// the desktop program, which runs in its program directory, uses the same files.
TEST_F(HostileCliTest, RelativeDataBaseCountsFromTheProgramDirectory) {
  Settings("12345", "daten");
  fs::create_directories(prog / "daten");
  fs::create_directories(dir / "anderswo");
  std::error_code ec;
  fs::path cwd = fs::current_path(ec);  // an earlier test may have removed it
  if (ec) cwd = fs::temp_directory_path();
  fs::current_path(dir / "anderswo");
  WriteBytes(Table(prog / "daten" / "12345", 0), kTable0);
  CliResult show = Cli({"anzeigen", "schule:0"});
  CliResult save = Cli({"speichern", "schule:0"});
  CliResult settings = Cli({"einstellungen"});
  fs::current_path(cwd);
  EXPECT_EQ(show.status, 0) << show.err;
  EXPECT_NE(show.out.find("12345\tNord\tStadt"), std::string::npos);
  EXPECT_EQ(save.status, 0) << save.err;
  EXPECT_NE(
      settings.out.find("schuldatenverzeichnis=" + (prog / "daten" / "12345").string() + "/\n"),
      std::string::npos);
  EXPECT_TRUE(fs::is_empty(dir / "anderswo"));
  EXPECT_EQ(ReadBytes(Table(prog / "daten" / "12345", 0)), kTable0);
}

// A data base that is gone (stick removed, typo) is reported and nothing is built up again.
TEST_F(HostileCliTest, MissingDataBaseIsReportedAndNothingIsCreated) {
  const fs::path stick = dir / "stick" / "daten";
  Settings("12345", stick.string());
  for (std::vector<std::string> verb : {std::vector<std::string>{"anzeigen", "schule:1"},
                                        {"pruefen", "schule:1"},
                                        {"speichern", "schule:0"},
                                        {"berechnen", "schule:1", "zeile"},
                                        {"sichern"},
                                        {"exportieren", dir.path().string()}}) {
    SCOPED_TRACE(verb[0]);
    EXPECT_EQ(Cli(verb),
              (CliResult{2, "",
                         "Fehler: Das Daten-Basis-Verzeichnis " + stick.string() +
                             "/ gibt es nicht (Datenträger entfernt oder Pfad falsch?).\n"
                             "Es wird nichts gelesen und nichts angelegt. Legen Sie den Ort der "
                             "Daten in den Programm-Einstellungen oder mit -d fest.\n"}));
  }
  EXPECT_FALSE(fs::exists(dir / "stick"));
}

// Looking at a table creates nothing; saving it creates the school and sheet directory one
// level each, as the program does at start and on loading.
TEST_F(HostileCliTest, ReadingVerbsCreateNothingAndSavingCreatesOneLevelEach) {
  Settings("12345", (dir / "daten").string());
  fs::create_directories(dir / "daten");
  EXPECT_EQ(Cli({"anzeigen", "schule:0"}).status, 0);
  EXPECT_EQ(Cli({"pruefen", "schule:1", "schule:2"}).status, 0);
  EXPECT_TRUE(fs::is_empty(dir / "daten"));

  EXPECT_EQ(Cli({"speichern", "schule:0"}), (CliResult{0, "", ""}));
  EXPECT_EQ(ReadBytes(Table(dir / "daten" / "12345", 0)), "ES001;ES002;ES003\r\n12345;;\r\n");
}

// The file's own write protection stops the save; the file stays as it was.
TEST_F(HostileCliTest, WriteProtectedDataFileStopsTheSave) {
  Settings("12345");
  const fs::path file = Table(prog / "12345", 0);
  WriteBytes(file, kTable0);
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(Cli({"speichern", "schule:0"}),
            (CliResult{2, "",
                       "Fehler: Ein-/Ausgabefehler beim Schreiben der Datei:\n" + file.string() +
                           "\ndie Datei ist schreibgeschützt\n"}));
  EXPECT_EQ(ReadBytes(file), kTable0);
  EXPECT_EQ(Entries(file.parent_path()), std::vector<std::string>{"1234500.CSV"});
}

// A settings file of the wrong size that cannot be deleted is not reported as deleted.
TEST_F(HostileCliTest, SettingsFileThatCouldNotBeDeletedIsReportedAsSuch) {
  WriteBytes(prog / "TBEINST.DAT", std::string(1087, '\0'));
  SetRemoveFailureForTesting(EACCES);
  CliResult r = Cli({"einstellungen"});
  SetRemoveFailureForTesting(0);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "Information: Die Einstellungsdatei:\n" + (prog / "TBEINST.DAT").string() +
                       "\nist zu alt oder fehlerhaft!\n\nDatei konnte NICHT gelöscht werden "
                       "(keine Zugriffsberechtigung)!\nPrüfen Sie bitte sofort die "
                       "Programm-Einstellungen!\n");
  EXPECT_NE(r.out.find("nur_lesen=1\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(prog / "TBEINST.DAT"));

  // A directory under the name is no settings file: reported, left alone, defaults hold.
  fs::remove(prog / "TBEINST.DAT");
  fs::create_directories(prog / "TBEINST.DAT" / "inhalt");
  r = Cli({"einstellungen"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "Information: Die Einstellungsdatei:\n" + (prog / "TBEINST.DAT").string() +
                       "\nist keine gewöhnliche Datei und kann nicht gelesen werden!\n\n"
                       "Es gelten die Standardeinstellungen.\nPrüfen Sie bitte sofort die "
                       "Programm-Einstellungen!\n");
  EXPECT_TRUE(fs::is_directory(prog / "TBEINST.DAT" / "inhalt"));
}

// A pipe named like a data, definition, key or settings file blocks nothing: it is reported as
// unreadable (the test would hang if it were opened for reading).
TEST_F(HostileCliTest, PipesUnderFileNamesAreReportedNotOpened) {
  Settings("12345");
  const fs::path data = Table(prog / "12345", 0);
  fs::create_directories(data.parent_path());
  const std::string not_regular = "keine gewöhnliche Datei (z. B. ein Verzeichnis oder eine Pipe)";
  struct Case {
    fs::path pipe;
    std::vector<std::string> verb;
  };
  const Case kCases[] = {
      {data, {"anzeigen", "schule:0"}},
      {data, {"speichern", "schule:0"}},
      {prog / "Bog1Tab1.TBD", {"pruefen", "schule:1"}},
      {prog / "SSSA.SSD", {"anzeigen", "schule:1"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.pipe.filename().string() + " " + c.verb[0]);
    fs::remove(c.pipe);
    ASSERT_EQ(::mkfifo(c.pipe.c_str(), 0666), 0);
    EXPECT_EQ(Cli(c.verb), (CliResult{2, "",
                                      "Fehler: Ein-/Ausgabefehler beim Lesen der Datei:\n" +
                                          c.pipe.string() + "\n" + not_regular + "\n"}));
    EXPECT_TRUE(fs::is_fifo(c.pipe));
    fs::remove(c.pipe);
  }
  fs::copy_file(testing::kSampleData / "SSSA.SSD", prog / "SSSA.SSD");

  fs::remove(prog / "TBEINST.DAT");
  ASSERT_EQ(::mkfifo((prog / "TBEINST.DAT").c_str(), 0666), 0);
  CliResult r = Cli({"einstellungen"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("ist keine gewöhnliche Datei und kann nicht gelesen werden!"),
            std::string::npos);
  EXPECT_NE(r.out.find("dst_nr=00000\n"), std::string::npos);
  EXPECT_TRUE(fs::is_fifo(prog / "TBEINST.DAT"));
}

// A line break in a text setting cannot pose as another key=value line.
TEST_F(HostileCliTest, ControlCharactersInSettingsAreEscapedOrRefused) {
  Settings("12345", "/srv/x\nnur_lesen=0\r\tende\\", /*read_write=*/false);
  CliResult r = Cli({"einstellungen"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("datenbasis=/srv/x\\nnur_lesen=0\\r\\tende\\\\\n"), std::string::npos);
  EXPECT_NE(r.out.find("schuldatenverzeichnis=/srv/x\\nnur_lesen=0\\r\\tende\\\\/12345/\n"),
            std::string::npos);
  // Still one line per setting, and access stays read-only.
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 14);
  EXPECT_NE(r.out.find("\nnur_lesen=1\n"), std::string::npos);

  // In the DST-Nr. it names no directory at all; the message shows it escaped.
  Settings("1\nnur_lesen=0", "", false);
  r = Cli({"einstellungen"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("Fehler: Die DST-Nr. \"1\\nnur_lesen=0\" kann nicht", 0), 0u);
}

// What a killed save left behind is neither exported nor backed up, and goes when its directory
// is next written.
TEST_F(HostileCliTest, StaleTemporaryFilesAreNeitherCopiedNorKept) {
  Settings("12345");
  const fs::path school = prog / "12345";
  WriteBytes(Table(school, 0), kTable0);
  const fs::path stale = school / "SCHULE" / "1234501.CSV.tmp99999999-42";
  WriteBytes(stale, "halb geschrieben");
  fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::minutes(5));
  WriteBytes(prog / "ZIM003ID.CSV.tmp99999999-43", "halb");
  fs::create_directories(dir / "ziel");

  CliResult r = Cli({"exportieren", (dir / "ziel").string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Tree(dir / "ziel"), (testing::Files{{"12345/SCHULE/1234500.CSV", kTable0}}));
  r = Cli({"sichern"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Tree(prog / "BAK"), (testing::Files{{"12345/SCHULE/1234500.CSV", kTable0}}));

  r = Cli({"speichern", "schule:0"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_EQ(Entries(school / "SCHULE"), std::vector<std::string>{"1234500.CSV"});
}

// An export directory that exists but cannot be entered is not reported as missing.
TEST_F(HostileCliTest, DirectoryThatCannotBeEnteredIsNotMissing) {
  if (testing::RunningAsRoot()) GTEST_SKIP() << "root enters every directory";
  Settings("12345");
  fs::create_directories(dir / "zu" / "ziel");
  fs::permissions(dir / "zu", fs::perms::owner_read);
  CliResult r = Cli({"exportieren", (dir / "zu" / "ziel").string()});
  EXPECT_EQ(r, (CliResult{2, "",
                          "Fehler: Auf das Verzeichnis " + (dir / "zu" / "ziel").string() +
                              " kann nicht zugegriffen werden: keine Zugriffsberechtigung.\n"}));

  // An import source whose school directory cannot be entered: listed as such, not as missing.
  fs::create_directories(dir / "quelle" / "12345" / "SCHULE");
  fs::permissions(dir / "quelle" / "12345", fs::perms::owner_read);
  r = Cli({"importieren", (dir / "quelle").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find((dir / "quelle" / "12345" / "SCHULE").string() + "\n    nach " +
                       (prog / "12345").string() +
                       "/: Verzeichnis kann nicht geöffnet werden: keine Zugriffsberechtigung\n"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.err.find("nicht gefunden"), std::string::npos);
}

}  // namespace
}  // namespace tabulon::cli

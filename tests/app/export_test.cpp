#include "app/export.h"

#include <gtest/gtest.h>

#include "base/data_paths.h"
#include "files/files.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

// Table files of school 12345 as the program writes them (IBM 850 bytes, CR LF), plus files that
// must never reach the statistical office.
const Files kSchoolData = {
    {"SCHULE/1234500.CSV", "ES001;ES002\r\n12345;Berufsschule M\x81nchen\r\n"},
    {"SCHULE/1234501.CSV", "ES001;ES002\r\n010;7\r\n"},
    {"SCHULE/1234501alt.CSV", "alte Fassung"},
    {"SCHULE/9999900.CSV", "andere Schule"},
    {"LEHRER/1234500.CSV", "ES001\r\n3\r\n"},
    {"LEHRER/1234501.CSV", "ES001;ES002\r\n17;1\r\n"},
    {"KLASSE/ZIM00300.CSV", "ES001\r\nZIM003\r\n"},
    {"KLASSE/ZIM00310.CSV", "ES001\r\n4\r\n"},
    {"KLASSE/ZIM003ID.CSV", "verirrte Notizen"},
};
const Files kOfficialFiles = {
    {"SCHULE/1234500.CSV", kSchoolData.at("SCHULE/1234500.CSV")},
    {"SCHULE/1234501.CSV", kSchoolData.at("SCHULE/1234501.CSV")},
    {"LEHRER/1234500.CSV", kSchoolData.at("LEHRER/1234500.CSV")},
    {"LEHRER/1234501.CSV", kSchoolData.at("LEHRER/1234501.CSV")},
    {"KLASSE/ZIM00300.CSV", kSchoolData.at("KLASSE/ZIM00300.CSV")},
    {"KLASSE/ZIM00310.CSV", kSchoolData.at("KLASSE/ZIM00310.CSV")},
};
const Files kProgramFiles = {
    {"LEHRER.CSV", "17;M\x81ller;Hans\n18;Schmidt;Erika"},
    {"ZIM003ID.CSV", "Klasse;Frau Meier\r\n"},
    {"ABC001ID.CSV", "Klasse;Herr Lang\r\n"},
    {"TBEINST.DAT", "Einstellungen"},
};

// One installation: program directory "prog", data base "daten", DST-Nr. 12345.
struct Installation {
  // With `populate`, the school's tables and the program directory's files are written.
  explicit Installation(const fs::path& root, bool populate = false) : root(root) {
    settings.dst_nr = "12345";
    settings.data_base_dir = (root / "daten").string();
    fs::create_directories(root / "prog");
    fs::create_directories(root / "daten");
    paths = FormDataPaths(settings, root / "prog");
    if (populate) {
      WriteTree(S(), kSchoolData);
      WriteTree(P(), kProgramFiles);
    }
  }
  ExportContext Context() {
    return {settings, paths, ui, [this] { ++saves; }, [this] { ++reloads; }};
  }
  ExportResult Run(ExportResult (*step)(ExportContext&)) {
    auto ctx = Context();
    return step(ctx);
  }
  // Runs `step` with `chosen` picked in the directory dialog and its question answered "Ja".
  ExportResult RunConfirmed(ExportResult (*step)(ExportContext&), const fs::path& chosen) {
    ui.directories = {chosen};
    ui.answers = {true};
    return Run(step);
  }
  fs::path P() const { return paths.program_dir; }
  fs::path B() const { return paths.data_base_dir; }
  fs::path S() const { return paths.school_data_dir; }

  fs::path root;
  Settings settings;
  DataPaths paths;
  ScriptedUi ui;
  int saves = 0;
  int reloads = 0;
};

RecordedMessage Dialog(const std::string& caption, const fs::path& start) {
  return {MessageKind::kPlain, "Verzeichnis: " + caption + " @ " + start.string()};
}

std::string StaLAQuestion(const fs::path& b, const fs::path& t) {
  return "Wollen Sie die aktuelle Datenbank: 12345\r\rvon:   " + b.string() +
         "\rnach:  " + t.string() +
         "/\r\r(mit überschreiben) exportieren?\r(NUR die offiziellen Dateien für´s "
         "Statistische Landesamt!)";
}

std::string ExportAllQuestion(const fs::path& b, const fs::path& t) {
  return "Wollen Sie die aktuelle Datenbank: 12345\r\rvon:   " + b.string() +
         "\rnach:  " + t.string() +
         "/\r\rexportieren?  (ACHTUNG! Es werden auch Dateien\rmit Personendaten (z.B. "
         "LEHRER.CSV) kopiert!";
}

std::string ImportQuestion(const fs::path& q, const fs::path& b) {
  return "Wollen Sie die Datenbank: 12345\r\raus:   " + q.string() + "/\rnach:  " + b.string() +
         "\r\rimportieren?";
}

const std::string kBackupQuestion =
    "Soll eine (ev.) vorhandene Datenbank jetzt\rin das BAK-Verzeichnis gesichert werden?\r";

// A populated installation "a" and an existing target directory "stick" beside it.
class ExportFixture : public ::testing::Test {
 protected:
  ExportFixture() { fs::create_directories(t); }
  TempDir dir;
  Installation inst{dir / "a", true};
  fs::path t = dir / "stick";
};
using ExportStaLATest = ExportFixture;
using ExportAllTest = ExportFixture;
using CommandsTest = ExportFixture;
using ImportAllTest = ExportFixture;
using BackupDatabaseTest = ExportFixture;

TEST_F(ExportStaLATest, CopiesOnlyTheOfficialFilesOfThisSchool) {
  ExportResult r = inst.RunConfirmed(ExportStaLA, t);

  EXPECT_EQ(r.outcome, ExportOutcome::kDone);
  // No teacher list, no class notes file (not even one lost in KLASSE), no "01alt" file, no
  // other school's file, nothing from the program directory.
  EXPECT_EQ(Tree(t / "12345"), kOfficialFiles);
  EXPECT_EQ(Tree(t).size(), kOfficialFiles.size());
  EXPECT_EQ(inst.ui.questions, (std::vector<RecordedMessage>{
                                   Dialog(kExportDialogCaption, inst.B()),
                                   {MessageKind::kConfirmation, StaLAQuestion(inst.B(), t)}}));
  EXPECT_TRUE(inst.ui.messages.empty());
  EXPECT_EQ(inst.saves, 1);
  EXPECT_EQ(inst.reloads, 0);
}

TEST_F(ExportStaLATest, AsksBeforeOverwritingAnEarlierExport) {
  WriteTree(t / "12345", {{"SCHULE/1234500.CSV", "alt 0"},
                          {"SCHULE/1234501.CSV", "alt 1"},
                          {"LEHRER/1234500.CSV", "alt L0"}});
  inst.ui.overwrite_answers = {OverwriteChoice::kNo, OverwriteChoice::kYesToAll};
  ExportResult r = inst.RunConfirmed(ExportStaLA, t);

  const fs::path st = inst.S() / "SCHULE";
  const fs::path tt = t / "12345/SCHULE";
  ASSERT_EQ(inst.ui.questions.size(), 4u);  // dialog, export question, two overwrite questions
  EXPECT_EQ(inst.ui.questions[2].text, "Die Datei\r" + (tt / "1234500.CSV").string() +
                                           "\rist schon vorhanden.\r\rSoll sie durch die Datei\r" +
                                           (st / "1234500.CSV").string() + "\rersetzt werden?");
  EXPECT_EQ(inst.ui.questions[3].text, "Die Datei\r" + (tt / "1234501.CSV").string() +
                                           "\rist schon vorhanden.\r\rSoll sie durch die Datei\r" +
                                           (st / "1234501.CSV").string() + "\rersetzt werden?");
  Files expected = kOfficialFiles;
  expected["SCHULE/1234500.CSV"] = "alt 0";  // "Nein"
  EXPECT_EQ(Tree(t / "12345"), expected);
  EXPECT_EQ(r.left_out, std::vector<fs::path>{tt / "1234500.CSV"});
  EXPECT_TRUE(inst.ui.messages.empty());
}

TEST_F(ExportStaLATest, TargetStructureThatCannotBeCreatedIsReportedAndNothingCopied) {
  WriteBytes(t / "12345", "eine Datei, kein Verzeichnis");
  ExportResult r = inst.RunConfirmed(ExportStaLA, t);

  EXPECT_EQ(r.outcome, ExportOutcome::kDirectoryProblem);
  EXPECT_EQ(inst.ui.messages,
            (std::vector<RecordedMessage>{
                {MessageKind::kInformation,
                 "Problem beim Erstellen der Verzeichnis-Struktur:\r" + (t / "12345").string() +
                     "\rSorgen Sie bitte für ausreichend Platz bzw. Rechte!"}}));
  EXPECT_EQ(Tree(t), (Files{{"12345", "eine Datei, kein Verzeichnis"}}));
}

TEST_F(ExportAllTest, ImportIntoAFreshInstallationRestoresEveryFileByteForByte) {
  Installation& a = inst;
  ExportResult er = a.RunConfirmed(ExportAll, t);
  EXPECT_EQ(er.outcome, ExportOutcome::kDone);
  EXPECT_EQ(a.ui.questions, (std::vector<RecordedMessage>{
                                Dialog(kExportDialogCaption, a.B()),
                                {MessageKind::kConfirmation, ExportAllQuestion(a.B(), t)}}));
  Files exported = kSchoolData;
  exported["ZIM003ID.CSV"] = kProgramFiles.at("ZIM003ID.CSV");
  exported["ABC001ID.CSV"] = kProgramFiles.at("ABC001ID.CSV");
  exported["LEHRER.CSV"] = kProgramFiles.at("LEHRER.CSV");
  EXPECT_EQ(Tree(t), [&] {
    Files f;
    for (const auto& [k, v] : exported) f["12345/" + k] = v;
    return f;
  }());

  Installation b(dir / "b");
  ExportResult ir = b.RunConfirmed(ImportAll, t);
  EXPECT_EQ(ir.outcome, ExportOutcome::kDone);
  EXPECT_EQ(b.ui.questions,
            (std::vector<RecordedMessage>{Dialog(kImportDialogCaption, b.B()),
                                          {MessageKind::kConfirmation, ImportQuestion(t, b.B())}}));
  EXPECT_TRUE(b.ui.messages.empty());
  EXPECT_EQ(Tree(b.S()), kSchoolData);
  EXPECT_EQ(Tree(b.P()), (Files{{"LEHRER.CSV", kProgramFiles.at("LEHRER.CSV")},
                                {"ZIM003ID.CSV", kProgramFiles.at("ZIM003ID.CSV")},
                                {"ABC001ID.CSV", kProgramFiles.at("ABC001ID.CSV")}}));
  EXPECT_EQ(b.saves, 1);
  EXPECT_EQ(b.reloads, 1);
}

TEST_F(ExportAllTest, TeacherListOfTheDataDirectoryTravelsInsteadOfTheProgramOne) {
  WriteBytes(inst.S() / "Lehrer.csv", "17;Neu;Hans\r\n");
  inst.RunConfirmed(ExportAll, t);
  EXPECT_EQ(ReadBytes(t / "12345/Lehrer.csv"), "17;Neu;Hans\r\n");
  EXPECT_FALSE(fs::exists(t / "12345/LEHRER.CSV"));
  EXPECT_TRUE(inst.ui.messages.empty());
}

TEST_F(ExportAllTest, FailedCopyGivesOneErrorBoxAndTheRestStillArrives) {
  WriteBytes(t / "12345/SCHULE", "im Weg");
  ExportResult r = inst.RunConfirmed(ExportAll, t);

  ASSERT_EQ(r.failures.size(), 1u);
  EXPECT_EQ(inst.ui.messages,
            (std::vector<RecordedMessage>{
                {MessageKind::kError, "Folgendes konnte NICHT kopiert werden:\r" +
                                          (inst.S() / "SCHULE").string() + "\r    nach " +
                                          (t / "12345/SCHULE").string() +
                                          ": am Ziel liegt eine Datei statt eines "
                                          "Verzeichnisses"}}));
  Files got = Tree(t / "12345");
  EXPECT_EQ(got["SCHULE"], "im Weg");
  EXPECT_EQ(got["KLASSE/ZIM00300.CSV"], kSchoolData.at("KLASSE/ZIM00300.CSV"));
  EXPECT_EQ(got["LEHRER.CSV"], kProgramFiles.at("LEHRER.CSV"));
}

TEST_F(ExportAllTest, AbbrechenAtAnOverwriteQuestionEndsAllCopying) {
  WriteBytes(t / "12345/KLASSE/ZIM00300.CSV", "alt");  // the first file the tree copy meets
  inst.ui.overwrite_answers = {OverwriteChoice::kCancel};
  ExportResult r = inst.RunConfirmed(ExportAll, t);
  EXPECT_TRUE(r.cancelled);
  EXPECT_EQ(inst.ui.questions.size(), 3u);
  // Neither the rest of the tree nor the class notes files nor the teacher list followed.
  EXPECT_EQ(Tree(t), (Files{{"12345/KLASSE/ZIM00300.CSV", "alt"}}));
  EXPECT_TRUE(inst.ui.messages.empty());
}

TEST_F(ExportAllTest, TargetInsideTheSchoolDataIsRefusedWithoutCopying) {
  for (bool inside : {false, true}) {
    SCOPED_TRACE(inside ? "school data directory" : "data base directory");
    TempDir dir;
    Installation inst(dir / "a", true);
    const fs::path where = inside ? inst.S() : inst.B();
    inst.ui.directories = {where, where};
    inst.ui.answers = {true, true};
    auto ctx = inst.Context();
    ExportResult all = ExportAll(ctx);
    ExportResult stala = ExportStaLA(ctx);
    EXPECT_EQ(Tree(inst.S()), kSchoolData);
    ASSERT_EQ(all.failures.size(), 1u);
    ASSERT_EQ(stala.failures.size(), 1u);
    EXPECT_EQ(all.failures[0].reason, "das Ziel liegt im Quellverzeichnis");
    EXPECT_EQ(inst.ui.messages.size(), 2u);
    EXPECT_EQ(inst.ui.messages[0].kind, MessageKind::kError);
  }
}

// "Abbrechen" in the dialog or "Nein" at the question: nothing is copied anywhere, the table was
// saved first, and only the import shows the table again.
TEST_F(CommandsTest, DeclinedCommandsCopyNothing) {
  using Command = ExportResult (*)(ExportContext&);
  const struct {
    const char* name;
    Command run;
    int reloads;
  } kCommands[] = {
      {"ExportStaLA", ExportStaLA, 0},
      {"ExportAll", ExportAll, 0},
      {"ImportAll", ImportAll, 1},
  };
  for (const auto& c : kCommands) {
    for (bool dialog_ok : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (dialog_ok ? " Nein" : " Abbrechen"));
      TempDir dir;
      Installation inst(dir / "a", true);
      const fs::path other = dir / "stick";
      WriteTree(other / "12345", {{"SCHULE/1234500.CSV", "fremd"}, {"ZIM003ID.CSV", "fremd"}});
      if (dialog_ok) {
        inst.ui.directories = {other};
        inst.ui.answers = {false};
      } else {
        inst.ui.directories = {std::nullopt};
      }
      ExportResult r = inst.Run(c.run);
      EXPECT_EQ(r.outcome, ExportOutcome::kNotConfirmed);
      EXPECT_EQ(inst.ui.questions.size(), dialog_ok ? 2u : 1u);
      EXPECT_TRUE(inst.ui.messages.empty());
      EXPECT_EQ(Tree(other).size(), 2u);
      EXPECT_EQ(Tree(inst.S()), kSchoolData);
      EXPECT_EQ(Tree(inst.P()), kProgramFiles);
      EXPECT_EQ(inst.saves, 1);
      EXPECT_EQ(inst.reloads, c.reloads);
    }
  }
}

// A dialog that takes the chosen directory over as the data base directory, as the dialog of
// the desktop program does when it changes the data base.
class AdoptingUi : public ScriptedUi {
 public:
  explicit AdoptingUi(DataPaths& paths) : paths_(paths) {}
  std::optional<fs::path> ChooseDirectory(const std::string& caption,
                                          const fs::path& start) override {
    auto d = ScriptedUi::ChooseDirectory(caption, start);
    if (d) {
      paths_.data_base_dir = *d;
      paths_.school_data_dir = *d / "12345";
    }
    return d;
  }

 private:
  DataPaths& paths_;
};

TEST_F(CommandsTest, DataDirectoriesArePutBackAndTheCopiesReadFromTheOldOnes) {
  const DataPaths before = inst.paths;
  AdoptingUi ui(inst.paths);
  ui.directories = {t, std::nullopt, t};
  ui.answers = {true, false};
  ExportContext ctx{inst.settings, inst.paths, ui, nullptr, nullptr};
  ExportStaLA(ctx);
  EXPECT_EQ(inst.paths.data_base_dir, before.data_base_dir);
  EXPECT_EQ(inst.paths.school_data_dir, before.school_data_dir);
  ExportAll(ctx);  // Abbrechen
  EXPECT_EQ(inst.paths.data_base_dir, before.data_base_dir);
  ImportAll(ctx);  // Nein
  EXPECT_EQ(inst.paths.data_base_dir, before.data_base_dir);
  EXPECT_EQ(inst.paths.school_data_dir, before.school_data_dir);
  EXPECT_EQ(Tree(t / "12345"), kOfficialFiles);
}

TEST_F(CommandsTest, DstNrThatCannotNameADirectoryIsRefused) {
  using Command = ExportResult (*)(ExportContext&);
  const Command kCommands[] = {ExportStaLA, ExportAll, ImportAll, BackupDatabase};
  for (const std::string dst : {"../12345", "12/45", ""}) {
    for (Command run : kCommands) {
      TempDir dir;
      Installation inst(dir / "a", true);
      inst.settings.dst_nr = dst;
      ExportResult r = inst.Run(run);
      EXPECT_EQ(r.outcome, ExportOutcome::kUnsafeDstNr);
      EXPECT_EQ(inst.ui.messages,
                (std::vector<RecordedMessage>{
                    {MessageKind::kError, "Die DST-Nr. \"" + dst +
                                              "\" kann nicht als Verzeichnisname dienen!\r"
                                              "Prüfen Sie bitte die Programm-Einstellungen!"}}));
      EXPECT_TRUE(inst.ui.questions.empty());
      EXPECT_EQ(Tree(dir.path()).size(), kSchoolData.size() + kProgramFiles.size());
      EXPECT_EQ(inst.reloads, run == ImportAll ? 1 : 0);
    }
  }
}

TEST_F(BackupDatabaseTest, OptionAndAnswerDecideWhetherBakIsTouched) {
  const struct {
    const char* name;
    std::uint16_t option;
    std::deque<bool> answers;
    bool asked;
    bool backed_up;
  } kCases[] = {
      {"automatic", 1, {}, false, true},
      {"asked, Ja", 0, {true}, true, true},
      {"asked, Nein", 0, {false}, true, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    Installation inst(dir / "a", true);
    const Files old_backup = {{"LEHRER.CSV", "alt"},
                              {"12345/SCHULE/1234500.CSV", "alt"},
                              {"12345/SCHULE/1234599.CSV", "nur in der Sicherung"}};
    WriteTree(inst.B() / "BAK", old_backup);
    inst.settings.backup_at_start = c.option;
    inst.ui.answers = c.answers;
    ExportResult r = inst.Run(BackupDatabase);

    std::vector<RecordedMessage> questions;
    if (c.asked) questions.push_back({MessageKind::kInformation, kBackupQuestion});
    EXPECT_EQ(inst.ui.questions, questions);  // never an overwrite question
    EXPECT_TRUE(inst.ui.messages.empty());
    if (!c.backed_up) {
      EXPECT_EQ(Tree(inst.B() / "BAK"), old_backup);
      continue;
    }
    EXPECT_EQ(r.outcome, ExportOutcome::kDone);
    Files expected = {
        {"LEHRER.CSV", "17;M\x81ller;Hans\r\n18;Schmidt;Erika\r\n"},
        {"ZIM003ID.CSV", kProgramFiles.at("ZIM003ID.CSV")},
        {"ABC001ID.CSV", kProgramFiles.at("ABC001ID.CSV")},
        {"12345/SCHULE/1234599.CSV", "nur in der Sicherung"},
    };
    for (const auto& [k, v] : kSchoolData) expected["12345/" + k] = v;
    EXPECT_EQ(Tree(inst.B() / "BAK"), expected);
    EXPECT_EQ(inst.saves, 0);
  }
}

TEST_F(BackupDatabaseTest, BackupDirectoryThatCannotBeCreatedIsReported) {
  WriteBytes(inst.B() / "BAK", "eine Datei");
  ExportResult r = inst.Run(BackupDatabase);
  EXPECT_EQ(r.outcome, ExportOutcome::kDirectoryProblem);
  EXPECT_EQ(inst.ui.messages,
            (std::vector<RecordedMessage>{
                {MessageKind::kInformation, "Problem beim Erstellen des Sicherungsverzeichnis:\r" +
                                                (inst.B() / "BAK/").string() + "\r"}}));
  EXPECT_EQ(ReadBytes(inst.B() / "BAK"), "eine Datei");
}

TEST_F(BackupDatabaseTest, FullDiskKeepsThePreviousBackupAndSaysSo) {
  WriteBytes(inst.B() / "BAK/12345/SCHULE/1234500.CSV", "vorige Sicherung");
  SetWriteFailureAfterBytesForTesting(4);
  ExportResult r = inst.Run(BackupDatabase);
  SetWriteFailureAfterBytesForTesting(-1);

  EXPECT_EQ(r.failures.size(), kSchoolData.size() + 3);  // tables, teacher list, two notes files
  EXPECT_TRUE(r.copied.empty());
  ASSERT_EQ(inst.ui.messages.size(), 1u);
  EXPECT_EQ(inst.ui.messages[0].kind, MessageKind::kError);
  EXPECT_EQ(Tree(inst.B() / "BAK"), (Files{{"12345/SCHULE/1234500.CSV", "vorige Sicherung"}}));
}

TEST_F(BackupDatabaseTest, SchoolWithoutDataYetIsNoFailure) {
  TempDir dir;
  Installation inst(dir / "a");
  ExportResult r = inst.Run(BackupDatabase);
  EXPECT_EQ(r.outcome, ExportOutcome::kDone);
  EXPECT_TRUE(r.failures.empty());
  EXPECT_TRUE(inst.ui.messages.empty());
  EXPECT_TRUE(fs::is_directory(inst.B() / "BAK"));
}

}  // namespace
}  // namespace tabulon

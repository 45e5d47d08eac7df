// The desktop program's session under hostile settings and faults, on the real school tables:
// the same checks the command line makes, seen as the person sees them in message boxes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include "app/export.h"
#include "app/session.h"
#include "app/session_tables.h"
#include "files/files.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

namespace fs = std::filesystem;
using tabulon::testing::FakePlatform;
using tabulon::testing::ReadBytes;
using tabulon::testing::RecordedMessage;
using tabulon::testing::ScriptedUi;
using tabulon::testing::TempDir;
using tabulon::testing::Tree;
using tabulon::testing::WriteBytes;
using ::testing::ElementsAre;

constexpr MessageKind kInfo = MessageKind::kInformation;
constexpr MessageKind kErr = MessageKind::kError;

class HostileSessionTest : public ::testing::Test {
 protected:
  HostileSessionTest() {
    fs::create_directories(prog);
    testing::CopyKeyFiles(prog);
  }
  void Start(const std::string& dst_nr, const std::string& data_base = "") {
    testing::WriteSchoolSettings(prog, dst_nr, /*read_write=*/true,
                                 [&](Settings& s) { s.data_base_dir = data_base; });
    StartWithFiles();
  }
  void StartWithFiles() {
    RegisterSheetTables(store, prog, ui);
    session = std::make_unique<Session>(prog, ui, platform, store);
    session->FormCreate();
    session->FormShow();
  }
  fs::path SchoolFile(const fs::path& school_dir, int table) const {
    return testing::SchoolTableFile(school_dir, "4711", table);
  }
  bool Turn(int table) { return session->PageChanged(1, table); }
  void Edit(int table, int col, int row, const std::string& text) {
    store.GridOf("Bog1Tab" + std::to_string(table)).SetCell(col, row, text);
    session->CellEdited();
  }

  TempDir dir;
  fs::path prog = dir / "prog";
  ScriptedUi ui;
  FakePlatform platform;
  GridStore store;
  std::unique_ptr<Session> session;
};

// Device names and the empty number are refused at start as every other unusable DST-Nr. is.
TEST_F(HostileSessionTest, DeviceNamesAreRefusedAsDstNr) {
  for (const std::string dst : {"NUL", "con.txt", "LPT1", ""}) {
    SCOPED_TRACE(dst);
    ui = ScriptedUi();
    Start(dst);
    EXPECT_THAT(ui.messages,
                ElementsAre(RecordedMessage{
                    kErr, "Die DST-Nr. \"" + dst +
                              "\" in den Programm-Einstellungen kann nicht als Verzeichnisname "
                              "dienen!\r\rBis Sie unter \"Einstellungen\" eine gültige DST-Nr. "
                              "festlegen,\rwerden keine Tabellen geladen und nichts gespeichert "
                              "(NUR LESEN)."}));
    EXPECT_TRUE(session->dst_nr_refused());
    EXPECT_TRUE(session->settings().IsReadOnly());
  }
  for (const auto& e : fs::directory_iterator(prog)) EXPECT_FALSE(e.is_directory()) << e.path();
}

// A relative data base lies below the program directory, whatever the working directory was.
TEST_F(HostileSessionTest, RelativeDataBaseCountsFromTheProgramDirectory) {
  fs::create_directories(prog / "daten");
  Start("4711", "daten");
  EXPECT_EQ(session->paths().data_base_dir, prog / "daten" / "");
  EXPECT_EQ(session->paths().school_data_dir, prog / "daten" / "4711" / "");
  ASSERT_TRUE(Turn(1));
  EXPECT_TRUE(fs::exists(SchoolFile(prog / "daten" / "4711", 0)));

  fs::create_directories(prog / "woanders");
  Settings changed = session->settings();
  changed.data_base_dir = "woanders";
  session->SettingsAccepted(changed);
  EXPECT_EQ(session->paths().data_base_dir, prog / "woanders" / "");
  EXPECT_TRUE(fs::is_directory(prog / "woanders" / "4711" / "SCHULE"));
}

// A data base that is gone is not built up again: one level at start, one level on loading, and
// each failure says so.
TEST_F(HostileSessionTest, MissingDataBaseIsNotCreated) {
  const fs::path stick = dir / "stick" / "daten";
  Start("4711", stick.string());
  const fs::path school = stick / "4711";
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{kInfo, "Problem beim Erstellen des Datenverzeichnis:\r" +
                                                     (school / "").string() +
                                                     "\rLegen Sie sofort einen Ort (Laufwerk, "
                                                     "Pfad) für Ihre Daten fest!"},
                          RecordedMessage{kInfo, "Problem beim Erstellen des Datenverzeichnis:\r" +
                                                     (school / "SCHULE").string() +
                                                     "\rErmöglich Sie den Zugriff auf das "
                                                     "untergeordnete Verzeichnis!"}));
  EXPECT_FALSE(fs::exists(dir / "stick"));
}

// The file's own write protection stops the save with the I/O error box; file and edit stay.
TEST_F(HostileSessionTest, WriteProtectedDataFileStopsTheSave) {
  Start("4711");
  Edit(0, 3, 2, "Kreis");
  ASSERT_TRUE(Turn(1));
  const fs::path file = SchoolFile(prog / "4711", 0);
  const std::string before = ReadBytes(file);
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  ASSERT_TRUE(Turn(0));
  Edit(0, 3, 2, "Landkreis");
  EXPECT_FALSE(Turn(1));
  EXPECT_THAT(ui.messages, ElementsAre(RecordedMessage{
                               kErr, "Ein-/Ausgabefehler beim Schreiben der Datei:\r" +
                                         file.string() + "\rdie Datei ist schreibgeschützt"}));
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_EQ(session->current_table(), 0);
  EXPECT_TRUE(session->changed());
  EXPECT_EQ(session->indicator(), IndicatorState::kRed);
}

// A pipe under a table's file name is reported as unreadable instead of blocking the program.
TEST_F(HostileSessionTest, PipeUnderADataFileNameIsReported) {
  Start("4711");
  const fs::path file = SchoolFile(prog / "4711", 2);
  fs::create_directories(file.parent_path());
  ASSERT_EQ(::mkfifo(file.c_str(), 0666), 0);
  ASSERT_TRUE(Turn(2));
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{
                  kErr, "Ein-/Ausgabefehler beim Lesen der Datei:\r" + file.string() +
                            "\rkeine gewöhnliche Datei (z. B. ein Verzeichnis oder eine Pipe)"}));
  EXPECT_TRUE(fs::is_fifo(file));
}

// A directory under the settings file's name is neither read nor deleted, and not said to be.
TEST_F(HostileSessionTest, SettingsDirectoryIsReportedAndLeftAlone) {
  fs::create_directories(prog / "TBEINST.DAT");
  StartWithFiles();
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0],
            (RecordedMessage{kInfo, "Die Einstellungsdatei:\r" + (prog / "TBEINST.DAT").string() +
                                        "\rist keine gewöhnliche Datei und kann nicht gelesen "
                                        "werden!\r\rEs gelten die Standardeinstellungen.\r"
                                        "Prüfen Sie bitte sofort die Programm-Einstellungen!"}));
  EXPECT_TRUE(fs::is_directory(prog / "TBEINST.DAT"));
  EXPECT_TRUE(session->settings().IsReadOnly());
  EXPECT_EQ(session->settings().dst_nr, "00000");
}

// The backup at start leaves a killed save's temporary file behind; the next save of that
// directory removes it.
TEST_F(HostileSessionTest, BackupSkipsStaleTemporaryFilesAndTheNextSaveRemovesThem) {
  const fs::path stale = prog / "4711" / "SCHULE" / "471100.CSV.tmp99999999-3";
  WriteBytes(stale, "halb");
  fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::minutes(5));
  Start("4711");
  session->SetBackup([this] {
    DataPaths paths = session->paths();
    ExportContext ctx{session->settings(), paths, ui, nullptr, nullptr};
    BackupDatabase(ctx);
  });
  EXPECT_TRUE(session->StartupTimer());
  EXPECT_EQ(Tree(prog / "BAK"), testing::Files{});
  ASSERT_TRUE(Turn(1));
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(SchoolFile(prog / "4711", 0)));
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tabulon

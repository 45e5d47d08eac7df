// The session on the real school tables: files on disk after switching and saving, the internal
// tests with their report, the page buttons and the calculations, and a DST-Nr. that cannot name
// a directory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/real_session.h"
#include "files/files.h"

namespace tabulon {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

class SchoolSessionTest : public RealSessionTest {
 protected:
  // Cases of one test each start on their own program directory below the temporary one.
  void StartCase(int n, bool read_write, std::uint16_t log_all = 1) {
    prog = dir / ("fall" + std::to_string(n));
    ui = ScriptedUi();
    windows.clear();
    Start(read_write, "4711", log_all);
  }
  void Start(bool read_write, const std::string& dst_nr = "4711", std::uint16_t log_all = 1,
             const std::string& data_base = "") {
    StartSession(testing::kSchoolKeyFiles, read_write, dst_nr, [&](Settings& s) {
      s.log_all_tests = log_all;
      s.data_base_dir = data_base;
    });
  }
  Grid& School(int table) { return store.GridOf("Bog1Tab" + std::to_string(table)); }
  fs::path SchoolFile(int table) const {
    return testing::SchoolTableFile(prog / "4711", "4711", table);
  }
  void Edit(int table, int col, int row, const std::string& text) {
    School(table).SetCell(col, row, text);
    session->CellEdited();
  }
  bool Turn(int table) { return session->PageChanged(1, table); }
};

TEST_F(SchoolSessionTest, FailedWriteGivesOneBoxAndLosesNothing) {
  Start(true);
  Edit(0, 3, 2, "Kreis");
  ASSERT_TRUE(Turn(1));
  const std::string before = ReadBytes(SchoolFile(0));
  ASSERT_TRUE(Turn(0));
  Edit(0, 3, 2, "Landkreis");
  SetWriteFailureAfterBytesForTesting(3);
  EXPECT_FALSE(Turn(1));
  SetWriteFailureAfterBytesForTesting(-1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::kError);
  EXPECT_THAT(ui.messages[0].text, StartsWith("Ein-/Ausgabefehler"));
  EXPECT_EQ(ReadBytes(SchoolFile(0)), before);
  EXPECT_EQ(session->current_table(), 0);
  EXPECT_EQ(School(0).Cell(3, 2), "Landkreis");
  EXPECT_EQ(session->indicator(), IndicatorState::kRed);
  // Once the disk takes it again the edit arrives.
  ASSERT_TRUE(Turn(1));
  EXPECT_EQ(ReadBytes(SchoolFile(0)), "ES001;ES002;ES003\r\n4711;;Landkreis\r\n");
}

TEST_F(SchoolSessionTest, MissingKeyFileLeavesTable1FileAloneAndThePageCanBeLeft) {
  Start(true);
  fs::remove(prog / "SSSA.SSD");
  const std::string stored = "ES001;ES002\r\n010;7;;;;;;;;;;;;;;\r\n";
  WriteBytes(SchoolFile(1), stored);
  ASSERT_TRUE(Turn(1));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_THAT(ui.messages[0].text, StartsWith("Statistik-Schlüssel-Datei: Schularten/...\r"));
  EXPECT_TRUE(Turn(2));
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(session->current_table(), 2);
  EXPECT_EQ(ReadBytes(SchoolFile(1)), stored);
}

TEST_F(SchoolSessionTest, PassingRunShowsTheBoxOrTheWindowAsTheLoggingOptionSays) {
  struct Case {
    std::uint16_t log_all;
    bool window;
  };
  for (const Case c : {Case{0, false}, Case{1, true}}) {
    SCOPED_TRACE(c.log_all);
    StartCase(c.log_all, true, c.log_all);
    ASSERT_TRUE(Turn(4));
    session->RunCurrentPlausi();
    EXPECT_EQ(windows.size(), c.window ? 1u : 0u);
    if (c.window) {
      EXPECT_EQ(windows[0].protocol.verdict, "Tests bestanden!");
      EXPECT_TRUE(ui.messages.empty());
    } else {
      EXPECT_THAT(ui.messages, ElementsAre(RecordedMessage{MessageKind::kInformation,
                                                           "Test erfolgreich durchlaufen!"}));
    }
  }
}

// The buttons of a page act only while their table is shown.
TEST_F(SchoolSessionTest, RowButtonsOfAnotherPageDoNothing) {
  Start(true);
  ASSERT_TRUE(Turn(2));
  const int rows = School(2).RowCount();
  session->PageCommand(Sheet::kSchool, 3, PageAction::kAppendRows);
  EXPECT_EQ(School(2).RowCount(), rows);
  session->PageCommand(Sheet::kSchool, 2, PageAction::kAppendRow);
  EXPECT_EQ(School(2).RowCount(), rows + 1);
}

TEST_F(SchoolSessionTest, CalculationsFillTheTotalRowAndMarkTheTable) {
  struct Case {
    bool read_write;
    bool marked;
    std::vector<RecordedMessage> messages;
  };
  const Case cases[] = {
      {true, true, {}},
      {false,
       false,
       {{MessageKind::kWarning,
         "Der Dateizugriff ist auf \"nur LESEN\" eingestellt!\r\r"
         "Änderungen werden NICHT gespeichert!"}}},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.read_write);
    StartCase(++n, c.read_write);
    ASSERT_TRUE(Turn(1));
    School(1).SetCell(3, 2, "5");
    School(1).SetCell(3, 4, "2");
    session->Calculate(CalcCommand::kSummaryRow);
    EXPECT_EQ(School(1).Cell(3, 31), "7");
    EXPECT_EQ(session->changed(), c.marked);
    EXPECT_EQ(ui.messages, c.messages);
  }
}

TEST_F(SchoolSessionTest, UnsafeDstNrIsRefusedAtStartAndNothingIsWrittenUntilItIsFixed) {
  // The settings keep at most 20 characters of a DST-Nr.
  const std::string outside = "tbl-escape-" + std::to_string(::getpid() % 100000);
  Start(true, "../" + outside);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0],
            (RecordedMessage{MessageKind::kError,
                             "Die DST-Nr. \"../" + outside +
                                 "\" in den Programm-Einstellungen kann nicht als "
                                 "Verzeichnisname dienen!\r\rBis Sie unter \"Einstellungen\" "
                                 "eine gültige DST-Nr. festlegen,\rwerden keine Tabellen geladen "
                                 "und nichts gespeichert (NUR LESEN)."}));
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_TRUE(session->settings().IsReadOnly());
  EXPECT_FALSE(session->toggle_enabled());
  int backups = 0;
  session->SetBackup([&] { ++backups; });
  session->StartupTimer();
  EXPECT_EQ(backups, 0);
  // Opening the settings dialog reads the file again; cancelling it keeps this run read-only.
  session->ReloadSettingsForDialog();
  EXPECT_TRUE(session->settings().IsReadOnly());
  Edit(0, 2, 2, "x");
  ASSERT_TRUE(Turn(1));
  EXPECT_EQ(ui.messages.size(), 1u);
  session->DataBaseDirectoryChosen(prog);
  EXPECT_FALSE(fs::exists(prog.parent_path() / outside));
  // The file on disk keeps its access; only this run is read-only.
  Settings stored;
  ReadSettingsFile(prog, stored, ui);
  EXPECT_FALSE(stored.IsReadOnly());

  Settings fixed = stored;
  fixed.dst_nr = "4711";
  session->SettingsAccepted(fixed);
  EXPECT_FALSE(session->dst_nr_refused());
  EXPECT_TRUE(fs::is_directory(prog / "4711" / "SCHULE"));
  ASSERT_TRUE(Turn(0));
  EXPECT_TRUE(fs::exists(SchoolFile(1)));
}

// A data base that is gone is not built up again: one level at start, one level on loading, and
// each failure says so.
TEST_F(SchoolSessionTest, MissingDataBaseIsNotCreated) {
  const fs::path stick = dir / "stick" / "daten";
  Start(true, "4711", 1, stick.string());
  const fs::path school = stick / "4711";
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{MessageKind::kInformation,
                                          "Problem beim Erstellen des Datenverzeichnis:\r" +
                                              (school / "").string() +
                                              "\rLegen Sie sofort einen Ort (Laufwerk, "
                                              "Pfad) für Ihre Daten fest!"},
                          RecordedMessage{MessageKind::kInformation,
                                          "Problem beim Erstellen des Datenverzeichnis:\r" +
                                              (school / "SCHULE").string() +
                                              "\rErmöglich Sie den Zugriff auf das "
                                              "untergeordnete Verzeichnis!"}));
  EXPECT_FALSE(fs::exists(dir / "stick"));
}

}  // namespace
}  // namespace tabulon

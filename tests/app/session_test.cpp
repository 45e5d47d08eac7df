#include "app/session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "files/files.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

using ::testing::ElementsAre;

constexpr MessageKind kInfo = MessageKind::kInformation;
constexpr MessageKind kErr = MessageKind::kError;

// Grids as the sheet code keeps them: one text per definition, written to the file a sheet
// would write, so that the tests see on disk which table was saved where and when.
class FileStore : public TableStore {
 public:
  void SetUpGrid(std::string_view def) override { calls.push_back("setup " + std::string(def)); }
  int LoadGrid(std::string_view def, const TableContext& ctx) override {
    calls.push_back("load " + std::string(def) +
                    (ctx.class_id == kNoClass ? "" : " " + ctx.class_id));
    return max_fields;
  }
  void SaveGrid(std::string_view def, const TableContext& ctx) override {
    calls.push_back("save " + std::string(def));
    // The sheet code creates a missing sheet directory when it first needs it.
    fs::create_directories(FileOf(def, ctx).parent_path());
    WriteFileAtomic(FileOf(def, ctx), "grid " + std::string(def) + "\r\n");
  }

  static fs::path FileOf(std::string_view def, const TableContext& ctx) {
    static const char* kDirs[] = {"SCHNELL", "SCHULE", "LEHRER", "KLASSE"};
    int sheet = def[3] - '0';
    std::string prefix = sheet == 3 ? ctx.class_id : ctx.settings.dst_nr;
    std::string rest = std::string(def).substr(7);  // after "BogNTab"
    std::string name = rest.size() == 1 ? "0" + rest : rest;
    return ctx.paths.school_data_dir / kDirs[sheet] / (prefix + name + ".CSV");
  }

  std::vector<std::string> calls;
  int max_fields = 0;
};

class SessionTest : public ::testing::Test {
 protected:
  // A program directory with or without a settings file that grants read-write access.
  void Start(bool read_write, std::uint16_t portable = 0) {
    if (read_write || portable) {
      testing::WriteSchoolSettings(dir.path(), "12345", read_write,
                                   [portable](Settings& s) { s.portable = portable; });
    }
    session = std::make_unique<Session>(dir.path(), ui, platform, store);
    session->FormCreate();
    session->FormShow();
  }
  fs::path School(const std::string& name) const { return dir.path() / "12345" / "SCHULE" / name; }
  // Turn to page `inner` of sheet page `top` as the window does.
  bool Turn(int top, int inner) { return session->PageChanged(top, inner); }

  TempDir dir;
  ScriptedUi ui;
  FakePlatform platform;
  FileStore store;
  std::unique_ptr<Session> session;
};

TEST_F(SessionTest, FirstStartWithoutSettingsIsReadOnlyAndNeverWrites) {
  Start(false);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(session->status_dst_nr(), "00000");
  EXPECT_TRUE(fs::is_directory(dir.path() / "00000"));
  EXPECT_FALSE(session->toggle_enabled());
  EXPECT_THAT(store.calls, ElementsAre("setup Bog1Tab0", "load Bog1Tab0"));

  session->CellEdited();
  EXPECT_EQ(session->indicator(), IndicatorState::kHidden);
  ASSERT_TRUE(Turn(1, 1));
  ASSERT_TRUE(Turn(1, 2));
  session->FileSave();
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_THAT(ui.messages, ElementsAre(RecordedMessage{
                               kErr,
                               "SPEICHERN nicht möglich!!!\r\rSie haben bei Einstellungen als "
                               "Programm-Option\rden \"Dateizugriff: NUR LESEN\" gesetzt!"}));
  EXPECT_FALSE(fs::exists(dir.path() / "00000" / "SCHULE"));
  EXPECT_FALSE(session->changed());
}

TEST_F(SessionTest, SwitchWritesTheTableLeftEvenWithoutEdits) {
  Start(true);
  session->EnsureDataDirectories();
  ASSERT_TRUE(Turn(1, 3));
  EXPECT_EQ(ReadBytes(School("1234500.CSV")), "grid Bog1Tab0\r\n");
  EXPECT_EQ(session->current_table(), 3);
  EXPECT_THAT(store.calls, ElementsAre("setup Bog1Tab0", "load Bog1Tab0", "save Bog1Tab0",
                                       "setup Bog1Tab3", "load Bog1Tab3"));
  // Teacher table 0 writes the table before the identification grid.
  store.calls.clear();
  ASSERT_TRUE(Turn(2, 0));
  ASSERT_TRUE(Turn(1, 0));
  EXPECT_THAT(store.calls, ElementsAre("save Bog1Tab3", "setup Bog2Ident", "load Bog2Ident",
                                       "setup Bog2Tab0", "load Bog2Tab0", "save Bog2Tab0",
                                       "save Bog2Ident", "setup Bog1Tab0", "load Bog1Tab0"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SessionTest, EditShowsRedIndicatorAndSaveFlashesYellowOnce) {
  Start(true);
  session->EnsureDataDirectories();
  EXPECT_EQ(session->indicator(), IndicatorState::kHidden);
  session->CellEdited();
  EXPECT_TRUE(session->changed());
  EXPECT_EQ(session->indicator(), IndicatorState::kRed);
  session->FileSave();
  EXPECT_FALSE(session->changed());
  EXPECT_EQ(session->indicator(), IndicatorState::kYellowFlash);
  EXPECT_TRUE(fs::exists(School("1234500.CSV")));
  session->EndFlash();
  EXPECT_EQ(session->indicator(), IndicatorState::kHidden);
  // A hidden indicator stays hidden on a save without edits.
  session->FileSave();
  EXPECT_EQ(session->indicator(), IndicatorState::kHidden);
}

TEST_F(SessionTest, ToggleCannotGoDownWhileReadOnly) {
  Start(false);
  session->SetSaveSuspend(true);
  EXPECT_FALSE(session->save_suspended());
}

struct CloseCase {
  const char* name;
  bool read_write;
  bool edited;
  std::deque<bool> answers;
  bool closes;
  std::size_t questions;
  bool saved;
};

class SessionCloseTest : public SessionTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(SessionCloseTest, AsksAndSavesAsTheAnswersSay) {
  const CloseCase& c = GetParam();
  Start(c.read_write);
  session->EnsureDataDirectories();
  if (c.edited) session->CellEdited();
  ui.answers = c.answers;
  EXPECT_EQ(session->FormClose(), c.closes);
  ASSERT_EQ(ui.questions.size(), c.questions);
  EXPECT_EQ(ui.questions[0],
            (RecordedMessage{MessageKind::kConfirmation,
                             "Wollen Sie den Tabulon\rVarnland - Berufsschule\rjetzt wirklich "
                             "BEENDEN?"}));
  if (c.questions > 1) {
    EXPECT_EQ(ui.questions[1],
              (RecordedMessage{MessageKind::kWarning,
                               "Die aktuelle Tabellen-Datei wurde\rnoch nicht gespeichert!\r"
                               "Wollen Sie diese jetzt speichern?"}));
  }
  EXPECT_EQ(fs::exists(dir.path() / "12345" / "SCHULE" / "1234500.CSV"), c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SessionCloseTest,
    ::testing::Values(CloseCase{"NoKeepsRunning", true, true, {false}, false, 1, false},
                      CloseCase{"YesWithoutEdits", true, false, {true}, true, 1, false},
                      CloseCase{"YesThenSave", true, true, {true, true}, true, 2, true},
                      CloseCase{"YesThenDontSave", true, true, {true, false}, true, 2, false},
                      CloseCase{"ReadOnlyNoSaveQuestion", false, true, {true}, true, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionTest, ClassSheetWithoutClassesAsksForOneAndWritesNothing) {
  Start(true);
  session->EnsureDataDirectories();
  store.calls.clear();
  ASSERT_TRUE(Turn(3, 0));
  EXPECT_EQ(session->current_class(), "ZZZ999");
  EXPECT_EQ(session->TakeFocusRequest(), FocusRequest::kNewClassField);
  ASSERT_TRUE(Turn(3, 1));
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{kInfo, "\rSie haben keine Klasse eingegeben!\r"},
                          RecordedMessage{kInfo, "\rSie haben keine Klasse eingegeben!\r"}));
  EXPECT_THAT(store.calls,
              ElementsAre("save Bog1Tab0", "setup Bog3Tab0", "setup Bog3Ident", "setup Bog3Tab1"));
  EXPECT_TRUE(session->class_tools_enabled());
}

TEST_F(SessionTest, ClassListComesFromClassFilesSortedAndFirstIsSelected) {
  WriteBytes(dir / "12345/KLASSE/ZIM00300.CSV", "");
  WriteBytes(dir / "12345/KLASSE/abc00100.csv", "");
  WriteBytes(dir / "12345/KLASSE/ABC00201.CSV", "");  // a table file, not a class
  WriteBytes(dir / "12345/KLASSE/TOOLONG100.CSV", "");
  Start(true);
  EXPECT_THAT(session->class_list(), ElementsAre("abc001", "ZIM003"));
  store.calls.clear();
  ASSERT_TRUE(Turn(3, 2));
  EXPECT_EQ(session->current_class(), "abc001");
  EXPECT_TRUE(session->class_fields_visible());
  EXPECT_THAT(store.calls, ElementsAre("save Bog1Tab0", "setup Bog3Ident", "load Bog3Ident abc001",
                                       "setup Bog3Tab2", "load Bog3Tab2 abc001"));
  session->SelectClass(-1);
  ASSERT_TRUE(Turn(3, 0));
  EXPECT_EQ(session->current_class(), "ZZZ999");
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{kInfo, "\rSie haben keine Klasse ausgewählt!\r"}));
  EXPECT_EQ(session->TakeFocusRequest(), FocusRequest::kClassList);
  ASSERT_TRUE(Turn(1, 0));
  EXPECT_FALSE(session->class_fields_visible());
}

TEST_F(SessionTest, CalculationButtonsFollowTheTable) {
  Start(true);
  struct Case {
    int top, inner;
    bool s, c, r;
  };
  const Case cases[] = {{1, 0, false, false, false}, {1, 1, true, true, true},
                        {1, 2, true, false, true},   {2, 1, false, true, false},
                        {2, 3, false, false, true},  {1, 4, false, false, false}};
  for (const Case& c : cases) {
    ASSERT_TRUE(Turn(c.top, c.inner));
    EXPECT_EQ(session->calc_subtotals(), c.s) << c.top << "/" << c.inner;
    EXPECT_EQ(session->calc_summary_columns(), c.c) << c.top << "/" << c.inner;
    EXPECT_EQ(session->calc_summary_row(), c.r) << c.top << "/" << c.inner;
  }
  ASSERT_TRUE(Turn(1, 9));  // a page no table belongs to
  EXPECT_TRUE(session->calc_subtotals() && session->calc_summary_columns() &&
              session->calc_summary_row());
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{kErr, "interner Fehler: unklare Schul-Tabelle"}));
  // Leaving that page: its save knows no table either, and nothing is written.
  ui.messages.clear();
  ASSERT_TRUE(Turn(1, 0));
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{kErr, "interner Fehler: unklare Schul-Tabelle"}));
}

TEST_F(SessionTest, PortableStartWarnsAndUsesProgramDirectory) {
  Settings s;
  s.portable = 1;
  s.dst_nr = "777";
  s.data_base_dir = (dir.path() / "elsewhere").string();
  WriteSettingsFile(dir.path(), s);
  Session session(dir.path(), ui, platform, store);
  session.FormCreate();
  const std::string base = WithTrailingSeparator(dir.path()).string();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0],
            (RecordedMessage{MessageKind::kWarning,
                             "Programm arbeit in der portablen Version!\rDie Daten werden im "
                             "aktuellen Programm-Ordner erwartet!\r\rDas aktuelle Verzeichnis "
                             "für die Daten-Basis ist: \r" +
                                 base + "\r\r==> also (einschließlich des Haupt-Verzeichnis): \r" +
                                 base + "777/"}));
  EXPECT_TRUE(fs::is_directory(dir.path() / "777"));
}

TEST_F(SessionTest, EnsureDataDirectoriesCreatesSheetDirectoriesOrSaysWhy) {
  Start(true);
  fs::path base = dir.path() / "base";
  fs::create_directory(base);
  session->DataBaseDirectoryChosen(base);
  EXPECT_TRUE(fs::is_directory(base / "12345" / "SCHULE"));
  EXPECT_TRUE(fs::is_directory(base / "12345" / "LEHRER"));
  EXPECT_TRUE(fs::is_directory(base / "12345" / "KLASSE"));
  EXPECT_FALSE(fs::exists(base / "12345" / "SCHNELL"));
  // A data base directory that is a file cannot hold directories, even for root.
  WriteBytes(dir / "afile", "x");
  session->DataBaseDirectoryChosen(dir / "afile");
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0],
            (RecordedMessage{kInfo, "Problem beim Erstellen des Datenverzeichnis:\r" +
                                        (dir / "afile" / "12345").string() + "/\r" +
                                        "Legen Sie sofort einen Ort (Laufwerk, Pfad) für Ihre "
                                        "Daten fest!"}));
  // Saves now go to the new place.
  session->DataBaseDirectoryChosen(base);
  session->FileSave();
  EXPECT_TRUE(fs::exists(base / "12345" / "SCHULE" / "1234500.CSV"));
}

TEST_F(SessionTest, StartupTimerRunsBackupOnce) {
  int backups = 0;
  session = std::make_unique<Session>(dir.path(), ui, platform, store);
  session->SetBackup([&] { ++backups; });
  session->FormCreate();
  EXPECT_FALSE(session->StartupTimer());
  session->FormShow();
  EXPECT_TRUE(session->StartupTimer());
  EXPECT_FALSE(session->StartupTimer());
  EXPECT_EQ(backups, 1);
}

}  // namespace
}  // namespace tabulon

#include "sheets/class/class_list.h"

#include <gtest/gtest.h>

#include "files/files.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon {
namespace {

using namespace class_sheet;

TEST(ClassIdTest, OneRuleForEveryIdentifier) {
  struct Case {
    std::string id;
    bool valid;
  } cases[] = {
      {"ZIM003", true},   {"ABCDEF", true},  {"BÄC001", true},   {"zim003", true},
      {"AB C01", true},   {"ZIM03", false},  {"ZIM0003", false}, {"", false},
      {"ZZZ999", false},  {"../abc", false}, {"ab/c01", false},  {"ab\\c01", false},
      {"ZIM?03", false},  {"ZIM*03", false}, {"ZI:003", false},  {"ZI|003", false},
      {"ZI\"003", false}, {"ZI<003", false}, {"ZIM\t03", false}, {"ZIM00.", false},
      {"ZIM00 ", false},  {"ZIM..3", false}, {"ZIM€03", false},  // no room in the data code page
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidClassId(c.id), c.valid) << c.id;
}

TEST(ClassListTest, BuiltFromTable0FilesInListBoxOrder) {
  const std::vector<std::string> names = {
      "ZIM00300.CSV", "abc00100.csv", "ABC00200.CSV", "MAU00101.CSV", "ZIM00300.CSV.bak",
      "BÄC00100.CSV", "ZZZ99900.CSV", "X/Y00100.CSV", "ZIM0300.CSV",  "ZIM003ID.CSV",
      "abc00100.CSV", "Abc00100.CSV", "ZIM00400.CSV"};
  EXPECT_EQ(ClassListFromNames(names),
            (std::vector<std::string>{"Abc001", "abc001", "ABC002", "BÄC001", "ZIM003", "ZIM004"}));
}

TEST(ClassListTest, ReadsOnlyRegularFilesAndSurvivesAMissingDirectory) {
  TempDir dir;
  const auto klasse = dir / "KLASSE";
  EXPECT_TRUE(ReadClassList(klasse).empty());
  WriteBytes(klasse / "ZIM00300.CSV", "");
  WriteBytes(klasse / "zim00300.csv", "");
  std::filesystem::create_directories(klasse / "ABC00100.CSV");
  EXPECT_EQ(ReadClassList(klasse), (std::vector<std::string>{"ZIM003", "zim003"}));
}

TEST(ClassListTest, NewClassesAreCheckedAndTakeTheirSortedPlace) {
  std::vector<std::string> list = {"ABC001", "ZIM003"};
  EXPECT_EQ(CheckNewClass(list, "ZIM003"),
            "Eine Klasse mit der Statistik-Bezeichnung: ZIM003\rexistiert schon und kann nicht "
            "überschrieben werden!");
  EXPECT_EQ(CheckNewClass(list, "zim003"), ClassExistsMessage("zim003"));
  EXPECT_EQ(CheckNewClass(list, "ZIM03"),
            "Die Statistik-Klassenbezeichnung:\rZIM03\rist fehlerhaft!");
  EXPECT_EQ(CheckNewClass(list, "ZZZ999"), BadClassIdMessage("ZZZ999"));
  EXPECT_EQ(CheckNewClass(list, "../abc"), BadClassIdMessage("../abc"));
  EXPECT_EQ(CheckNewClass(list, "BÄC001"), std::nullopt);
  EXPECT_EQ(InsertClass(list, "BÄC001"), 1);
  EXPECT_EQ(InsertClass(list, "aaa009"), 0);
  EXPECT_EQ(list, (std::vector<std::string>{"aaa009", "ABC001", "BÄC001", "ZIM003"}));
  EXPECT_EQ(FindClass(list, "ZIM003"), 3);
  EXPECT_EQ(FindClass(list, "zim003"), -1);
}

TEST(ClassListTest, SelectionAfterRemoval) {
  EXPECT_EQ(IndexAfterRemoval(0, 3), 0);
  EXPECT_EQ(IndexAfterRemoval(1, 3), 1);
  EXPECT_EQ(IndexAfterRemoval(2, 3), 1);
  EXPECT_EQ(IndexAfterRemoval(0, 1), -1);
}

class DeleteClassTest : public ::testing::Test {
 protected:
  DeleteClassTest() {
    for (const char* name : {"ZIM00300.CSV", "ZIM00310.CSV", "ZIM00309.csv", "ZIM00100.CSV",
                             "zim00300.CSV", "ZIM003000.CSV", "ZIM00300.CSV.bak"}) {
      WriteBytes(klasse / name, name);
    }
    WriteBytes(prog / "ZIM003ID.CSV", "ZIM003;\r\n");
    WriteBytes(prog / "zim003ID.CSV", "zim003;\r\n");
  }
  TempDir dir;
  std::filesystem::path klasse = dir / "KLASSE";
  std::filesystem::path prog = dir / "prog";
  FakePlatform platform;
};

TEST_F(DeleteClassTest, MovesExactlyTheClassesFilesToTheTrash) {
  EXPECT_TRUE(MoveClassToTrash("ZIM003", klasse, prog, platform).empty());
  EXPECT_EQ(platform.trashed,
            (std::vector<std::filesystem::path>{klasse / "ZIM00300.CSV", klasse / "ZIM00309.csv",
                                                klasse / "ZIM00310.CSV", prog / "ZIM003ID.CSV"}));
  EXPECT_FALSE(ClassHasTable0File("ZIM003", klasse));
  // The other classes and the stray files are untouched.
  EXPECT_TRUE(ClassHasTable0File("zim003", klasse));
  EXPECT_TRUE(std::filesystem::exists(klasse / "ZIM003000.CSV"));
  EXPECT_TRUE(std::filesystem::exists(prog / "zim003ID.CSV"));
  // A pattern character in the identifier matches nothing but itself.
  platform.trashed.clear();
  EXPECT_TRUE(MoveClassToTrash("ZIM00?", klasse, prog, platform).empty());
  EXPECT_TRUE(platform.trashed.empty());
}

TEST_F(DeleteClassTest, FilesLeftBehindAreReported) {
  platform.trash_succeeds = false;
  const auto left = MoveClassToTrash("ZIM003", klasse, prog, platform);
  EXPECT_EQ(left.size(), 4u);
  EXPECT_TRUE(ClassHasTable0File("ZIM003", klasse));
  EXPECT_EQ(NotMovedMessage({klasse / "ZIM00300.CSV"}, true),
            "Folgende Dateien konnten nicht in den Papierkorb verschoben werden:\r" +
                DisplayPath(klasse / "ZIM00300.CSV") + "\r\rDie Klasse bleibt in der Liste.");
}

TEST(ClassNumberingTest, ReportsTheLowestMissingAndRepeatedNumbers) {
  struct Case {
    std::vector<std::string> list;
    std::vector<RecordedMessage> messages;
    bool error7;
  } cases[] = {
      {{}, {{MessageKind::kError, "Keine Einträge in der Klassenliste enthalten!"}}, false},
      {{"ZIM001", "MAU002", "ZIM004"},
       {{MessageKind::kError, "(Erste) fehlende Klassen-Nummer: 3"}},
       false},
      {{"ZIM001", "MAU001"},
       {{MessageKind::kInformation, "Alle Klassen-Nummern fortlaufend!"},
        {MessageKind::kError, "(Erste) mehrfach vorkommende Klassen-Nummer: 1"}},
       false},
      {{"ZIM001", "XYZ950", "ÄÖÜ002"},
       {{MessageKind::kInformation, "Alle Klassen-Nummern fortlaufend!"}},
       false},
      {{"ABC0Y1", "ZIM001"},
       {{MessageKind::kInformation, "Alle Klassen-Nummern fortlaufend!"}},
       true},
      {{"A00005", "B00003", "C00003", "D00001", "E00001"},
       {{MessageKind::kError, "(Erste) fehlende Klassen-Nummer: 2"},
        {MessageKind::kError, "(Erste) mehrfach vorkommende Klassen-Nummer: 1"}},
       false},
  };
  for (const Case& c : cases) {
    ScriptedUi ui;
    ErrorFlags flags;
    TestClassNumbering(c.list, ui, flags);
    EXPECT_EQ(ui.messages, c.messages);
    EXPECT_EQ(flags.Failed(7), c.error7);
  }
}

}  // namespace
}  // namespace tabulon

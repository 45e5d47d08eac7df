// The session on the real class tables: creating, switching and deleting classes, with the files
// on disk and the boxes the person sees.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/real_session.h"
#include "files/files.h"

namespace tabulon {
namespace {

using ::testing::ElementsAre;

constexpr MessageKind kInfo = MessageKind::kInformation;
constexpr MessageKind kErr = MessageKind::kError;
constexpr int kClassTop = 3;

class ClassSessionTest : public RealSessionTest {
 protected:
  void Start(bool read_write = true) { StartSession({"SSVB.SSD", "SSVB0.SSD"}, read_write); }
  Grid& Table(const std::string& def) { return store.GridOf(def); }
  bool Turn(int inner) { return session->PageChanged(kClassTop, inner); }
  void Edit(const std::string& def, int col, int row, const std::string& text) {
    Table(def).SetCell(col, row, text);
    session->CellEdited();
  }
};

TEST_F(ClassSessionTest, RefusedIdentifiersLeaveTheListAsItWas) {
  WriteBytes(Klasse("ZIM00300.CSV"), "ES001\r\n");
  Start();
  ASSERT_TRUE(Turn(0));
  const struct {
    std::string id;
    std::string box;
  } cases[] = {
      {"../abc", "Die Statistik-Klassenbezeichnung:\r../abc\rist fehlerhaft!"},
      {"ZIM003",
       "Eine Klasse mit der Statistik-Bezeichnung: ZIM003\rexistiert schon und kann "
       "nicht überschrieben werden!"},
  };
  for (const auto& c : cases) {
    ui.messages.clear();
    session->AddClass(c.id, "");
    EXPECT_THAT(ui.messages, ElementsAre(RecordedMessage{kErr, c.box})) << c.id;
    EXPECT_THAT(session->class_list(), ElementsAre("ZIM003"));
    EXPECT_EQ(session->current_class(), "ZIM003");
  }
  EXPECT_FALSE(fs::exists(prog / "4711" / "abc00.CSV"));
  EXPECT_FALSE(fs::exists(dir / "abcID.CSV"));
}

TEST_F(ClassSessionTest, SwitchingClassesSavesTheClassShownBefore) {
  WriteBytes(Klasse("ABC00100.CSV"), "ES001\r\n");
  WriteBytes(Klasse("ZIM00300.CSV"), "ES001\r\n");
  Start();
  ASSERT_TRUE(Turn(1));
  EXPECT_EQ(session->current_class(), "ABC001");
  Edit("Bog3Tab1", 1, 2, "1990");
  Edit("Bog3Tab1", 2, 2, "5");
  session->ClassClicked(1);
  EXPECT_EQ(session->current_class(), "ZIM003");
  EXPECT_EQ(ReadBytes(Klasse("ABC00101.CSV")), "ES001;ES002;ES003;ES004;ES005\r\n1990;5;;;\r\n");
  EXPECT_TRUE(fs::exists(prog / "ABC001ID.CSV"));
  EXPECT_EQ(Table("Bog3Tab1").Cell(1, 2), "");  // ZIM003's own table
  EXPECT_FALSE(session->changed());

  // With saving suspended once, the switch drops the edits.
  Edit("Bog3Tab1", 1, 2, "1991");
  session->SetSaveSuspend(true);
  session->ClassClicked(0);
  EXPECT_FALSE(fs::exists(Klasse("ZIM00301.CSV")));
  EXPECT_FALSE(session->save_suspended());
  EXPECT_EQ(Table("Bog3Tab1").Cell(1, 2), "1990");

  // A file that cannot be written keeps the class and its edits on the screen.
  Edit("Bog3Tab1", 2, 2, "6");
  SetWriteFailureAfterBytesForTesting(3);
  session->ClassClicked(1);
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_EQ(session->current_class(), "ABC001");
  EXPECT_EQ(session->list_selection(), 0);
  EXPECT_EQ(Table("Bog3Tab1").Cell(2, 2), "6");
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().kind, kErr);
  EXPECT_EQ(ReadBytes(Klasse("ABC00101.CSV")), "ES001;ES002;ES003;ES004;ES005\r\n1990;5;;;\r\n");
}

TEST_F(ClassSessionTest, ReadOnlyAccessSwitchesWithoutWriting) {
  WriteBytes(Klasse("ABC00100.CSV"), "ES001\r\n");
  WriteBytes(Klasse("ZIM00300.CSV"), "ES001\r\n");
  Start(false);
  ASSERT_TRUE(Turn(0));
  session->ClassClicked(1);
  EXPECT_EQ(session->current_class(), "ZIM003");
  EXPECT_EQ(ReadBytes(Klasse("ABC00100.CSV")), "ES001\r\n");
  EXPECT_FALSE(fs::exists(prog / "ABC001ID.CSV"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ClassSessionTest, DeletingMovesExactlyTheClassesFilesToTheTrash) {
  for (const char* name : {"ABC00100.CSV", "ZIM00300.CSV", "ZIM00301.CSV", "zim00300.CSV"}) {
    WriteBytes(Klasse(name), "ES001\r\n");
  }
  WriteBytes(prog / "ZIM003ID.CSV", "ZIM003;\r\n");
  Start();
  ASSERT_TRUE(Turn(0));
  EXPECT_THAT(session->class_list(), ElementsAre("ABC001", "ZIM003", "zim003"));
  session->ClassClicked(1);
  ui.answers = {false};
  session->DeleteClass();
  EXPECT_TRUE(platform.trashed.empty());
  ui.answers = {true};
  session->PageCommand(Sheet::kClass, 0, PageAction::kDeleteClass);
  EXPECT_EQ(ui.questions.back(),
            (RecordedMessage{MessageKind::kConfirmation,
                             "Wollen Sie die gewählte Klasse\rmit allen Daten löschen?\r\r(Dateien "
                             "werden in den Windows-\r  Papierkorb verschoben!)"}));
  EXPECT_THAT(platform.trashed,
              ElementsAre(Klasse("ZIM00300.CSV"), Klasse("ZIM00301.CSV"), prog / "ZIM003ID.CSV"));
  EXPECT_THAT(session->class_list(), ElementsAre("ABC001", "zim003"));
  EXPECT_EQ(session->current_class(), "zim003");
  EXPECT_TRUE(fs::exists(Klasse("zim00300.CSV")));
}

TEST_F(ClassSessionTest, ATrashThatFailsIsReportedAndTheClassStays) {
  WriteBytes(Klasse("ZIM00300.CSV"), "ES001\r\n");
  Start();
  ASSERT_TRUE(Turn(0));
  platform.trash_succeeds = false;
  ui.answers = {true};
  ui.messages.clear();
  session->DeleteClass();
  EXPECT_THAT(
      ui.messages,
      ElementsAre(RecordedMessage{
          kErr, "Folgende Dateien konnten nicht in den Papierkorb verschoben werden:\r" +
                    DisplayPath(Klasse("ZIM00300.CSV")) + "\r\rDie Klasse bleibt in der Liste."}));
  EXPECT_THAT(session->class_list(), ElementsAre("ZIM003"));

  // Deleting the only class empties the list and shows the placeholder.
  platform.trash_succeeds = true;
  ui.answers = {true};
  ui.messages.clear();
  session->DeleteClass();
  EXPECT_TRUE(session->class_list().empty());
  EXPECT_EQ(session->current_class(), "ZZZ999");
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{kInfo, "\rSie haben keine Klasse eingegeben!\r"}));
}

}  // namespace
}  // namespace tabulon

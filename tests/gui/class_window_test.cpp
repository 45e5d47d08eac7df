// The real main window on the class sheet of a temporary program directory: creating a class
// with the fields and the add button, switching pages and classes, deleting a class.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "files/files.h"
#include "gui/grid_view.h"
#include "gui/main_window.h"
#include "gui_test_base.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tabulon::gui {
namespace {

namespace fs = std::filesystem;
using tabulon::testing::ReadBytes;
using tabulon::testing::RecordedMessage;
using tabulon::testing::WriteBytes;
using ::testing::ElementsAre;

constexpr int kClassSheet = 3;

class ClassWindowTest : public GuiTestBase {
 protected:
  void Open() {
    testing::CopyKeyFiles(dir.path(), {"SSSA.SSD", "SSVB.SSD", "SSVB0.SSD"});
    testing::WriteSchoolSettings(dir.path(), "4711", true,
                                 [](Settings& s) { s.backup_at_start = 0; });
    CreateWindow();
    ui.answers = {false};  // the backup question of the start-up timer
    ShowWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.questions.empty(); }, 5000));
    ui.questions.clear();
  }
  fs::path Klasse(const std::string& name) const { return dir.path() / "4711" / "KLASSE" / name; }
  QListWidget* List() const { return window->findChild<QListWidget*>("ClassList"); }
  QPushButton* Button(int table, PageAction action) const {
    return window->findChild<QPushButton*>(
        QStringLiteral("Button_3_%1_%2").arg(table).arg(static_cast<int>(action)));
  }
  void ShowClassTable(int page) { window->table_tabs(kClassSheet)->setCurrentIndex(page); }
  void TypeInto(const char* name, const QString& text) {
    auto* field = window->findChild<QLineEdit*>(name);
    ASSERT_NE(field, nullptr);
    field->setFocus();
    field->clear();
    field->insert(text);
  }
};

TEST_F(ClassWindowTest, CreateAClassAndSwitchPagesWritesItsFiles) {
  Open();
  window->sheet_tabs()->setCurrentIndex(kClassSheet);
  EXPECT_THAT(ui.messages, ElementsAre(RecordedMessage{MessageKind::kInformation,
                                                       "\rSie haben keine Klasse eingegeben!\r"}));
  TypeInto("NewClassField", QStringLiteral("ZIM003"));
  TypeInto("SchoolNameField", QStringLiteral("ZIM32"));
  QTest::mouseClick(Button(0, PageAction::kAddClass), Qt::LeftButton);
  ASSERT_EQ(List()->count(), 1);
  EXPECT_EQ(List()->currentRow(), 0);
  EXPECT_EQ(window->findChild<QLabel*>("ClassIdField")->text(), QStringLiteral("ZIM003"));
  ShowClassTable(1);
  EXPECT_EQ(ReadBytes(Klasse("ZIM00300.CSV")),
            "ES001;ES002;ES003;ES004;ES005;ES006\r\n4711;;;;;\r\n");
  EXPECT_EQ(ReadBytes(dir.path() / "ZIM003ID.CSV"),
            "ZIM003;\r\nZIM32;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n");
  // Table 9 comes up with its total block.
  ShowClassTable(10);
  const Grid& t9 = window->store().GridOf("Bog3Tab9");
  EXPECT_EQ(t9.Cell(3, 2), "9999");
}

TEST_F(ClassWindowTest, ChoosingAnotherClassSavesTheOneShownBefore) {
  WriteBytes(Klasse("ABC00100.CSV"), "ES001\r\n");
  WriteBytes(Klasse("ZIM00300.CSV"), "ES001\r\n");
  Open();
  window->sheet_tabs()->setCurrentIndex(kClassSheet);
  ShowClassTable(1);
  Grid& t1 = window->store().GridOf("Bog3Tab1");
  t1.SetCell(1, 2, "1990");
  t1.SetCell(2, 2, "4");
  window->session().CellEdited();
  List()->setCurrentRow(1);
  EXPECT_EQ(window->session().current_class(), "ZIM003");
  EXPECT_EQ(ReadBytes(Klasse("ABC00101.CSV")), "ES001;ES002;ES003;ES004;ES005\r\n1990;4;;;\r\n");
  EXPECT_TRUE(fs::exists(dir.path() / "ABC001ID.CSV"));
  EXPECT_EQ(window->store().GridOf("Bog3Tab1").Cell(1, 2), "");
}

TEST_F(ClassWindowTest, DeleteMovesTheFilesToTheTrashAndTheEntryLeaves) {
  WriteBytes(Klasse("ABC00100.CSV"), "ES001\r\n");
  WriteBytes(Klasse("ZIM00300.CSV"), "ES001\r\n");
  Open();
  window->sheet_tabs()->setCurrentIndex(kClassSheet);
  List()->setCurrentRow(1);
  ui.answers = {true};
  QTest::mouseClick(Button(0, PageAction::kDeleteClass), Qt::LeftButton);
  EXPECT_THAT(platform.trashed, ElementsAre(Klasse("ZIM00300.CSV")));
  ASSERT_EQ(List()->count(), 1);
  EXPECT_EQ(List()->currentRow(), 0);
  EXPECT_EQ(window->session().current_class(), "ABC001");
}

}  // namespace
}  // namespace tabulon::gui

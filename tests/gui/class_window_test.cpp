// The real main window on the class sheet of a temporary program directory: creating a class
// with the fields and the add button, switching pages and classes, deleting a class.
#include <gmock/gmock.h>

#include <QLabel>
#include <QListWidget>

#include "files/files.h"
#include "gui_test_base.h"

namespace tabulon::gui {
namespace {

using ::testing::ElementsAre;

constexpr int kClassSheet = 3;

class ClassWindowTest : public GuiTestBase {
 protected:
  void Open() { OpenSchool({"SSSA.SSD", "SSVB.SSD", "SSVB0.SSD"}); }
  fs::path Klasse(const std::string& name) const { return dir.path() / "4711" / "KLASSE" / name; }
  QListWidget* List() const { return window->findChild<QListWidget*>("ClassList"); }
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
  Click(3, 0, PageAction::kAddClass);
  ASSERT_EQ(List()->count(), 1);
  EXPECT_EQ(List()->currentRow(), 0);
  EXPECT_EQ(window->findChild<QLabel*>("ClassIdField")->text(), QStringLiteral("ZIM003"));
  // The class exists on disk with its first save.
  EXPECT_TRUE(window->session().changed());
  EXPECT_FALSE(fs::exists(Klasse("ZIM00300.CSV")));
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

}  // namespace
}  // namespace tabulon::gui

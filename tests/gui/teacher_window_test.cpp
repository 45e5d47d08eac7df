// The real main window on the teacher tables of a temporary program directory: the first page
// with the identification grid, the old-table notice and the conversions.

#include <QAction>
#include <QLabel>

#include "gui_test_base.h"
#include "text/encoding.h"

namespace tabulon::gui {
namespace {

class TeacherWindowTest : public GuiTestBase {
 protected:
  void Open() {
    OpenSchool({"SSSA-140.SSD", "ILKLWS-4.SSD"});
    window->sheet_tabs()->setCurrentIndex(SheetIndex(Sheet::kTeacher));
  }
  void ShowTable(int table) { window->table_tabs(Sheet::kTeacher)->setCurrentIndex(table); }
  GridView* View(const char* definition) const { return window->GridViewOf(definition); }
  void Type(const char* definition, int col, int row, const QString& text) {
    TypeText(View(definition), col, row, text);
  }
  QLabel* Label(const char* name) const { return window->findChild<QLabel*>(name); }
  fs::path File(int table) const {
    return dir.path() / "4711" / "LEHRER" / ("47110" + std::to_string(table) + ".CSV");
  }
  void WriteOem(const fs::path& p, const std::string& utf8) {
    testing::WriteBytes(p, text::Utf8ToCp850(utf8));
  }
};

TEST_F(TeacherWindowTest, FirstPageShowsItsTextAndSwitchingWritesTable0AndTheList) {
  Open();
  QLabel* text = nullptr;
  for (QLabel* l : window->findChildren<QLabel*>()) {
    if (l->text().startsWith(QStringLiteral("Identifizierungs-Tabelle:"))) text = l;
  }
  // The wording is the page's declaration; what matters here is that it is shown.
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isVisible());
  EXPECT_FALSE(View("Bog2Ident")->toolTip().isEmpty());
  EXPECT_EQ(GridOf("Bog2Ident").Background(), 0xC0C0C0u);
  EXPECT_EQ(GridOf("Bog2Tab0").Cell(1, 2), "4711");

  Type("Bog2Ident", 1, 1, QStringLiteral("5"));
  Type("Bog2Ident", 2, 1, QStringLiteral("Müller"));
  Type("Bog2Ident", 3, 1, QStringLiteral("Jörg"));
  ShowTable(1);
  EXPECT_EQ(ReadBytes(File(0)), "ES001\r\n4711\r\n");
  EXPECT_EQ(ReadBytes(dir.path() / "LEHRER.CSV"), "5;M\x81ller;J\x94rg\r\n");
  EXPECT_EQ(GridOf("Bog2Tab1").Cell(1, 2), "Müller, Jörg");
  EXPECT_EQ(GridOf("Bog2Tab1").Cell(2, 2), "5");
}

TEST_F(TeacherWindowTest, The2008ButtonMovesColumnsAndMarksTheTableChanged) {
  std::string line = "1;";
  for (int k = 2; k <= 57; ++k) line += (k == 25 ? "7" : "") + std::string(";");
  WriteOem(File(1), line + "\r\n");
  Open();
  ShowTable(1);
  ASSERT_NE(Label("Hinweis"), nullptr);
  EXPECT_TRUE(Label("Hinweis")->isVisible());
  EXPECT_TRUE(Label("OldLayoutHint")->isVisible());
  QPushButton* convert = ButtonOf(2, 1, PageAction::kConvertTeacher2008);
  ASSERT_NE(convert, nullptr);
  ASSERT_TRUE(convert->isEnabled());
  EXPECT_FALSE(program->session().changed());

  ui.answers = {true};
  QTest::mouseClick(convert, Qt::LeftButton);
  EXPECT_EQ(GridOf("Bog2Tab1").Cell(28, 2), "7");  // old ES025 is ES027 now
  EXPECT_TRUE(program->session().changed());

  // Saved on the switch and read again: 59 fields now, no hint, no button.
  ShowTable(2);
  ShowTable(1);
  EXPECT_EQ(GridOf("Bog2Tab1").Cell(28, 2), "7");
  EXPECT_FALSE(Label("Hinweis")->isVisible());
  EXPECT_FALSE(ButtonOf(2, 1, PageAction::kConvertTeacher2008)->isEnabled());
}

TEST_F(TeacherWindowTest, NoticeAndTheConversionItemFollowTheFiles) {
  WriteOem(File(4), "alt\r\n");
  Open();
  QLabel* notice = Label("OldTeacherNotice");
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(notice->isVisible());
  QAction* convert = window->findChild<QAction*>(QStringLiteral("Tool2_0"));
  ASSERT_NE(convert, nullptr);
  EXPECT_TRUE(convert->isVisible());
  EXPECT_EQ(convert->text(),
            QStringLiteral("&Überführen Lehrer-Tabellen (2003) in Version ab 2004"));

  ui.answers = {true};
  convert->trigger();
  EXPECT_FALSE(fs::exists(File(4)));
  EXPECT_FALSE(notice->isVisible());
  EXPECT_FALSE(convert->isVisible());
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().text,
            "Die Übernahme der alten Lehrer-Tabelle\rerfolgte OHNE Probleme!");
  QAction* always = window->findChild<QAction*>(QStringLiteral("Tool2_1"));
  ASSERT_NE(always, nullptr);
  EXPECT_TRUE(always->isVisible());
}

}  // namespace
}  // namespace tabulon::gui

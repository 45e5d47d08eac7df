// The starters of the class-wide tests in the real window: the two tool buttons, the two buttons
// on "Tab. 0", the menu items and the test of "Tab. 4.1"; and the summary window's findings list,
// from which a double-click shows the finding's table.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

#include "gui/error_window.h"
#include "gui/grid_view.h"
#include "gui_test_base.h"
#include "sheets/class/class_fixture.h"
#include "support/program_dir.h"

namespace tabulon::gui {
namespace {

using tabulon::testing::RecordedMessage;
using ::testing::ElementsAre;

constexpr int kClassSheet = 3;
constexpr MessageKind kInfo = MessageKind::kInformation;
constexpr char kChooseClass[] = "Sie müssen für diesen Test\reine Klasse auswählen!";

class ClassStartersTest : public GuiTestBase {
 protected:
  void Open(bool with_class) {
    testing::CopyKeyFiles(dir.path(), testing::kClassKeyFiles);
    testing::WriteSchoolSettings(dir.path(), "4711", true,
                                 [](Settings& s) { s.backup_at_start = 0; });
    if (with_class)
      testing::WriteBytes(dir.path() / "4711" / "KLASSE" / "ZIM00300.CSV", "ES001\r\n");
    CreateWindow();
    ui.answers = {false};  // the backup question of the start-up timer
    ShowWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.questions.empty(); }, 5000));
    ui.messages.clear();
  }
  QAction* Action(const char* name) const { return window->action(QString::fromLatin1(name)); }
  void ClickTool(const char* name) {
    QWidget* b =
        window->findChild<QToolBar*>(QStringLiteral("ToolBar"))->widgetForAction(Action(name));
    ASSERT_NE(b, nullptr);
    QTest::mouseClick(b, Qt::LeftButton);
  }
  void ClickButton(int table, PageAction action) {
    auto* b = window->findChild<QPushButton*>(
        QStringLiteral("Button_3_%1_%2").arg(table).arg(static_cast<int>(action)));
    ASSERT_NE(b, nullptr);
    QTest::mouseClick(b, Qt::LeftButton);
  }
  bool ToolsEnabled() const {
    return Action("ClassAllTests")->isEnabled() && Action("ClassFootnotes")->isEnabled();
  }
  // Clicks `start`, closes the error window it opens and returns its object name and title.
  QStringList RunToWindow(const std::function<void()>& start) {
    QStringList seen;
    OnNextModal([&](QWidget* modal) {
      seen << modal->objectName() << modal->windowTitle();
      modal->close();
    });
    start();
    return seen;
  }
};

TEST_F(ClassStartersTest, WithoutAClassEveryStarterSaysWhy) {
  Open(false);
  EXPECT_FALSE(Action("ClassAllTests")->isEnabled());
  EXPECT_FALSE(Action("ClassFootnotes")->isEnabled());
  // Should a tool button be reachable on another sheet, its own check still holds.
  Action("ClassAllTests")->setEnabled(true);
  Action("ClassAllTests")->trigger();
  window->sheet_tabs()->setCurrentIndex(kClassSheet);
  EXPECT_TRUE(ToolsEnabled());
  ClickTool("ClassAllTests");
  ClickTool("ClassFootnotes");
  ClickButton(0, PageAction::kAllClassTests);
  ClickButton(0, PageAction::kFootnoteTest);
  Action("ClassAllTestsMenu")->trigger();
  Action("ClassFootnotesMenu")->trigger();
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{kInfo, "Test nur für Klassen vorgesehen!"},
                          RecordedMessage{kInfo, "\rSie haben keine Klasse eingegeben!\r"},
                          RecordedMessage{kInfo, "Keine Klasse ausgewählt oder vorhanden!"},
                          RecordedMessage{kInfo, "Keine Klasse ausgewählt oder vorhanden!"},
                          RecordedMessage{MessageKind::kError, kChooseClass},
                          RecordedMessage{MessageKind::kError, kChooseClass},
                          RecordedMessage{MessageKind::kError, kChooseClass},
                          RecordedMessage{MessageKind::kError, kChooseClass}));
  window->sheet_tabs()->setCurrentIndex(kClassSheet - 1);
  EXPECT_FALSE(Action("ClassAllTests")->isEnabled());
  EXPECT_FALSE(Action("ClassFootnotes")->isEnabled());
}

TEST_F(ClassStartersTest, EachStarterOpensItsWindow) {
  Open(true);
  window->sheet_tabs()->setCurrentIndex(kClassSheet);
  ASSERT_EQ(window->session().current_class(), "ZIM003");
  const QString summary =
      QStringLiteral("Zusammenfassender Plausi-Test über alle Bögen einer Klasse");
  const QString footnotes =
      QStringLiteral("interner Plausi-Test: Plausi über mehrere Klassenbögen (Fußnoten a..h)");
  const QStringList summary_window{QStringLiteral("TFehlerAnzeigeAlle"), summary};
  const QStringList footnote_window{QStringLiteral("TFehlerfenster"), footnotes};
  EXPECT_EQ(RunToWindow([&] { ClickButton(0, PageAction::kAllClassTests); }), summary_window);
  EXPECT_EQ(RunToWindow([&] { ClickButton(0, PageAction::kFootnoteTest); }), footnote_window);
  EXPECT_EQ(RunToWindow([&] { ClickTool("ClassAllTests"); }), summary_window);
  EXPECT_EQ(RunToWindow([&] { ClickTool("ClassFootnotes"); }), footnote_window);
  EXPECT_EQ(RunToWindow([&] { Action("ClassAllTestsMenu")->trigger(); }), summary_window);
  EXPECT_EQ(RunToWindow([&] { Action("ClassFootnotesMenu")->trigger(); }), footnote_window);
  window->table_tabs(kClassSheet)->setCurrentIndex(5);  // "Tab. 4.1"
  ASSERT_EQ(window->table_tabs(kClassSheet)->tabText(5), QStringLiteral("Tab. 4.1"));
  EXPECT_EQ(RunToWindow([&] { ClickButton(10, PageAction::kPlausi); }),
            (QStringList{QStringLiteral("TFehlerfenster"),
                         QStringLiteral("interner Plausi-Test: Klassenbogen - Tab.: Anzahl "
                                        "gelernter Fremdsprachen")}));
  EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.messages);
}

TEST_F(ClassStartersTest, AFindingOfTheSummaryShowsItsTable) {
  Open(true);
  // Grade 9 in table 0; tables 1 and 8 have no sum row, table 8 no group.
  testing::WriteBytes(dir.path() / "4711" / "KLASSE" / "ZIM00300.CSV",
                      "ES001;ES002;ES003;ES004;ES005;ES006\r\n4711;020;003;1;9;\r\n");
  const std::string expected =
      "[17]  Tab. 0  |  Spalte: Jahrgangsstufe (ES005)  |  Zeile 2: Meldung\n"
      "[231]  Tab. 1  |  (betrifft keine einzelne Zelle)\n"
      "[231]  Tab. 8  |  (betrifft keine einzelne Zelle)\n"
      "[242]  Tab. 8  |  (betrifft keine einzelne Zelle)";
  window->sheet_tabs()->setCurrentIndex(kClassSheet);
  // From "Tab. 5": a finding with a cell, then one that names only its table.
  const struct {
    int item;
    int table;
    int page;
  } choices[] = {{0, 0, 0}, {3, 8, 9}};
  for (const auto& c : choices) {
    window->table_tabs(kClassSheet)->setCurrentIndex(6);
    QStringList statuses, findings;
    OnNextModal([&](QWidget* modal) {
      auto* w = qobject_cast<ErrorWindow*>(modal);
      ASSERT_NE(w, nullptr);
      for (int k = 0; k < 10; ++k) statuses << w->status_field(k)->text();
      OnNextModal([&](QWidget* list_dialog) {
        auto* list = list_dialog->findChild<QListWidget*>(QStringLiteral("findings"));
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->count(); ++i) findings << list->item(i)->text();
        QTimer::singleShot(3000, list_dialog, &QWidget::close);
        list->doItemsLayout();
        const QPoint at = list->visualItemRect(list->item(c.item)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
      });
      QTimer::singleShot(6000, w, &QWidget::close);
      QTest::mouseClick(w->findings_button(), Qt::LeftButton);
    });
    ClickTool("ClassAllTests");
    EXPECT_EQ(statuses.join(QLatin1Char(',')),
              QStringLiteral("fehlerhaft,fehlerhaft,fehlerfrei,fehlerfrei,fehlerfrei,fehlerfrei,"
                             "fehlerfrei,fehlerfrei,fehlerhaft,fehlerfrei"));
    EXPECT_EQ(findings.join(QLatin1Char('\n')).toStdString(), expected);
    // The double-click closed both windows and turned to the finding's table.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(window->session().current_table(), c.table);
    EXPECT_EQ(window->table_tabs(kClassSheet)->currentIndex(), c.page);
    if (c.table == 0) {
      const Grid& t0 = window->store().GridOf("Bog3Tab0");
      EXPECT_EQ(std::pair(t0.CurrentCol(), t0.CurrentRow()), std::pair(5, 2));
    }
  }
  EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.messages);
}

}  // namespace
}  // namespace tabulon::gui

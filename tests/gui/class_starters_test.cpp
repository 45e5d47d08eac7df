// The starters of the class-wide tests in the real window: the two tool buttons, the two buttons
// on "Tab. 0", the menu items and the test of "Tab. 4.1"; and the summary window's findings list,
// from which a double-click shows the finding's table.
#include <gmock/gmock.h>

#include <QListWidget>

#include "gui/error_window.h"
#include "gui_test_base.h"
#include "sheets/class/class_fixture.h"

namespace tabulon::gui {
namespace {

using ::testing::ElementsAre;

constexpr int kClassSheet = 3;

class ClassStartersTest : public GuiTestBase {
 protected:
  void Open(const char* table0) {
    if (*table0) WriteBytes(dir / "4711" / "KLASSE" / "ZIM00300.CSV", table0);
    OpenSchool(testing::kClassKeyFiles);
    window->sheet_tabs()->setCurrentIndex(kClassSheet);
  }
  QAction* Action(const char* name) const { return window->action(QString::fromLatin1(name)); }
  std::vector<std::function<void()>> Starters() {
    return {[this] { Action("ClassAllTests")->trigger(); },
            [this] { Action("ClassFootnotes")->trigger(); },
            [this] { Click(3, 0, PageAction::kAllClassTests); },
            [this] { Click(3, 0, PageAction::kFootnoteTest); },
            [this] { Action("ClassAllTestsMenu")->trigger(); },
            [this] { Action("ClassFootnotesMenu")->trigger(); }};
  }
};

TEST_F(ClassStartersTest, EachStarterChecksForAClassAndOpensItsWindow) {
  Open("");
  EXPECT_TRUE(Action("ClassAllTests")->isEnabled() && Action("ClassFootnotes")->isEnabled());
  ui.messages.clear();
  for (const auto& start : Starters()) start();
  const RecordedMessage none{MessageKind::kInformation, "Keine Klasse ausgewählt oder vorhanden!"};
  const RecordedMessage choose{MessageKind::kError,
                               "Sie müssen für diesen Test\reine Klasse auswählen!"};
  EXPECT_THAT(ui.messages, ElementsAre(none, none, choose, choose, choose, choose));
  window->sheet_tabs()->setCurrentIndex(kClassSheet - 1);
  EXPECT_FALSE(Action("ClassAllTests")->isEnabled() || Action("ClassFootnotes")->isEnabled());

  window->sheet_tabs()->setCurrentIndex(kClassSheet);
  window->session().AddClass("ZIM003", "");
  ui.messages.clear();
  QStringList seen;
  auto close_next = [&] {
    OnNextModal([&](QWidget* modal) {
      seen << modal->objectName() + QLatin1Char(' ') + modal->windowTitle();
      modal->close();
    });
  };
  for (const auto& start : Starters()) {
    close_next();
    start();
  }
  window->table_tabs(kClassSheet)->setCurrentIndex(5);  // "Tab. 4.1"
  close_next();
  Click(3, 10, PageAction::kPlausi);
  const QString summary = QStringLiteral(
      "TFehlerAnzeigeAlle Zusammenfassender Plausi-Test über alle Bögen einer Klasse");
  const QString footnotes = QStringLiteral(
      "TFehlerfenster interner Plausi-Test: Plausi über mehrere Klassenbögen (Fußnoten a..h)");
  EXPECT_EQ(seen, (QStringList{summary, footnotes, summary, footnotes, summary, footnotes,
                               QStringLiteral("TFehlerfenster interner Plausi-Test: Klassenbogen "
                                              "- Tab.: Anzahl gelernter Fremdsprachen")}));
  EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.messages);
}

TEST_F(ClassStartersTest, AFindingOfTheSummaryShowsItsTable) {
  // Grade 9 in table 0; tables 1 and 8 have no sum row, table 8 no group.
  Open("ES001;ES002;ES003;ES004;ES005;ES006\r\n4711;020;003;1;9;\r\n");
  const std::string expected =
      "[17]  Tab. 0  |  Spalte: Jahrgangsstufe (ES005)  |  Zeile 2: Meldung\n"
      "[231]  Tab. 1  |  (betrifft keine einzelne Zelle)\n"
      "[231]  Tab. 8  |  (betrifft keine einzelne Zelle)\n"
      "[242]  Tab. 8  |  (betrifft keine einzelne Zelle)";
  // From "Tab. 5": a finding with a cell, then one that names only its table.
  const struct { int item, table, page; } choices[] = {{0, 0, 0}, {3, 8, 9}};
  for (const auto& c : choices) {
    window->table_tabs(kClassSheet)->setCurrentIndex(6);
    QStringList statuses, findings;
    OnNextModal([&](QWidget* modal) {
      auto* w = qobject_cast<ErrorWindow*>(modal);
      ASSERT_NE(w, nullptr);
      for (int k = 0; k < 10; ++k) statuses << w->status_field(k)->text();
      OnNextModal([&](QWidget* list_dialog) {
        auto* list = list_dialog->findChild<QListWidget*>(QStringLiteral("findings"));
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
    Action("ClassAllTests")->trigger();
    EXPECT_EQ(statuses.join(QLatin1Char(',')),
              QStringLiteral("fehlerhaft,fehlerhaft,fehlerfrei,fehlerfrei,fehlerfrei,fehlerfrei,"
                             "fehlerfrei,fehlerfrei,fehlerhaft,fehlerfrei"));
    EXPECT_EQ(findings.join(QLatin1Char('\n')).toStdString(), expected);
    // The double-click closed both windows and turned to the finding's table.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(window->session().current_table(), c.table);
    EXPECT_EQ(window->table_tabs(kClassSheet)->currentIndex(), c.page);
    const Grid& t0 = window->store().GridOf("Bog3Tab0");
    if (c.table == 0) EXPECT_EQ(std::pair(t0.CurrentCol(), t0.CurrentRow()), std::pair(5, 2));
  }
}

}  // namespace
}  // namespace tabulon::gui

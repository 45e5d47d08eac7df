// The real main window on the class sheet of a temporary program directory: creating a class with
// the fields and the add button; the starters of the class-wide tests (the two tool buttons, the
// two buttons on "Tab. 0", the menu items and the test of "Tab. 4.1"); and the summary window's
// findings list, from which a double-click shows the finding's table.
#include <gmock/gmock.h>

#include <QLabel>

#include "files/files.h"
#include "gui_test_base.h"
#include "sheets/class/class_fixture.h"

namespace tabulon::gui {
namespace {

using ::testing::ElementsAre;

constexpr int kClassSheet = 3;

class ClassWindowTest : public GuiTestBase {
 protected:
  // Opens the class sheet; `table0` is table 0 of class ZIM003 unless empty.
  void Open(const char* table0 = "",
            std::initializer_list<const char*> key_files = testing::kClassKeyFiles) {
    if (*table0) WriteBytes(ClassFile("ZIM00300.CSV"), table0);
    OpenSchool(key_files);
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
  void TypeInto(const char* name, const QString& text) {
    auto* field = window->findChild<QLineEdit*>(name);
    ASSERT_NE(field, nullptr);
    field->setFocus();
    field->clear();
    field->insert(text);
  }
};

TEST_F(ClassWindowTest, CreateAClassAndSwitchPagesWritesItsFiles) {
  Open("", {"SSSA.SSD", "SSVB.SSD", "SSVB0.SSD"});
  EXPECT_THAT(ui.messages, ElementsAre(RecordedMessage{MessageKind::kInformation,
                                                       "\rSie haben keine Klasse eingegeben!\r"}));
  TypeInto("NewClassField", QStringLiteral("ZIM003"));
  TypeInto("SchoolNameField", QStringLiteral("ZIM32"));
  Click(3, 0, PageAction::kAddClass);
  auto* list = window->findChild<QListWidget*>("ClassList");
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_EQ(window->findChild<QLabel*>("ClassIdField")->text(), QStringLiteral("ZIM003"));
  // The class exists on disk with its first save.
  EXPECT_TRUE(window->session().changed());
  EXPECT_FALSE(fs::exists(ClassFile("ZIM00300.CSV")));
  window->table_tabs(kClassSheet)->setCurrentIndex(1);
  EXPECT_EQ(ReadBytes(ClassFile("ZIM00300.CSV")),
            "ES001;ES002;ES003;ES004;ES005;ES006\r\n4711;;;;;\r\n");
  EXPECT_EQ(ReadBytes(dir.path() / "ZIM003ID.CSV"),
            "ZIM003;\r\nZIM32;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n");
  // Table 9 comes up with its total block.
  window->table_tabs(kClassSheet)->setCurrentIndex(10);
  EXPECT_EQ(window->store().GridOf("Bog3Tab9").Cell(3, 2), "9999");
}

TEST_F(ClassWindowTest, EachStarterChecksForAClassAndOpensItsWindow) {
  Open();
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

TEST_F(ClassWindowTest, AFindingOfTheSummaryShowsItsTable) {
  // Grade 9 in table 0; tables 1 and 8 have no sum row, table 8 no group.
  Open("ES001;ES002;ES003;ES004;ES005;ES006\r\n4711;020;003;1;9;\r\n");
  const QStringList expected = {
      "[17]  Tab. 0  |  Spalte: Jahrgangsstufe (ES005)  |  Zeile 2: Meldung",
      "[231]  Tab. 1  |  (betrifft keine einzelne Zelle)",
      "[231]  Tab. 8  |  (betrifft keine einzelne Zelle)",
      "[242]  Tab. 8  |  (betrifft keine einzelne Zelle)"};
  // From "Tab. 5": a finding with a cell, then one that names only its table.
  const struct { int item, table, page; } choices[] = {{0, 0, 0}, {3, 8, 9}};
  for (const auto& c : choices) {
    window->table_tabs(kClassSheet)->setCurrentIndex(6);
    QStringList statuses, findings;
    ChooseFromNextErrorWindow(c.item, findings, [&](ErrorWindow& w) {
      for (int k = 0; k < 10; ++k) statuses << w.status_field(k)->text();
    });
    Action("ClassAllTests")->trigger();
    EXPECT_EQ(statuses.join(QLatin1Char(',')),
              QStringLiteral("fehlerhaft,fehlerhaft,fehlerfrei,fehlerfrei,fehlerfrei,fehlerfrei,"
                             "fehlerfrei,fehlerfrei,fehlerhaft,fehlerfrei"));
    EXPECT_EQ(findings, expected);
    // The double-click closed both windows and turned to the finding's table.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(window->session().current_table(), c.table);
    EXPECT_EQ(window->table_tabs(kClassSheet)->currentIndex(), c.page);
    const Grid& t0 = window->store().GridOf("Bog3Tab0");
    if (c.table == 0) {
      EXPECT_EQ(std::pair(t0.CurrentCol(), t0.CurrentRow()), std::pair(5, 2));
    }
  }
}

}  // namespace
}  // namespace tabulon::gui

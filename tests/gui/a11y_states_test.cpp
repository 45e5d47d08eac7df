// What a screen reader hears beyond names: which grid cells can be edited, the error window's
// protocol line by line with each line's status in words, and the teacher and class sheets
// walked by keys alone.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTest>

#include "gui/error_window.h"
#include "gui/grid_view.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"
#include "gui/table_page.h"
#include "gui_test_base.h"
#include "support/program_dir.h"

namespace tabulon::gui {
namespace {

QWidget* Focus() { return QApplication::focusWidget(); }

void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  ASSERT_NE(Focus(), nullptr) << "no widget has the keyboard focus";
  QTest::keyClick(Focus(), key, mods);
}

TEST(GridCellStateTest, DataCellsAreEditableHeadersAreNotAlsoAfterARebuild) {
  Grid grid(4, 5);
  grid.SetFixedCols(1);
  grid.SetCell(1, 0, "Spalte");
  grid.SetCell(0, 2, "Zeile");
  GridView view;
  view.SetGrid(&grid);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  for (int round = 0; round < 2; ++round) {
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(&view)->tableInterface();
    ASSERT_NE(table, nullptr);
    QAccessibleInterface* cell = table->cellAt(1, 0);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_TRUE(cell->state().editable);
    EXPECT_FALSE(cell->state().readOnly);
    QAccessibleTableCellInterface* place = cell->tableCellInterface();
    ASSERT_NE(place, nullptr);
    ASSERT_EQ(place->columnHeaderCells().size(), 1);
    ASSERT_EQ(place->rowHeaderCells().size(), 1);
    EXPECT_EQ(place->rowHeaderCells()[0]->text(QAccessible::Name), QStringLiteral("Zeile"));
    for (QAccessibleInterface* header :
         {place->columnHeaderCells()[0], place->rowHeaderCells()[0]}) {
      EXPECT_FALSE(header->state().editable) << S(header->text(QAccessible::Name));
    }
    // The cell is a child of the grid where the toolkit counts it, headers included.
    QAccessibleInterface* grid_iface = QAccessible::queryAccessibleInterface(&view);
    const int index = grid_iface->indexOfChild(cell);
    ASSERT_GE(index, 0);
    EXPECT_EQ(grid_iface->child(index), cell);
    EXPECT_EQ(cell->parent(), grid_iface);
    // The current cell is the grid's focus child.
    view.setFocus();
    view.setCurrentIndex(view.model()->index(2, 1));
    QAccessibleInterface* focus = grid_iface->focusChild();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->tableCellInterface()->rowIndex(), 2);
    EXPECT_TRUE(focus->state().editable);
    // A table shown anew: the view reports the reset (as it does while a screen reader
    // listens) and the cells are made again.
    grid.SetRowCount(7);
    view.Rebuilt();
    QAccessibleTableModelChangeEvent reset(&view, QAccessibleTableModelChangeEvent::ModelReset);
    grid_iface->tableInterface()->modelChange(&reset);
  }
}

TEST(ErrorWindowProtocolTest, EachLineIsAListItemThatSaysItsStatusInWords) {
  ErrorProtocol protocol;
  protocol.caption = "interner Plausi-Test";
  protocol.verdict = "Test nicht bestanden!";
  struct Line {
    ProtocolLineKind kind;
    ProtocolColour colour;
    const char* text;
    const char* spoken;
  };
  const Line lines[] = {
      {ProtocolLineKind::kHeading, ProtocolColour::kBlack, "[7]  Werte", "[7]  Werte"},
      {ProtocolLineKind::kPassed, ProtocolColour::kGreen, "  --->  leer", "bestanden: leer"},
      {ProtocolLineKind::kFailed, ProtocolColour::kRed, "  --->  belegt", "Fehler: belegt"},
      {ProtocolLineKind::kHint, ProtocolColour::kBlue, "  --->  prüfen", "Hinweis: prüfen"},
  };
  for (const Line& l : lines) protocol.lines.push_back({7, l.kind, l.text, l.colour});
  ErrorWindow w(ErrorWindowKind::kFehlerfenster);
  w.Show(protocol, {});
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  // The arrow keys read the protocol from its first line.
  EXPECT_EQ(Focus(), w.protocol_box());
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(w.protocol_box());
  ASSERT_EQ(list->childCount(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(w.protocol_box()->item(i)->text(), QString::fromUtf8(lines[i].text));
    EXPECT_EQ(list->child(i)->text(QAccessible::Name), QString::fromUtf8(lines[i].spoken));
  }
  EXPECT_EQ(w.protocol_box()->currentRow(), 0);
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  EXPECT_EQ(list->focusChild()->text(QAccessible::Name), QStringLiteral("Fehler: belegt"));
  Key(Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
}

TEST(ErrorWindowProtocolTest, ALargeFontGrowsTheWindowInsteadOfCuttingItsTexts) {
  const QFont normal = QApplication::font();
  QFont large = normal;
  large.setPointSizeF(normal.pointSizeF() * 2.5);
  QApplication::setFont(large);
  ErrorWindow w(ErrorWindowKind::kFehlerAnzeigeAlle);
  QApplication::setFont(normal);
  EXPECT_GE(w.width(), w.sizeHint().width());
  EXPECT_GE(w.height(), w.sizeHint().height());
  EXPECT_GT(w.height(), 432);
}

TEST(GridScalingTest, ALargeFontHeightensRowsAndWidensLabelsSoNoTextIsCut) {
  Grid grid(3, 4);
  grid.SetDefaultColWidth(60);
  grid.SetColWidth(0, 90);
  grid.SetCell(0, 2, "Erfassungsspalte");
  grid.SetCell(1, 0, "Jahrgangsstufe");
  const QFont normal = QApplication::font();
  QFont large = normal;
  large.setPointSizeF(normal.pointSizeF() * 2.5);
  QApplication::setFont(large);
  GridView view;
  QApplication::setFont(normal);
  view.SetGrid(&grid);
  QFont bold = view.font();
  bold.setBold(true);
  const QFontMetrics fm(bold);
  EXPECT_GE(view.verticalHeader()->sectionSize(0), fm.height());
  EXPECT_GE(view.verticalHeader()->width(),
            fm.horizontalAdvance(QStringLiteral("Erfassungsspalte")));
  EXPECT_GE(view.horizontalHeader()->sectionSize(0),
            fm.horizontalAdvance(QStringLiteral("Jahrgangsstufe")));
}

class SheetWalkTest : public GuiTestBase {
 protected:
  void Open() {
    testing::CopyKeyFiles(dir.path());
    testing::WriteSchoolSettings(dir.path(), "4711", true,
                                 [](Settings& s) { s.backup_at_start = 0; });
    CreateWindow();
    ui.answers = {false};  // the backup question of the start-up timer
    ShowWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.questions.empty(); }, 5000));
    ui.questions.clear();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  TablePageWidget* Page() const {
    return qobject_cast<TablePageWidget*>(
        window->table_tabs(window->sheet_tabs()->currentIndex())->currentWidget());
  }
  // F6 until `target` has the focus; false when a full round does not reach it.
  bool F6To(QWidget* target) {
    for (int i = 0; i < 8 && Focus() != target; ++i) QTest::keyClick(Focus(), Qt::Key_F6);
    return Focus() == target;
  }
  void AddClassByKeys(const QString& id) {
    ASSERT_TRUE(F6To(Page()->class_list()));
    for (int i = 0; i < 12 && Focus() != Page()->new_class_field(); ++i) Key(Qt::Key_Tab);
    ASSERT_EQ(Focus(), Page()->new_class_field());
    QTest::keyClicks(Focus(), id);
    auto* add = window->findChild<QPushButton*>(
        QStringLiteral("Button_3_0_%1").arg(static_cast<int>(PageAction::kAddClass)));
    ASSERT_NE(add, nullptr);
    const QString text = add->text();
    const int amp = static_cast<int>(text.indexOf(QLatin1Char('&')));
    ASSERT_GE(amp, 0) << S(text);
    Key(static_cast<Qt::Key>(text[amp + 1].toUpper().unicode()), Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->session().current_class() == S(id); }, 3000));
  }
};

// Class sheet: two classes made and chosen with the keyboard alone; then a class table.
TEST_F(SheetWalkTest, ClassesAreMadeAndChosenByKeysAlone) {
  Open();
  Key(Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(window->session().current_sheet(), Sheet::kClass);
  AddClassByKeys(QStringLiteral("ZIM003"));
  AddClassByKeys(QStringLiteral("ABC001"));
  ASSERT_TRUE(F6To(Page()->class_list()));
  EXPECT_EQ(Page()->class_list()->currentItem()->text(), QStringLiteral("ABC001"));
  Key(Qt::Key_Down);
  EXPECT_EQ(window->session().current_class(), "ZIM003");
  EXPECT_EQ(window->findChild<QLabel*>("ClassIdField")->text(), QStringLiteral("ZIM003"));
  Key(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(window->session().current_table(), 1);
  EXPECT_EQ(Focus(), Page()->FirstGrid());
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Focus())->text(QAccessible::Name),
            QStringLiteral("Klassen-Tabelle 1 (Tab. 1)"));
}

// Teacher sheet: the page with the teacher list and table 0 has two grids; the keys reach both
// and every button, and the next page.
TEST_F(SheetWalkTest, TeacherPagesAreWalkedByKeysAlone) {
  Open();
  Key(Qt::Key_PageDown, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(window->session().current_sheet(), Sheet::kTeacher);
  TablePageWidget* page = Page();
  ASSERT_EQ(page->views().size(), 2u);
  QSet<QWidget*> reached;
  ASSERT_TRUE(F6To(page->FirstGrid()));
  for (int i = 0; i < 20; ++i) {
    reached.insert(Focus());
    // Ctrl+Tab leaves a grid at once; elsewhere Tab goes on.
    Key(Qt::Key_Tab, qobject_cast<GridView*>(Focus()) ? Qt::ControlModifier : Qt::NoModifier);
  }
  for (const auto& [definition, view] : page->views()) {
    EXPECT_TRUE(reached.contains(view)) << definition;
  }
  for (QPushButton* b : page->findChildren<QPushButton*>()) {
    if (b->isVisible() && b->isEnabled()) EXPECT_TRUE(reached.contains(b)) << S(b->text());
  }
  Key(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(window->session().current_table(), 1);
  EXPECT_EQ(Focus(), Page()->FirstGrid());
}

}  // namespace
}  // namespace tabulon::gui

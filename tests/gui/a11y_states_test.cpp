// What a screen reader hears beyond names: which grid cells can be edited, the error window's
// protocol line by line with each line's status in words; a large font; the class sheet walked
// by keys alone.

#include <QAccessible>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>

#include "gui/error_window.h"
#include "gui/table_page.h"
#include "gui_test_base.h"

namespace tabulon::gui {
namespace {

TEST(GridCellStateTest, DataCellsAreEditableHeadersAreNotAlsoAfterARebuild) {
  Grid grid(4, 5);
  grid.SetCell(0, 2, "Zeile");
  GridView view;
  view.SetGrid(&grid);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  for (int round = 0; round < 2; ++round) {
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view);
    QAccessibleInterface* cell = table->tableInterface()->cellAt(1, 0);
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(cell->state().editable);
    EXPECT_FALSE(cell->state().readOnly);
    QAccessibleTableCellInterface* place = cell->tableCellInterface();
    ASSERT_EQ(place->rowHeaderCells().size(), 1);
    EXPECT_EQ(place->rowHeaderCells()[0]->text(QAccessible::Name), QStringLiteral("Zeile"));
    EXPECT_FALSE(place->rowHeaderCells()[0]->state().editable);
    EXPECT_FALSE(place->columnHeaderCells()[0]->state().editable);
    // Where the toolkit counts it among the grid's children, headers included.
    EXPECT_EQ(table->child(table->indexOfChild(cell)), cell);
    EXPECT_EQ(cell->parent(), table);
    view.setCurrentIndex(view.model()->index(2, 1));
    ASSERT_NE(table->focusChild(), nullptr);
    EXPECT_EQ(table->focusChild()->tableCellInterface()->rowIndex(), 2);
    EXPECT_TRUE(table->focusChild()->state().editable);
    // A table shown anew: the view reports the reset (as it does while a screen reader
    // listens) and the cells are made again.
    grid.SetRowCount(7);
    view.Rebuilt();
    QAccessibleTableModelChangeEvent reset(&view, QAccessibleTableModelChangeEvent::ModelReset);
    table->tableInterface()->modelChange(&reset);
  }
}

TEST(ErrorWindowProtocolTest, EachLineIsAListItemThatSaysItsStatusInWords) {
  ErrorProtocol protocol;
  protocol.verdict = "Test nicht bestanden!";
  struct Line {
    ProtocolLineKind kind;
    const char* text;
    const char* spoken;
  };
  const Line lines[] = {
      {ProtocolLineKind::kHeading, "[7]  Werte", "[7]  Werte"},
      {ProtocolLineKind::kPassed, "  --->  leer", "bestanden: leer"},
      {ProtocolLineKind::kFailed, "  --->  belegt", "Fehler: belegt"},
      {ProtocolLineKind::kHint, "  --->  prüfen", "Hinweis: prüfen"},
  };
  for (const Line& l : lines) protocol.lines.push_back({7, l.kind, l.text});
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
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  EXPECT_EQ(list->focusChild()->text(QAccessible::Name), QStringLiteral("Fehler: belegt"));
  Key(Qt::Key_Return);  // the list passes it on to "Beenden"
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST(LargeFontTest, GridRowsLabelsTitlesAndTheErrorWindowGrowSoNoTextIsCut) {
  Grid grid(3, 4);
  grid.SetColWidth(0, 90);
  grid.SetColWidth(1, 60);
  grid.SetCell(0, 2, "Erfassungsspalte");
  grid.SetCell(1, 0, "Jahrgangsstufe");
  const QFont normal = QApplication::font();
  QFont large = normal;
  large.setPointSizeF(normal.pointSizeF() * 2.5);
  QApplication::setFont(large);
  GridView view;
  ErrorWindow summary(ErrorWindowKind::kFehlerAnzeigeAlle);
  QApplication::setFont(normal);
  view.SetGrid(&grid);
  QFont bold = view.font();
  bold.setBold(true);
  const QFontMetrics fm(bold);
  EXPECT_GE(view.verticalHeader()->sectionSize(0), fm.height());
  EXPECT_GE(view.verticalHeader()->width(), fm.horizontalAdvance("Erfassungsspalte"));
  EXPECT_GE(view.horizontalHeader()->sectionSize(0), fm.horizontalAdvance("Jahrgangsstufe"));
  EXPECT_GE(summary.size().height(), summary.sizeHint().height());
  EXPECT_GT(summary.size().height(), 432);
}

// Two classes made and chosen with the keyboard alone (list, field, add button by its letter).
TEST_F(GuiTestBase, ClassesAreMadeAndChosenByKeysAlone) {
  OpenSchool();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  Key(Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(window->session().current_sheet(), Sheet::kClass);
  auto* page = qobject_cast<TablePageWidget*>(window->table_tabs(3)->currentWidget());
  auto* add = window->findChild<QPushButton*>(
      QStringLiteral("Button_3_0_%1").arg(static_cast<int>(PageAction::kAddClass)));
  const QString add_text = add->text();
  const QChar letter = add_text[add_text.indexOf(QLatin1Char('&')) + 1].toUpper();
  auto f6_to_list = [&] {
    for (int i = 0; i < 8 && Focus() != page->class_list(); ++i) Key(Qt::Key_F6);
    return Focus() == page->class_list();
  };
  for (const char* id : {"ZIM003", "ABC001"}) {
    ASSERT_TRUE(f6_to_list());
    for (int i = 0; i < 12 && Focus() != page->new_class_field(); ++i) Key(Qt::Key_Tab);
    ASSERT_EQ(Focus(), page->new_class_field());
    QTest::keyClicks(Focus(), QString::fromLatin1(id));
    Key(static_cast<Qt::Key>(letter.unicode()), Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->session().current_class() == id; }, 3000));
  }
  ASSERT_TRUE(f6_to_list());
  Key(Qt::Key_Down);
  EXPECT_EQ(window->session().current_class(), "ZIM003");
  EXPECT_EQ(window->findChild<QLabel*>("ClassIdField")->text(), QStringLiteral("ZIM003"));
}

}  // namespace
}  // namespace tabulon::gui

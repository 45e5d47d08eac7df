// The main window as a screen reader and a keyboard-only user meet it: names, roles and states
// through the accessibility interfaces (which grid cells can be edited, the error window's protocol
// line by line with each line's status in words), a large font, and walks through the program by
// keys alone.
#include <gmock/gmock.h>

#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include "files/files.h"
#include "gui/dialogs.h"
#include "gui/error_window.h"
#include "gui/qt_text.h"
#include "gui/table_page.h"
#include "gui_test_base.h"

namespace tabulon::gui {
namespace {

using ::testing::HasSubstr;

QString NameOf(QObject* o) {
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
  return i ? i->text(QAccessible::Name) : QString();
}

QAccessible::State StateOf(QObject* o) {
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
  return i ? i->state() : QAccessible::State();
}

// The letter after a single "&" of a caption, lower case; a null character when there is none.
QChar MnemonicOf(const QString& text) {
  for (int i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == QLatin1Char('&')) {
      if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toLower();
      ++i;
    }
  }
  return {};
}

class AccessibilityTest : public GuiTestBase {
 protected:
  void Open() {
    OpenSchool(testing::kSchoolKeyFiles, [](Settings& s) { s.log_all_tests = 1; });
    Activate();
  }
  // The window system gives the window the keyboard (after a modal dialog the test platform
  // does not do so by itself).
  void Activate() {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  QTabBar* TableTabs(int sheet) const { return window->table_tabs(sheet)->tabBar(); }
  QPushButton* PageButton(int table, const char* caption) const {
    for (QPushButton* b : window->table_tabs(1)->widget(table)->findChildren<QPushButton*>()) {
      if (QString(b->text()).remove(QLatin1Char('&')) == QString::fromUtf8(caption)) return b;
    }
    ADD_FAILURE() << caption;
    return nullptr;
  }
  // Presses Alt and the button's mnemonic.
  void PressByMnemonic(QPushButton* button) {
    const QChar letter = MnemonicOf(button->text());
    ASSERT_FALSE(letter.isNull()) << S(button->text());
    Key(static_cast<Qt::Key>(letter.toUpper().unicode()), Qt::AltModifier);
  }
};

// ---------------------------------------------------------------- names, roles, states

TEST_F(AccessibilityTest, EveryFocusableControlOnEveryPageHasAMeaningfulName) {
  Open();
  const QRegularExpression internal(
      QStringLiteral("^(Bog\\d|StringGrid|Button_|SpeedButton|[A-Z]$)"));
  int checked = 0;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!(w->focusPolicy() & Qt::TabFocus) || w->isHidden()) continue;
    // Viewports pass the focus to their view; the view is what is announced.
    if (w->focusProxy()) continue;
    const QString name = NameOf(w);
    EXPECT_FALSE(name.trimmed().isEmpty())
        << w->metaObject()->className() << " " << S(w->objectName());
    EXPECT_FALSE(internal.match(name).hasMatch()) << S(name);
    EXPECT_NE(name, w->objectName()) << S(name);
    ++checked;
  }
  // Tool buttons, tab bars, grids and page buttons of all sheets.
  EXPECT_GT(checked, 60);
}

TEST_F(AccessibilityTest, ToolButtonsAreFocusableAndNamedByWhatTheyDo) {
  Open();
  const std::pair<const char*, const char*> expected[] = {
      {"FileSave", "aktuelle Datei speichern"},
      {"CalcSubtotals", "Zwischensummen-Zeilen berechnen"},
      {"CalcColumns", "zusammenfassende Spalte(n) berechnen"},
      {"CalcRow", "Zusammenfassende Zeile/Summe berechnen"},
      {"ClassAllTests", "alle PLAUSI's einer Klasse"},
      {"ClassFootnotes", "Quertest: Fußnoten a .. h"},
      {"PlausiRun", "PLAUSI durchführen"},
  };
  auto* bar = window->findChild<QToolBar*>(QStringLiteral("ToolBar"));
  ASSERT_NE(bar, nullptr);
  for (const auto& [action, name] : expected) {
    QWidget* button = bar->widgetForAction(window->action(QString::fromLatin1(action)));
    ASSERT_NE(button, nullptr) << action;
    EXPECT_EQ(NameOf(button), QString::fromUtf8(name));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->role(), QAccessible::Button);
    EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << action;
  }
}

// The toggle suppresses exactly one save; its name and state follow it.
TEST_F(AccessibilityTest, SuspendToggleIsNamedByItsCaptionAndSuppressesExactlyOneSave) {
  Open();
  QToolButton* toggle = window->suspend_toggle();
  EXPECT_EQ(NameOf(toggle), QStringLiteral("Speichern aussetzen"));
  EXPECT_FALSE(StateOf(toggle).checked);
  EXPECT_TRUE(StateOf(toggle).checkable);
  toggle->setFocus();
  Key(Qt::Key_Space);
  EXPECT_EQ(toggle->text(), QStringLiteral("Speichern ausgeschaltet!"));
  EXPECT_EQ(NameOf(toggle), QStringLiteral("Speichern ausgeschaltet!"));
  EXPECT_TRUE(StateOf(toggle).checked);
  Key(Qt::Key_Space);
  EXPECT_EQ(NameOf(toggle), QStringLiteral("Speichern aussetzen"));
  EXPECT_FALSE(StateOf(toggle).checked);
  Key(Qt::Key_Space);
  ShowTable(1);
  EXPECT_FALSE(fs::exists(testing::SchoolTableFile(dir.path() / "4711", "4711", 0)));
  EXPECT_EQ(toggle->text(), QStringLiteral("Speichern aussetzen"));
  EXPECT_FALSE(StateOf(toggle).checked);
  ShowTable(0);
  EXPECT_TRUE(fs::exists(testing::SchoolTableFile(dir.path() / "4711", "4711", 1)));
}

TEST_F(AccessibilityTest, GridsAreNamedByTitleAndPageAndKeepTheirHeaders) {
  Open();
  struct Case {
    int table;
    const char* name;
  };
  for (const Case& c :
       {Case{0, "Schul-Tabelle 0 (Tabelle 0)"}, Case{1, "Schul-Tabelle 1 (Tabelle 1)"},
        Case{4, "Schul-Tabelle 4 (Tabelle 4)"}}) {
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(View(c.table));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->text(QAccessible::Name), QString::fromUtf8(c.name));
    EXPECT_EQ(grid->text(QAccessible::Description), QStringLiteral("Schul-Bogen"));
    EXPECT_EQ(grid->role(), QAccessible::Table);
  }
  // The headers of a cell are the grid's column title and row label.
  window->table_tabs(1)->setCurrentIndex(1);
  GridView* view = View(1);
  QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(view)->tableInterface();
  ASSERT_NE(table, nullptr);
  QAccessibleInterface* cell = table->cellAt(1, 1);
  ASSERT_NE(cell, nullptr);
  QAccessibleTableCellInterface* cell_table = cell->tableCellInterface();
  ASSERT_NE(cell_table, nullptr);
  ASSERT_EQ(cell_table->columnHeaderCells().size(), 1);
  EXPECT_EQ(cell_table->columnHeaderCells()[0]->text(QAccessible::Name),
            view->model()->headerData(1, Qt::Horizontal).toString());
  ASSERT_EQ(cell_table->rowHeaderCells().size(), 1);
  EXPECT_EQ(cell_table->rowHeaderCells()[0]->text(QAccessible::Name),
            view->model()->headerData(1, Qt::Vertical).toString());
}

TEST_F(AccessibilityTest, PageControlsAreNamedAndReportTheSelectedTab) {
  Open();
  EXPECT_EQ(NameOf(window->sheet_tabs()->tabBar()), QStringLiteral("Statistik-Bögen"));
  EXPECT_EQ(NameOf(TableTabs(1)), QStringLiteral("Tabellen: Schule"));
  EXPECT_EQ(NameOf(TableTabs(3)), QStringLiteral("Tabellen: Klasse"));
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(TableTabs(1));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->role(), QAccessible::PageTabList);
  ASSERT_EQ(bar->childCount(), 5);
  auto selected = [&] {
    QStringList out;
    for (int i = 0; i < bar->childCount(); ++i) {
      QAccessibleInterface* tab = bar->child(i);
      EXPECT_EQ(tab->role(), QAccessible::PageTab);
      EXPECT_EQ(bar->indexOfChild(tab), i);
      if (tab->state().selected) out << tab->text(QAccessible::Name);
    }
    return out;
  };
  EXPECT_EQ(selected(), QStringList{QStringLiteral("Tabelle 0")});
  window->table_tabs(1)->setCurrentIndex(2);
  EXPECT_EQ(selected(), QStringList{QStringLiteral("Tabelle 2")});
  // The tab's press action turns to its page, as a click does.
  QAccessibleActionInterface* press = bar->child(3)->actionInterface();
  ASSERT_NE(press, nullptr);
  press->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(window->table_tabs(1)->currentIndex(), 3);
  EXPECT_EQ(selected(), QStringList{QStringLiteral("Tabelle 3")});
  // The disabled quick report's tab says so.
  QAccessibleInterface* sheets =
      QAccessible::queryAccessibleInterface(window->sheet_tabs()->tabBar());
  EXPECT_TRUE(sheets->child(0)->state().disabled);
  EXPECT_EQ(sheets->child(1)->text(QAccessible::Name), QStringLiteral("Schule"));
  EXPECT_EQ(sheets->child(1)->text(QAccessible::Description), QStringLiteral("Schul-Bogen"));
  // The class sheet's list and field.
  EXPECT_EQ(NameOf(Child<QListWidget>(*window, "ClassList")), QStringLiteral("Klassen"));
  EXPECT_THAT(S(NameOf(Child<QLineEdit>(*window, "NewClassField"))), HasSubstr("neue Klasse"));
}

// ---------------------------------------------------------------- mnemonics

TEST(MnemonicTest, WordStartsFirstThenAnyFreeLetterNeverReservedOrTwice) {
  struct Case {
    QStringList captions;
    QString reserved;
    QStringList expected;
  };
  const Case cases[] = {
      {{QStringLiteral("interne PLAUSI: Tabelle 1"), QStringLiteral("Tabelle kopieren"),
        QStringLiteral("Daten kopieren")},
       QStringLiteral("DrToEHBM"),
       {QStringLiteral("&interne PLAUSI: Tabelle 1"), QStringLiteral("Tabelle &kopieren"),
        QStringLiteral("D&aten kopieren")}},
      // "+" is no letter; the second "Zeile" caption finds its letter inside the word.
      {{QStringLiteral("++ neue Zeilen"), QStringLiteral("+ neue Zeile")},
       QString(),
       {QStringLiteral("++ &neue Zeilen"), QStringLiteral("+ neue &Zeile")}},
      // Umlauts are no mnemonics; a caption with no free letter keeps its text.
      {{QStringLiteral("ab"), QStringLiteral("Ba"), QStringLiteral("Übel & ab")},
       QString(),
       {QStringLiteral("&ab"), QStringLiteral("&Ba"), QStringLiteral("Üb&el && ab")}},
      // Letters first, digits where no letter is free; an earlier caption yields a letter it
      // can replace.
      {{QStringLiteral("2008 ==> 2009, ..."), QStringLiteral("x1"), QStringLiteral("xy"),
        QStringLiteral("y")},
       QString(),
       {QStringLiteral("&2008 ==> 2009, ..."), QStringLiteral("x&1"), QStringLiteral("&xy"),
        QStringLiteral("&y")}},
      {{QStringLiteral("ab"), QStringLiteral("ba")},
       QStringLiteral("AB"),
       {QStringLiteral("ab"), QStringLiteral("ba")}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithMnemonics(c.captions, c.reserved), c.expected) << S(c.captions.join('|'));
  }
}

TEST_F(AccessibilityTest, PageButtonsHaveMnemonicsThatClashNeitherOnThePageNorWithTheMenus) {
  Open();
  QString menu_letters;
  for (QAction* menu : window->menuBar()->actions()) menu_letters += MnemonicOf(menu->text());
  ASSERT_EQ(menu_letters.size(), 8);
  int pages = 0;
  for (TablePageWidget* page : window->findChildren<TablePageWidget*>()) {
    QString used;
    for (QPushButton* b : page->findChildren<QPushButton*>()) {
      if (b->isHidden()) continue;
      const QChar letter = MnemonicOf(b->text());
      ASSERT_FALSE(letter.isNull()) << S(b->text());
      EXPECT_FALSE(menu_letters.contains(letter)) << S(b->text());
      EXPECT_FALSE(used.contains(letter)) << S(b->text());
      used += letter;
      // The name a screen reader announces is the caption (where two grids share a page, with
      // the grid it belongs to).
      EXPECT_THAT(S(NameOf(b)), ::testing::StartsWith(S(QString(b->text()).remove('&'))));
    }
    ++pages;
  }
  EXPECT_EQ(pages, 3 + 5 + 4 + 11);
}

// ---------------------------------------------------------------- keyboard

// Keyboard users see which grid has the focus: a navy frame, gone when the focus leaves; the area
// around the cells keeps the table's colour.
TEST_F(AccessibilityTest, TheGridWithTheFocusIsFramedInNavy) {
  Open();
  GridView* grid = View(0);
  const QColor navy(0x00, 0x00, 0x80);
  auto corner_pixel = [grid] { return grid->grab().toImage().pixelColor(1, 1); };
  grid->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([grid] { return grid->hasFocus(); }));
  EXPECT_EQ(corner_pixel(), navy);
  window->suspend_toggle()->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([grid] { return !grid->hasFocus(); }));
  EXPECT_NE(corner_pixel(), navy);
  // Table 0 has two rows: the bottom of its view is empty, in the colour of its cells.
  const QImage view = grid->viewport()->grab().toImage();
  EXPECT_EQ(view.pixelColor(view.width() - 3, view.height() - 3),
            grid->model()->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color());
}

TEST_F(AccessibilityTest, TabLeavesTheGridAtItsEndsCtrlTabAndEscapeFromAnyCell) {
  Open();
  GridView* grid = View(0);
  grid->setFocus();
  const int rows = grid->model()->rowCount(), cols = grid->model()->columnCount();
  ASSERT_GE(cols, 2);
  Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(grid->currentIndex(), grid->model()->index(0, 0));
  Key(Qt::Key_Tab);
  EXPECT_EQ(Focus(), grid);
  EXPECT_EQ(grid->currentIndex(), grid->model()->index(0, 1));
  // Shift+Tab on the first cell goes to the control before the grid.
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(grid->currentIndex(), grid->model()->index(0, 0));
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_NE(Focus(), grid);
  // Tab on the last cell goes to the control after it: the table's copy button.
  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(rows - 1, cols - 1));
  Key(Qt::Key_Tab);
  ASSERT_NE(Focus(), nullptr);
  EXPECT_EQ(Focus()->objectName(), QStringLiteral("StringGrid4CopyTable"));
  // From an open editor too; what was typed is kept.
  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(rows - 1, cols - 1));
  Key(Qt::Key_F2);
  QTest::keyClicks(Focus(), QStringLiteral("9"));
  Key(Qt::Key_Tab);
  EXPECT_EQ(Focus()->objectName(), QStringLiteral("StringGrid4CopyTable"));
  EXPECT_THAT(grid->grid_model()->grid()->Cell(cols - 1 + grid->grid_model()->grid()->FixedCols(),
                                               rows - 1 + grid->grid_model()->grid()->FixedRows()),
              HasSubstr("9"));

  // Ctrl+Tab and Ctrl+Shift+Tab leave it from any cell, Esc leads to the table tabs.
  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(0, 0));
  Key(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(Focus()->objectName(), QStringLiteral("StringGrid4CopyTable"));
  grid->setFocus();
  Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_NE(Focus(), grid);
  EXPECT_FALSE(grid->isAncestorOf(Focus()));
  // Ctrl+Tab in an open editor.
  grid->setFocus();
  Key(Qt::Key_F2);
  ASSERT_TRUE(qobject_cast<QLineEdit*>(Focus()));
  Key(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(Focus()->objectName(), QStringLiteral("StringGrid4CopyTable"));
  // Esc leads to the table tabs.
  grid->setFocus();
  Key(Qt::Key_Escape);
  EXPECT_EQ(Focus(), TableTabs(1));
}

TEST_F(AccessibilityTest, CtrlPageKeysSwitchTablesAndSheetsThroughTheSession) {
  Open();
  View(0)->setFocus();
  Key(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(window->table_tabs(1)->currentIndex(), 1);
  EXPECT_EQ(window->session().current_table(), 1);
  EXPECT_EQ(Focus(), View(1));
  // The table left was saved, as on a click.
  EXPECT_TRUE(fs::exists(testing::SchoolTableFile(dir.path() / "4711", "4711", 0)));
  Key(Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(window->session().current_table(), 0);
  // Backwards from the first table wraps to the last.
  Key(Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(window->session().current_table(), 4);
  EXPECT_EQ(Focus(), View(4));
  // The next sheet is the teacher sheet; back from the school sheet passes over the disabled
  // quick report to the class sheet.
  Key(Qt::Key_PageDown, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(window->session().current_sheet(), Sheet::kTeacher);
  Key(Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(window->session().current_sheet(), Sheet::kSchool);
  Key(Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(window->session().current_sheet(), Sheet::kClass);
}

TEST_F(AccessibilityTest, F6CyclesThroughTheRegions) {
  Open();
  window->table_tabs(1)->setCurrentIndex(2);
  View(2)->setFocus();
  auto region = [&] {
    QWidget* f = Focus();
    if (f == nullptr) return QStringLiteral("none");
    if (qobject_cast<QToolButton*>(f)) return QStringLiteral("tools");
    if (f == window->sheet_tabs()->tabBar()) return QStringLiteral("sheets");
    if (f == TableTabs(1)) return QStringLiteral("tables");
    if (f == View(2)) return QStringLiteral("grid");
    if (qobject_cast<QPushButton*>(f)) return QStringLiteral("buttons");
    return QString::fromLatin1(f->metaObject()->className());
  };
  QStringList forward;
  for (int i = 0; i < 5; ++i) {
    Key(Qt::Key_F6);
    forward << region();
  }
  EXPECT_EQ(forward, (QStringList{"buttons", "tools", "sheets", "tables", "grid"}));
  QStringList backward;
  for (int i = 0; i < 2; ++i) {
    Key(Qt::Key_F6, Qt::ShiftModifier);
    backward << region();
  }
  EXPECT_EQ(backward, (QStringList{"tables", "sheets"}));
  Key(Qt::Key_F6, Qt::ControlModifier);
  EXPECT_EQ(region(), QStringLiteral("tables"));
  // The tool buttons are a row the Tab key walks through.
  Key(Qt::Key_F6, Qt::ShiftModifier);
  Key(Qt::Key_F6, Qt::ShiftModifier);
  ASSERT_EQ(region(), QStringLiteral("tools"));
  QWidget* first = Focus();
  Key(Qt::Key_Tab);
  EXPECT_EQ(region(), QStringLiteral("tools"));
  EXPECT_NE(Focus(), first);
}

// From program start by keys alone: table 1, a value, its PLAUSI, the verdict, the copy, table 2
// and the value on disk.
TEST_F(AccessibilityTest, KeyboardOnlyWalkThroughTheSchoolSheet) {
  Open();
  Key(Qt::Key_F6);  // into the window's regions, whatever had the focus at start
  for (int i = 0; i < 6 && !qobject_cast<GridView*>(Focus()); ++i) Key(Qt::Key_F6);
  ASSERT_EQ(Focus(), View(0));
  Key(Qt::Key_PageDown, Qt::ControlModifier);
  ASSERT_EQ(Focus(), View(1));
  // The first data row, second data column: Ctrl+Home is the ES row's first cell.
  Key(Qt::Key_Home, Qt::ControlModifier);
  Key(Qt::Key_Down);
  Key(Qt::Key_Right);
  Key(Qt::Key_A);
  QTest::keyClicks(Focus(), QStringLiteral("bc"));
  Key(Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(View(1)->grid_model()->grid()->Cell(3, 2), "abc");

  QString verdict, verdict_label, announced, described;
  OnNextModal([&](QWidget* modal) {
    auto* w = qobject_cast<ErrorWindow*>(modal);
    ASSERT_NE(w, nullptr);
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(w->verdict_field());
    verdict = field->text(QAccessible::Value);
    verdict_label = field->text(QAccessible::Name);
    announced = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    described = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description);
    // Should the key not close it, the test fails instead of waiting for ever.
    QTimer::singleShot(5000, modal, &QWidget::close);
    ASSERT_TRUE(QTest::qWaitForWindowActive(modal));
    QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_Escape);
  });
  PressByMnemonic(PageButton(1, "interne PLAUSI: Tabelle 1"));
  // A mnemonic presses its button visibly: the click follows a moment later.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !verdict.isEmpty() && QApplication::activeModalWidget() == nullptr; }, 5000));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(verdict, QStringLiteral("Test nicht bestanden!"));
  EXPECT_EQ(verdict_label, QStringLiteral("Ergebnis"));
  EXPECT_THAT(S(announced), HasSubstr("Schulbogen"));
  EXPECT_EQ(described, QStringLiteral("Ergebnis: Test nicht bestanden!"));

  Activate();
  PressByMnemonic(PageButton(1, "Tabelle kopieren"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !platform.clipboard.empty(); }, 5000));
  EXPECT_THAT(platform.clipboard, HasSubstr("abc"));

  Key(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(window->session().current_table(), 2);
  EXPECT_THAT(ReadBytes(testing::SchoolTableFile(dir.path() / "4711", "4711", 1)),
              HasSubstr("\r\n010;abc;"));
  EXPECT_TRUE(ui.messages.empty());
}

// ---------------------------------------------------------------- settings dialog

TEST(SettingsDialogAccessTest, ControlsAreNamedByTheirLabelsAndTheKeyboardCompletesIt) {
  testing::TempDir dir;
  testing::ScriptedUi ui;
  fs::create_directories(dir.path() / "daten" / "zz_schule");
  // Enough directories before it that it lies below the list's first screen.
  for (int i = 0; i < 150; ++i)
    fs::create_directories(dir.path() / "daten" / ("a" + std::to_string(1000 + i)));
  Settings s;
  s.data_base_dir = (dir.path() / "daten" / "zz_schule").string();
  WriteSettingsFile(dir.path(), s);
  SettingsDialog dialog(dir.path(), ui);
  dialog.SetShowProgress(false);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

  auto* drives = Child<QComboBox>(dialog, "driveBox");
  auto* dirs = Child<QTreeView>(dialog, "dirList");
  QAccessibleInterface* drive = QAccessible::queryAccessibleInterface(drives);
  EXPECT_EQ(drive->text(QAccessible::Name), QStringLiteral("Laufwerk"));
  EXPECT_EQ(drive->text(QAccessible::Value), drives->currentText());
  EXPECT_EQ(drive->role(), QAccessible::ComboBox);
  EXPECT_EQ(NameOf(dirs), QStringLiteral("Datenbasis-Verzeichnis"));
  EXPECT_EQ(NameOf(Child<QLineEdit>(dialog, "dstEdit")), QStringLiteral("Statistik-Schulnummer"));
  // The chosen directory is in sight once the list has read its parents.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        const QRect r = dirs->visualRect(dirs->currentIndex());
        return r.isValid() && dirs->viewport()->rect().contains(r.center());
      },
      5000));
  EXPECT_THAT(S(dirs->currentIndex().data().toString()), "zz_schule");

  // The keyboard: a new number, read and write access, accept with Return.
  Child<QLineEdit>(dialog, "dstEdit")->setFocus();
  Key(Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(Focus(), QStringLiteral("1234"));
  while (!qobject_cast<QRadioButton*>(Focus())) Key(Qt::Key_Tab);
  EXPECT_EQ(Focus()->objectName(), QStringLiteral("readOnlyRadio"));
  Key(Qt::Key_Down);
  EXPECT_TRUE(Child<QRadioButton>(dialog, "readWriteRadio")->isChecked());
  Key(Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  Settings stored;
  testing::ScriptedUi quiet;
  ReadSettingsFile(dir.path(), stored, quiet);
  EXPECT_EQ(stored.dst_nr, "1234");
  EXPECT_FALSE(stored.IsReadOnly());
  EXPECT_TRUE(fs::equivalent(stored.data_base_dir, dir.path() / "daten" / "zz_schule"))
      << stored.data_base_dir;
}

TEST(DirectoryDialogAccessTest, DriveBoxAndDirectoryListAreNamedByTheirLabels) {
  testing::TempDir dir;
  DirectoryDialog dialog;
  dialog.SetDirectory(dir.path());
  auto* drives = Child<QComboBox>(dialog, "driveBox");
  QAccessibleInterface* drive = QAccessible::queryAccessibleInterface(drives);
  EXPECT_EQ(drive->text(QAccessible::Name), QStringLiteral("Daten-Laufwerk"));
  EXPECT_EQ(drive->text(QAccessible::Value), drives->currentText());
  EXPECT_EQ(NameOf(Child<QTreeView>(dialog, "dirList")), QStringLiteral("Daten-Basis-Verzeichnis"));
}

TEST(ErrorWindowAccessTest, ProtocolAndVerdictAreNamedAndTheVerdictDescribesTheWindow) {
  ErrorWindow w(ErrorWindowKind::kFehlerAnzeigeAlle);
  ErrorProtocol protocol;
  protocol.caption = "Alle PLAUSIs";
  protocol.verdict = "Test nicht bestanden!";
  w.Show(protocol, {});
  EXPECT_EQ(NameOf(w.protocol_box()), QStringLiteral("Protokoll"));
  EXPECT_EQ(NameOf(w.verdict_field()), QStringLiteral("Gesamtergebnis"));
  EXPECT_EQ(NameOf(w.status_field(3)), QStringLiteral("Tabelle 03"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&w)->text(QAccessible::Description),
            QStringLiteral("Gesamtergebnis: Test nicht bestanden!"));
}

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

// The real main window on a temporary program directory, driven through its widgets.

#include <gmock/gmock.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUndoStack>

#include "files/files.h"
#include "gui/dialogs.h"
#include "gui/error_window.h"
#include "gui/help_window.h"
#include "gui_test_base.h"
#include "plausi/catalogue.h"

namespace tabulon::gui {
namespace {

using ::testing::ElementsAre;

QStringList TabCaptions(QTabWidget* tabs) {
  QStringList out;
  for (int i = 0; i < tabs->count(); ++i) out << tabs->tabText(i);
  return out;
}

class MainWindowTest : public GuiTestBase {
 protected:
  void Open(bool read_write) {
    if (read_write) {
      // The start-up backup then runs without a question.
      testing::WriteSchoolSettings(dir.path(), "4711", true,
                                   [](Settings& s) { s.backup_at_start = 1; });
    }
    CreateWindow();
    // Two small school tables whose saves write their cells, so the disk shows each save.
    for (const char* def : {"Bog1Tab0", "Bog1Tab1"}) {
      std::string name = def;
      window->store().Register(def, {[](Grid& g) {
                                       g = Grid(3, 4);
                                       g.SetCell(0, 0, "Satzart 0");
                                       g.SetCell(1, 0, "Titel");
                                       g.SetCell(0, 1, "Erfassungsspalte");
                                       g.SetCell(1, 1, "ES001");
                                       g.SetCell(2, 1, "ES002");
                                       g.SetCell(0, 2, "Zeile A");
                                       g.SetCell(1, 2, " 12 ");
                                     },
                                     [](Grid&, const TableContext&) { return 0; },
                                     [name](Grid& g, const TableContext& ctx) {
                                       fs::create_directories(ctx.paths.school_data_dir / "SCHULE");
                                       WriteFileAtomic(
                                           ctx.paths.school_data_dir / "SCHULE" / (name + ".txt"),
                                           g.Cell(1, 2) + ";" + g.Cell(2, 2) + "\r\n");
                                     }});
    }
    ShowWindow();
  }
  fs::path Saved(const std::string& def) const {
    return dir.path() / "4711" / "SCHULE" / (def + ".txt");
  }
};

TEST_F(MainWindowTest, WindowHasSheetsPagesMenusAndToolBarAsSpecified) {
  Open(false);
  EXPECT_EQ(window->windowTitle(),
            QStringLiteral("Tabulon      Varnland  V.1.10. (2011) Berufsschule"));
  EXPECT_EQ(window->minimumSize(), QSize(1050, 775));
  QTabWidget* sheets = window->sheet_tabs();
  EXPECT_EQ(TabCaptions(sheets), (QStringList{"Schnell", "Schule", "Lehrer", "Klasse"}));
  EXPECT_FALSE(sheets->isTabEnabled(0));
  EXPECT_EQ(sheets->currentIndex(), 1);
  EXPECT_EQ(TabCaptions(window->table_tabs(1)),
            (QStringList{"Tabelle 0", "Tabelle 1", "Tabelle 2", "Tabelle 3", "Tabelle 4"}));
  EXPECT_EQ(TabCaptions(window->table_tabs(2)),
            (QStringList{"Identifizierung + Tabelle 0", "Tabelle 1", "Tabelle 2", "Tabelle 3"}));
  EXPECT_EQ(TabCaptions(window->table_tabs(3)),
            (QStringList{"Tab. 0", "Tab. 1", "Tab. 2", "Tab. 3", "Tab. 4", "Tab. 4.1", "Tab. 5",
                         "Tab. 6", "Tab. 7", "Tab. 8", "Tab. 9"}));
  QStringList menus;
  for (QAction* a : window->menuBar()->actions()) {
    if (a->isVisible()) menus << a->text();
  }
  EXPECT_EQ(menus, (QStringList{"&Datei", "Be&rechnen", "&Testen (weitere PLAUSIs)", "T&ools",
                                "&Einstellungen", "&Hilfe"}));
  EXPECT_EQ(window->action("HelpShow")->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_TRUE(window->action("FilePrint")->isVisible());
  EXPECT_EQ(window->action("FilePrint")->shortcut(), QKeySequence(QKeySequence::Print));
  for (const char* hidden : {"FileNew", "EditCut", "EditCopy", "EditPaste"}) {
    EXPECT_FALSE(window->action(hidden)->isVisible()) << hidden;
  }
  EXPECT_EQ(window->action("FileOpen")->toolTip(),
            QStringLiteral("Daten-Basis-Verzeichnis wechseln"));
  // The class tools belong to the class sheet; school table 0 has no calculations.
  EXPECT_FALSE(window->action("ClassAllTests")->isEnabled());
  EXPECT_FALSE(window->action("CalcSubtotals")->isEnabled());
  EXPECT_EQ(window->dst_panel()->text(), QStringLiteral("00000"));
}

TEST_F(MainWindowTest, EditShowsRedIndicatorAndSwitchWritesTheTableLeft) {
  Open(true);
  GridView* view = window->GridViewOf("Bog1Tab0");
  view->setFocus();
  view->setCurrentIndex(view->model()->index(1, 1));
  QTest::keyClick(view, '7');  // opens the cell editor with the first key
  auto* editor = view->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, '7');
  QTest::keyClick(editor, ';');  // refused: it would split the field
  EXPECT_EQ(editor->text(), QStringLiteral("77"));
  QTest::keyClick(editor, Qt::Key_Tab);  // commits and moves to the next cell
  EXPECT_EQ(view->currentIndex(), view->model()->index(2, 0));  // past the last column: next row
  EXPECT_EQ(window->store().GridOf("Bog1Tab0").Cell(2, 2), "77");
  EXPECT_TRUE(IndicatorShown());
  EXPECT_EQ(window->indicator()->styleSheet(), QStringLiteral("background-color: red;"));
  window->table_tabs(1)->setCurrentIndex(1);
  EXPECT_EQ(ReadBytes(Saved("Bog1Tab0")), " 12 ;77\r\n");
  // The flash ends by its timer.
  EXPECT_TRUE(IndicatorShown());
  for (int waited = 0; waited < 2000 && IndicatorShown(); waited += 20) {
    QTest::qWait(20);
  }
  EXPECT_FALSE(IndicatorShown());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowTest, ToggleSuppressesExactlyOneSave) {
  Open(true);
  QToolButton* toggle = window->suspend_toggle();
  ASSERT_TRUE(toggle->isEnabled());
  QTest::mouseClick(toggle, Qt::LeftButton);
  EXPECT_EQ(toggle->text(), QStringLiteral("Speichern ausgeschaltet!"));
  window->table_tabs(1)->setCurrentIndex(1);
  EXPECT_FALSE(fs::exists(Saved("Bog1Tab0")));
  EXPECT_FALSE(toggle->isChecked());
  EXPECT_EQ(toggle->text(), QStringLiteral("Speichern aussetzen"));
  window->table_tabs(1)->setCurrentIndex(0);
  EXPECT_TRUE(fs::exists(Saved("Bog1Tab1")));
}

TEST_F(MainWindowTest, CloseAsksAndNoKeepsTheWindow) {
  Open(true);
  ui.answers = {false};
  window->close();
  EXPECT_TRUE(window->isVisible());
  ui.answers = {true};
  window->close();
  EXPECT_FALSE(window->isVisible());
  ASSERT_EQ(ui.questions.size(), 2u);
  EXPECT_EQ(ui.questions[1].text,
            "Wollen Sie den Tabulon\rVarnland - Berufsschule\rjetzt wirklich BEENDEN?");
}

TEST_F(MainWindowTest, CopyButtonsPutExactTextOnTheClipboard) {
  Open(true);
  auto* copy_data = window->findChild<QPushButton*>("StringGrid4CopyData");
  auto* copy_table = window->findChild<QPushButton*>("StringGrid4CopyTable");
  ASSERT_TRUE(copy_data && copy_table);
  QTest::mouseClick(copy_data, Qt::LeftButton);
  EXPECT_EQ(platform.clipboard, "12\t\r\t");
  QTest::mouseClick(copy_table, Qt::LeftButton);
  EXPECT_EQ(platform.clipboard,
            "Satzart 0\tTitel\t\rErfassungsspalte\tES001\tES002\rZeile A\t12\t\r\t\t");
  EXPECT_FALSE(IndicatorShown());
}

TEST_F(MainWindowTest, PrintCommandOpensThePreviewOfTheCurrentTable) {
  Open(true);
  window->action("FilePrint")->trigger();
  EXPECT_TRUE(ui.messages.empty());
  ASSERT_EQ(platform.printed.size(), 1u);
  const PrintDocument& doc = platform.printed[0];
  EXPECT_EQ(doc.pdf.rfind("%PDF-1.4\n", 0), 0u);
  EXPECT_EQ(doc.pdf_name, "4711_Bog1Tab0.pdf");
  ASSERT_EQ(doc.pages.size(), 1u);
  EXPECT_GT(doc.width, doc.height);  // landscape
  std::vector<std::string> texts;
  for (const PrintText& t : doc.pages[0].texts) texts.push_back(t.text);
  for (const char* shown :
       {"Satzart 0", "Titel", "Erfassungsspalte", "ES001", "Zeile A", "12", "Seite 1 von 1"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), shown), texts.end()) << shown;
  }
  EXPECT_NE(texts[1].find("DST-Nr.: 4711"), std::string::npos) << texts[1];
}

TEST_F(MainWindowTest, PasteFillsFromTheCurrentCellAndUndoRedoRestore) {
  Open(true);
  GridView* view = window->GridViewOf("Bog1Tab0");
  ASSERT_NE(view, nullptr);
  Grid& g = window->store().GridOf("Bog1Tab0");
  view->GoToCell(1, 1);
  view->PasteText(QStringLiteral("a\tb\tc\r\nd\te\tf\r\n"));
  EXPECT_EQ(g.Cell(1, 1), "a");
  EXPECT_EQ(g.Cell(2, 1), "b");
  EXPECT_EQ(g.Cell(1, 2), "d");
  EXPECT_EQ(g.Cell(2, 2), "e");
  EXPECT_EQ(g.Cell(0, 2), "Zeile A");  // the label column is never written
  EXPECT_EQ(window->hint_panel()->text(),
            QStringLiteral("2 Zellen lagen außerhalb der Tabelle und wurden nicht eingefügt."));
  EXPECT_TRUE(IndicatorShown());
  EXPECT_EQ(view->undo_stack()->count(), 1);

  QAction* undo = view->findChild<QAction*>("GridUndo");
  QAction* redo = view->findChild<QAction*>("GridRedo");
  ASSERT_TRUE(undo && redo);
  EXPECT_EQ(undo->shortcut(), QKeySequence(QKeySequence::Undo));
  EXPECT_EQ(view->contextMenuPolicy(), Qt::ActionsContextMenu);
  undo->trigger();
  EXPECT_EQ(g.Cell(1, 1), "ES001");
  EXPECT_EQ(g.Cell(2, 1), "ES002");
  EXPECT_EQ(g.Cell(1, 2), " 12 ");
  EXPECT_EQ(g.Cell(2, 2), "");
  redo->trigger();
  EXPECT_EQ(g.Cell(2, 2), "e");

  // A typed edit is its own step.
  view->model()->setData(view->model()->index(2, 1), QStringLiteral("99"), Qt::EditRole);
  EXPECT_EQ(g.Cell(2, 3), "99");
  undo->trigger();
  EXPECT_EQ(g.Cell(2, 3), "");
  EXPECT_EQ(g.Cell(2, 2), "e");
  EXPECT_TRUE(ui.messages.empty());

  // Switching the table saves it and starts a new history.
  window->table_tabs(1)->setCurrentIndex(1);
  window->table_tabs(1)->setCurrentIndex(0);
  EXPECT_EQ(view->undo_stack()->count(), 0);
}

TEST_F(MainWindowTest, RefusedPasteChangesNothingAndSaysWhy) {
  Open(true);
  GridView* view = window->GridViewOf("Bog1Tab0");
  Grid& g = window->store().GridOf("Bog1Tab0");
  view->GoToCell(1, 2);
  view->PasteText(QStringLiteral("1\t2;3"));
  EXPECT_EQ(g.Cell(1, 2), " 12 ");
  EXPECT_EQ(view->undo_stack()->count(), 0);
  EXPECT_FALSE(IndicatorShown());
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{
                  MessageKind::kWarning,
                  "Einfügen nicht möglich:\rDas Zeichen \";\" ist in Zellen nicht erlaubt\r(Zeile "
                  "1, Spalte 2 des eingefügten Blocks).\rEs wurde nichts geändert."}));
}

TEST_F(MainWindowTest, AboutBoxNamesTheProgramDirectory) {
  Open(false);
  EXPECT_EQ(window->about_box()->ProgramDirText().toStdString(),
            "Programmverzeichnis: " + DisplayPath(program->program_dir()));
  EXPECT_EQ(WithTrailingSeparator(program->program_dir()), WithTrailingSeparator(dir.path()));
}

}  // namespace
}  // namespace tabulon::gui

// The real main window on a temporary program directory, driven through its widgets; undo and
// redo of typed edits, pastes and the commands that rework a whole table.

#include <gmock/gmock.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <QUndoStack>

#include "files/files.h"
#include "gui/dialogs.h"
#include "gui_test_base.h"

namespace tabulon::gui {
namespace {

using ::testing::ElementsAre;

// Everything of a grid a person sees: its size and every cell.
std::vector<std::string> Content(const Grid& g) {
  std::vector<std::string> out{std::to_string(g.ColCount()) + "x" + std::to_string(g.RowCount())};
  for (int r = 0; r < g.RowCount(); ++r) {
    for (int c = 0; c < g.ColCount(); ++c) out.push_back(g.Cell(c, r));
  }
  return out;
}

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

TEST_F(MainWindowTest, PasteFillsFromTheCurrentCellOrIsRefusedAndUndoRedoRestore) {
  Open(true);
  GridView* view = window->GridViewOf("Bog1Tab0");
  ASSERT_NE(view, nullptr);
  Grid& g = window->store().GridOf("Bog1Tab0");
  const auto before = Content(g);
  // A refused paste changes nothing and says why.
  view->GoToCell(1, 2);
  view->PasteText(QStringLiteral("1\t2;3"));
  EXPECT_EQ(Content(g), before);
  EXPECT_EQ(view->undo_stack()->count(), 0);
  EXPECT_FALSE(IndicatorShown());
  EXPECT_THAT(ui.messages,
              ElementsAre(RecordedMessage{
                  MessageKind::kWarning,
                  "Einfügen nicht möglich:\rDas Zeichen \";\" ist in Zellen nicht erlaubt\r(Zeile "
                  "1, Spalte 2 des eingefügten Blocks).\rEs wurde nichts geändert."}));
  ui.messages.clear();

  view->GoToCell(1, 1);
  view->PasteText(QStringLiteral("a\tb\tc\r\nd\te\tf\r\n"));
  // The label column is never written; "c" and "f" lie outside.
  const std::vector<std::string> pasted = {"3x4", "Satzart 0", "Titel",   "",  "Erfassungsspalte",
                                           "a",   "b",         "Zeile A", "d", "e",
                                           "",    "",          ""};
  EXPECT_EQ(Content(g), pasted);
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
  EXPECT_EQ(Content(g), before);
  redo->trigger();
  EXPECT_EQ(Content(g), pasted);

  // A typed edit is its own step.
  view->model()->setData(view->model()->index(2, 1), QStringLiteral("99"), Qt::EditRole);
  EXPECT_EQ(g.Cell(2, 3), "99");
  undo->trigger();
  EXPECT_EQ(Content(g), pasted);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowTest, AboutBoxNamesTheProgramDirectory) {
  Open(false);
  EXPECT_EQ(window->about_box()->ProgramDirText().toStdString(),
            "Programmverzeichnis: " + DisplayPath(program->program_dir()));
  EXPECT_EQ(WithTrailingSeparator(program->program_dir()), WithTrailingSeparator(dir.path()));
}

class TableUndoTest : public GuiTestBase {
 protected:
  void SetUp() override {
    OpenSchool(testing::kSchoolKeyFiles, [](Settings& s) { s.ask_after_calculations = 0; });
  }
  Grid& GridOf(int table) { return window->store().GridOf("Bog1Tab" + std::to_string(table)); }
  void Press(int table, Qt::Key key) {
    View(table)->setFocus();
    QTest::keyClick(View(table), key, Qt::ControlModifier);
  }
};

TEST_F(TableUndoTest, EachCommandIsOneStepThatUndoRestoresAndRedoRepeats) {
  struct Case {
    const char* name;
    int table;
    std::function<void(Grid&)> fill;  // the cells the command works on
    std::function<void()> run;
  };
  const Case cases[] = {
      {"Berechnung", 1,
       [](Grid& g) {
         g.SetCell(4, 2, "2");
         g.SetCell(5, 2, "3");
         g.SetCell(3, 5, "1");
         g.SetCell(3, 6, "2");
       },
       [this] {
         for (const char* a : {"CalcColumns", "CalcSubtotals", "CalcRow"}) {
           window->action(QString::fromLatin1(a))->trigger();
         }
       }},
      {"Sortieren", 2,
       [](Grid& g) {
         g.SetCell(1, 2, "020");
         g.SetCell(1, 3, "010");
       },
       [this] { Click(1, 2, PageAction::kSortRows); }},
      {"Zeilen anhängen", 2, [](Grid&) {}, [this] { Click(1, 2, PageAction::kAppendRows); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowTable(c.table);
    Grid& g = GridOf(c.table);
    c.fill(g);
    View(c.table)->Rebuilt();
    window->action(QStringLiteral("FileSave"))->trigger();
    // The indicator flashes yellow after a save before it goes.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !IndicatorShown(); }, 2000));
    const auto before = Content(g);
    // Every calculation is a step of its own; the row commands are one step each.
    c.run();
    const auto after = Content(g);
    ASSERT_NE(after, before);
    EXPECT_EQ(View(c.table)->model()->rowCount(), g.RowCount() - g.FixedRows());

    Press(c.table, Qt::Key_Z);
    if (c.table == 1) {
      Press(c.table, Qt::Key_Z);
      Press(c.table, Qt::Key_Z);
    }
    EXPECT_EQ(Content(g), before);
    EXPECT_EQ(View(c.table)->model()->rowCount(), g.RowCount() - g.FixedRows());
    EXPECT_TRUE(IndicatorShown());  // what undo wrote back is not saved yet

    for (int i = 0; i < (c.table == 1 ? 3 : 1); ++i) Press(c.table, Qt::Key_Y);
    EXPECT_EQ(Content(g), after);
    EXPECT_EQ(View(c.table)->model()->rowCount(), g.RowCount() - g.FixedRows());
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TableUndoTest, SwitchingTheTableClearsTheHistory) {
  ShowTable(2);
  const int rows = GridOf(2).RowCount();
  Click(1, 2, PageAction::kAppendRow);
  ASSERT_EQ(GridOf(2).RowCount(), rows + 1);
  EXPECT_EQ(View(2)->undo_stack()->count(), 1);
  ShowTable(1);
  ShowTable(2);
  EXPECT_EQ(View(2)->undo_stack()->count(), 0);
  const auto reloaded = Content(GridOf(2));
  Press(2, Qt::Key_Z);
  EXPECT_EQ(Content(GridOf(2)), reloaded);
}

}  // namespace
}  // namespace tabulon::gui

// The whole-school check in the window: the menu item and tool button, the progress dialog, the
// findings list with its groups and counts, the jump to a finding, "erneut prüfen" after the
// corrections (the shown table saved first), print, and the question before the export for the
// statistical office.
#include <QAbstractItemModel>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTreeView>

#include "gui/qt_text.h"
#include "gui/whole_check_window.h"
#include "gui_test_base.h"
#include "support/small_school.h"

namespace tabulon::gui {
namespace {

// The captions of the list's rows, depth-first, finding rows with their entry number.
QStringList Rows(const QAbstractItemModel& m, const QModelIndex& parent = {}, int depth = 0) {
  QStringList out;
  for (int r = 0; r < m.rowCount(parent); ++r) {
    const QModelIndex i = m.index(r, 0, parent);
    const QString nr = m.index(r, 1, parent).data().toString();
    out << QString(depth * 2, QLatin1Char(' ')) + i.data().toString() +
               (nr.isEmpty() ? QString() : QStringLiteral(" #") + nr);
    out << Rows(m, i, depth + 1);
  }
  return out;
}

class WholeCheckWindowTest : public GuiTestBase {
 protected:
  void Open() {
    OpenSchool(testing::kSchoolKeyFiles, [](Settings& s) { s.log_all_tests = 0; });
  }
};

TEST_F(WholeCheckWindowTest, ProgressCountsClassesAndAbbrechenStopsAfterTheCurrentOne) {
  for (const char* id : {"ABC001", "ABC002", "ABC003"}) {
    testing::WriteBytes(ClassFile(std::string(id) + "00.CSV"), "ES001\r\n");
  }
  Open();
  window->action(QStringLiteral("WholeCheck"))->trigger();
  QProgressDialog* progress = window->whole_check_progress();
  ASSERT_NE(progress, nullptr);
  // One class per turn of the event loop: after the school-wide turn the dialog names the first
  // class, after the first class the second; "Abbrechen" then lets no further class start.
  QStringList labels;
  for (int turn = 0; turn < 1000 && window->whole_check_running(); ++turn) {
    QCoreApplication::processEvents();
    if (labels.isEmpty() || labels.back() != progress->labelText()) labels << progress->labelText();
    if (progress->labelText().startsWith(QStringLiteral("Klasse 2 von 3"))) break;
  }
  ASSERT_GE(labels.size(), 2);
  EXPECT_EQ(labels.mid(labels.size() - 2),
            (QStringList{"Klasse 1 von 3: ABC001", "Klasse 2 von 3: ABC002"}));
  progress->cancel();
  WaitForWholeCheck();
  WholeCheckWindow* w = window->whole_check_window();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->result().cancelled);
  EXPECT_EQ(std::pair(w->result().classes_done, w->result().classes_total), std::pair(1, 3));
  EXPECT_TRUE(w->summary()->text().endsWith(QStringLiteral("(abgebrochen)")))
      << w->summary()->text().toStdString();
}

// A small school of three classes with one faulty class table and one faulty teacher table.
class WholeCheckSchoolTest : public GuiTestBase {
 protected:
  void SetUp() override {
    testing::WriteSmallSchool(dir.path(), {"ZIM001", "ZIM002", "ZIM003"});
    testing::WriteTableCells(dir.path(), Sheet::kClass, 4, "ZIM002", {testing::kFaultyCell});
    testing::WriteTableCells(dir.path(), Sheet::kTeacher, 2, "", {testing::kFaultyCell});
    StartWindow();
  }
  // Empties the current cell of a grid as a person would: F2, delete, Enter.
  static void ClearCurrentCell(GridView* v) {
    v->setFocus();
    QTest::keyClick(v, Qt::Key_F2);
    for (QLineEdit* e : v->findChildren<QLineEdit*>()) {
      if (!e->isVisible()) continue;
      e->selectAll();
      QTest::keyClick(e, Qt::Key_Delete);
      QTest::keyClick(e, Qt::Key_Return);
    }
    QCoreApplication::processEvents();
  }
  // Where the window stands: sheet, class and table.
  std::tuple<Sheet, std::string, int> Place() const {
    const Session& s = window->session();
    return {s.current_sheet(), s.current_class(), s.current_table()};
  }
};

TEST_F(WholeCheckSchoolTest, ListsExactlyTheFindingsAndLeadsToThemUntilNoneIsLeft) {
  QAction* menu_item = window->action(QStringLiteral("WholeCheckMenu"));
  EXPECT_EQ(menu_item->text(), QStringLiteral("&Gesamtprüfung (alle Bögen und Klassen) ..."));
  QAction* test_menu = window->menuBar()->actions().at(3);
  EXPECT_EQ(test_menu->text(), QStringLiteral("&Testen (weitere PLAUSIs)"));
  EXPECT_TRUE(test_menu->menu()->actions().contains(menu_item));
  menu_item->trigger();
  WaitForWholeCheck();
  WholeCheckWindow* w = window->whole_check_window();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(w->isModal());
  const QString teacher = Q(SheetOf(Sheet::kTeacher).caption);
  const QString klasse = Q(SheetOf(Sheet::kClass).caption);
  EXPECT_EQ(Rows(*w->model()),
            (QStringList{teacher + " (1)", "  Tabelle 2 (1)", "    Fehler #7", klasse + " (1)",
                         "  Klasse ZIM002 (1)", "    Tab. 4 (1)", "      Fehler #7"}));
  const QAbstractItemModel* m = w->model();
  const QModelIndex class_group = m->index(1, 0);
  const QModelIndex class_finding = m->index(0, 4, m->index(0, 0, m->index(0, 0, class_group)));
  const QModelIndex teacher_finding = m->index(0, 0, m->index(0, 0, m->index(0, 0)));
  EXPECT_EQ(class_finding.data().toString(),
            QStringLiteral("Schüler insg. (ES002)  |  Zeile 2: 01 Englisch"));

  // Each finding, by any cell of its row, brings its sheet, class, table and cell; a group's
  // caption chooses none. The person empties the cell.
  QSignalSpy chosen(w, &WholeCheckWindow::FindingChosen);
  emit w->tree()->activated(class_group);
  EXPECT_EQ(chosen.count(), 0);
  DoubleClick(w->tree(), class_finding);
  EXPECT_EQ(chosen.count(), 1);
  EXPECT_EQ(Place(), std::tuple(Sheet::kClass, std::string("ZIM002"), 4));
  const Grid& class_table = GridOf("Bog3Tab4");
  EXPECT_EQ(std::pair(class_table.CurrentCol(), class_table.CurrentRow()), std::pair(3, 2));
  ClearCurrentCell(window->GridViewOf("Bog3Tab4"));
  DoubleClick(w->tree(), teacher_finding);
  EXPECT_EQ(std::get<0>(Place()), Sheet::kTeacher);
  EXPECT_EQ(std::get<2>(Place()), 2);
  EXPECT_EQ(GridOf("Bog2Tab2").CurrentCol(), 3);
  ClearCurrentCell(window->GridViewOf("Bog2Tab2"));

  // Printing hands the list to the print preview.
  QTest::mouseClick(w->print_button(), Qt::LeftButton);
  ASSERT_EQ(platform.printed.size(), 1u);
  EXPECT_EQ(platform.printed[0].pdf_name, "Gesamtpruefung.pdf");

  // The window stayed open; checked again (the shown table saved first) nothing is left.
  EXPECT_TRUE(w->isVisible());
  QTest::mouseClick(w->recheck_button(), Qt::LeftButton);
  WaitForWholeCheck();
  EXPECT_EQ(w->model()->rowCount(), 0);
  EXPECT_EQ(w->summary()->text(), QStringLiteral("Keine Fundstellen. – 3 von 3 Klassen geprüft"));
  ExpectOnlyMissingKeyFileMessages();
}

TEST_F(WholeCheckSchoolTest, TheStaLAExportAsksWithTheCountsAndNeinExportsNothing) {
  const fs::path target = dir / "stick";
  fs::create_directories(target);
  struct Case {
    const char* button;
    bool exported;
    bool findings_shown;
  } cases[] = {{"ExportNot", false, false},
               {"ExportShowFindings", false, true},
               {"ExportAnyway", true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    if (c.exported) {
      ui.directories = {target};
      ui.answers = {true};
    }
    window->action(QStringLiteral("ExportStaLA"))->trigger();
    WaitForWholeCheck();
    ASSERT_NE(window->export_question(), nullptr);
    EXPECT_EQ(window->export_question()->text().toStdString(),
              "Die Gesamtprüfung hat Fehler gefunden:\n"
              "1 Tabelle in 1 Klasse ist fehlerhaft.\n"
              "1 Tabelle des Schul- und Lehrer-Bogens ist fehlerhaft.\n\n"
              "Trotzdem exportieren?");
    QTest::mouseClick(window->export_question()->findChild<QPushButton*>(QLatin1String(c.button)),
                      Qt::LeftButton);
    EXPECT_EQ(window->export_question(), nullptr);
    EXPECT_EQ(fs::exists(target / "4711" / "KLASSE" / "ZIM00204.CSV"), c.exported);
    EXPECT_EQ(window->whole_check_window() != nullptr && window->whole_check_window()->isVisible(),
              c.findings_shown);
    if (window->whole_check_window()) window->whole_check_window()->hide();
  }
  EXPECT_TRUE(ui.directories.empty());
}

}  // namespace
}  // namespace tabulon::gui

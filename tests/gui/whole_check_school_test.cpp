// The whole-school check on a small school of three classes with one faulty class table and one
// faulty teacher table: the findings list, the jump to a finding, the check after the
// corrections, and the question before the export for the statistical office.

#include <QAbstractItemModel>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTreeView>

#include "gui/qt_text.h"
#include "gui/whole_check_window.h"
#include "gui_test_base.h"
#include "support/small_school.h"

namespace tabulon::gui {
namespace {

class WholeCheckSchoolTest : public GuiTestBase {
 protected:
  void SetUp() override {
    testing::WriteSmallSchool(dir.path(), {"ZIM001", "ZIM002", "ZIM003"});
    testing::WriteTableCells(dir.path(), Sheet::kClass, 4, "ZIM002", {testing::kFaultyCell});
    testing::WriteTableCells(dir.path(), Sheet::kTeacher, 2, "", {testing::kFaultyCell});
    StartWindow();
  }
  void WaitForCheck() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window->whole_check_running(); }, 20000));
  }
  // The list's rows depth-first: captions, finding rows with their entry number.
  static QStringList Rows(const QAbstractItemModel& m, const QModelIndex& parent = {},
                          int depth = 0) {
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
  void DoubleClick(QTreeView* tree, const QModelIndex& index) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree->window()));
    tree->scrollTo(index);
    ASSERT_TRUE(tree->viewport()->rect().contains(tree->visualRect(index).center()))
        << tree->visualRect(index).x() << "," << tree->visualRect(index).y();
    const QPoint at = tree->visualRect(index).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
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
  const Grid& GridOf(const char* definition) const {
    return *window->GridViewOf(definition)->grid_model()->grid();
  }
};

TEST_F(WholeCheckSchoolTest, ListsExactlyTheFindingsAndLeadsToThemUntilNoneIsLeft) {
  window->action(QStringLiteral("WholeCheckMenu"))->trigger();
  WaitForCheck();
  WholeCheckWindow* w = window->whole_check_window();
  ASSERT_NE(w, nullptr);
  const QString teacher = Q(SheetOf(Sheet::kTeacher).caption);
  const QString klasse = Q(SheetOf(Sheet::kClass).caption);
  EXPECT_EQ(Rows(*w->model()),
            (QStringList{teacher + " (1)", "  Tabelle 2 (1)", "    Fehler #7", klasse + " (1)",
                         "  Klasse ZIM002 (1)", "    Tab. 4 (1)", "      Fehler #7"}));
  const QAbstractItemModel* m = w->model();
  const QModelIndex class_finding = m->index(0, 4, m->index(0, 0, m->index(0, 0, m->index(1, 0))));
  const QModelIndex teacher_finding = m->index(0, 0, m->index(0, 0, m->index(0, 0)));
  EXPECT_EQ(class_finding.data().toString(),
            QStringLiteral("Schüler insg. (ES002)  |  Zeile 2: 01 Englisch"));

  // Each finding brings its sheet, class, table and cell; the person empties the cell.
  QSignalSpy chosen(w, &WholeCheckWindow::FindingChosen);
  DoubleClick(w->tree(), class_finding);
  EXPECT_EQ(chosen.count(), 1);
  EXPECT_EQ(window->session().current_sheet(), Sheet::kClass);
  EXPECT_EQ(window->session().current_class(), "ZIM002");
  EXPECT_EQ(window->session().current_table(), 4);
  EXPECT_EQ(GridOf("Bog3Tab4").CurrentCol(), 3);
  EXPECT_EQ(GridOf("Bog3Tab4").CurrentRow(), 2);
  ClearCurrentCell(window->GridViewOf("Bog3Tab4"));
  DoubleClick(w->tree(), teacher_finding);
  EXPECT_EQ(window->session().current_sheet(), Sheet::kTeacher);
  EXPECT_EQ(window->session().current_table(), 2);
  EXPECT_EQ(GridOf("Bog2Tab2").CurrentCol(), 3);
  ClearCurrentCell(window->GridViewOf("Bog2Tab2"));

  // The window stayed open; checked again (the shown table saved first) nothing is left.
  EXPECT_TRUE(w->isVisible());
  QTest::mouseClick(w->recheck_button(), Qt::LeftButton);
  WaitForCheck();
  EXPECT_EQ(w->model()->rowCount(), 0);
  EXPECT_EQ(w->summary()->text(), QStringLiteral("Keine Fundstellen. – 3 von 3 Klassen geprüft"));
  for (const auto& m : ui.messages) {
    EXPECT_EQ(m.text.rfind("Statistik-Schlüssel-Datei: ", 0), 0u) << m.text;
  }
}

TEST_F(WholeCheckSchoolTest, TheStaLAExportAsksWithTheCountsAndNeinExportsNothing) {
  const fs::path target = dir / "stick";
  fs::create_directories(target);
  QPushButton* (*button)(MainWindow&, const char*) = [](MainWindow& mw, const char* name) {
    return mw.export_question()->findChild<QPushButton*>(QLatin1String(name));
  };
  struct Case {
    const char* button;
    bool exported;
    bool findings_shown;
  } cases[] = {{"ExportNot", false, false},
               {"ExportShowFindings", false, true},
               {"ExportAnyway", true, false}};
  for (const Case& c : cases) {
    if (c.exported) {
      ui.directories = {target};
      ui.answers = {true};
    }
    window->action(QStringLiteral("ExportStaLA"))->trigger();
    WaitForCheck();
    ASSERT_NE(window->export_question(), nullptr) << c.button;
    EXPECT_EQ(window->export_question()->text().toStdString(),
              "Die Gesamtprüfung hat Fehler gefunden:\n"
              "1 Tabelle in 1 Klasse ist fehlerhaft.\n"
              "1 Tabelle des Schul- und Lehrer-Bogens ist fehlerhaft.\n\n"
              "Trotzdem exportieren?");
    QTest::mouseClick(button(*window, c.button), Qt::LeftButton);
    EXPECT_EQ(window->export_question(), nullptr);
    EXPECT_EQ(fs::exists(target / "4711" / "KLASSE" / "ZIM00204.CSV"), c.exported) << c.button;
    EXPECT_EQ(window->whole_check_window() != nullptr && window->whole_check_window()->isVisible(),
              c.findings_shown)
        << c.button;
    if (window->whole_check_window()) window->whole_check_window()->hide();
  }
  EXPECT_TRUE(ui.directories.empty());
}

}  // namespace
}  // namespace tabulon::gui

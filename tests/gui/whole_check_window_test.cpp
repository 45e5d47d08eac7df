// The whole-school check in the window: the menu item and tool button, the progress dialog, the
// findings list with its groups and counts, the jump to a finding, "erneut prüfen" and print.
#include "gui/whole_check_window.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QTreeView>

#include "gui_test_base.h"

namespace tabulon::gui {
namespace {

class WholeCheckWindowTest : public GuiTestBase {
 protected:
  void Open() {
    OpenSchool(testing::kSchoolKeyFiles, [](Settings& s) { s.log_all_tests = 0; });
  }
  void Type(int table, int col, int row, const QString& text) {
    TypeText(View(table), col, row, text);
  }
  // Runs the check from the menu item and waits for the findings window.
  WholeCheckWindow* RunCheck(const char* action = "WholeCheckMenu") {
    window->action(QString::fromLatin1(action))->trigger();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->whole_check_running(); }, 20000));
    return window->whole_check_window();
  }
  // The captions of the list's rows, depth-first, group rows and finding rows alike.
  static QStringList Rows(const QAbstractItemModel& m) {
    QStringList out;
    std::function<void(const QModelIndex&, int)> walk = [&](const QModelIndex& parent, int depth) {
      for (int r = 0; r < m.rowCount(parent); ++r) {
        const QModelIndex i = m.index(r, 0, parent);
        QString text = QString(depth * 2, QLatin1Char(' ')) + i.data().toString();
        if (m.columnCount(parent) > 1 && !m.index(r, 1, parent).data().toString().isEmpty()) {
          text += QStringLiteral(" #") + m.index(r, 1, parent).data().toString();
        }
        out << text;
        walk(i, depth + 1);
      }
    };
    walk(QModelIndex(), 0);
    return out;
  }
  void WriteClass(const std::string& id) {
    testing::WriteBytes(dir.path() / "4711" / "KLASSE" / (id + "00.CSV"), "ES001\r\n");
  }
};

TEST_F(WholeCheckWindowTest, MenuItemAndToolButtonAreThere) {
  Open();
  QAction* menu_item = window->action(QStringLiteral("WholeCheckMenu"));
  ASSERT_NE(menu_item, nullptr);
  EXPECT_EQ(menu_item->text(), QStringLiteral("&Gesamtprüfung (alle Bögen und Klassen) ..."));
  bool in_test_menu = false;
  for (QAction* m : window->menuBar()->actions()) {
    if (m->text() == QStringLiteral("&Testen (weitere PLAUSIs)")) {
      in_test_menu = m->menu()->actions().contains(menu_item);
    }
  }
  EXPECT_TRUE(in_test_menu);
  ASSERT_NE(window->action(QStringLiteral("WholeCheck")), nullptr);
}

TEST_F(WholeCheckWindowTest, TheShownTableIsSavedFirstAndItsFindingsListedGroupedAndJumpedTo) {
  Open();
  window->table_tabs(1)->setCurrentIndex(4);
  Type(4, 1, 2, QStringLiteral("10"));
  Type(4, 2, 2, QStringLiteral("5"));
  Type(4, 3, 2, QStringLiteral("6"));
  // The typed values are still unsaved: the check saves them before it reads the files.
  WholeCheckWindow* w = RunCheck();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(w->isModal());
  const auto findings = w->findings();
  ASSERT_FALSE(findings.empty());
  for (const WholeCheckFinding& f : findings) {
    EXPECT_EQ(f.sheet, Sheet::kSchool);
    EXPECT_EQ(f.table, 4);
  }
  const QStringList rows = Rows(*w->model());
  const QString n = QStringLiteral(" (%1)").arg(findings.size());
  ASSERT_GE(rows.size(), 3);
  EXPECT_EQ(rows[0], QString::fromUtf8(SheetOf(Sheet::kSchool).caption) + n);
  EXPECT_TRUE(rows[1].endsWith(n)) << rows[1].toStdString();
  EXPECT_EQ(rows[2], QStringLiteral("    Fehler #70"));
  EXPECT_EQ(rows.size(), 2 + static_cast<int>(findings.size()));

  // To another page first; the finding brings table 4 and its cell back.
  window->table_tabs(1)->setCurrentIndex(1);
  w->ChooseFinding(0);
  EXPECT_EQ(window->session().current_sheet(), Sheet::kSchool);
  EXPECT_EQ(window->session().current_table(), 4);
  const Grid& g = *View(4)->grid_model()->grid();
  EXPECT_EQ(g.CurrentCol(), findings[0].col);
  EXPECT_EQ(g.CurrentRow(), findings[0].row);
  EXPECT_EQ(findings[0].col, 1);
  EXPECT_EQ(findings[0].row, 2);

  // Printing hands the list to the print preview.
  QTest::mouseClick(w->print_button(), Qt::LeftButton);
  ASSERT_EQ(platform.printed.size(), 1u);
  EXPECT_EQ(platform.printed[0].pdf_name, "Gesamtpruefung.pdf");

  // Corrected and checked again: the list is empty.
  Type(4, 1, 2, QStringLiteral("11"));
  QTest::mouseClick(w->recheck_button(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !window->whole_check_running(); }, 20000));
  EXPECT_TRUE(w->findings().empty());
  EXPECT_EQ(w->model()->rowCount(), 0);
  // The test's program directory lacks two key files; their boxes are the only ones.
  for (const auto& m : ui.messages) {
    EXPECT_EQ(m.text.rfind("Statistik-Schlüssel-Datei: ", 0), 0u) << m.text;
  }
}

TEST_F(WholeCheckWindowTest, ProgressCountsClassesAndAbbrechenStopsAfterTheCurrentOne) {
  for (const char* id : {"ABC001", "ABC002", "ABC003"}) WriteClass(id);
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
  EXPECT_EQ(labels[labels.size() - 2], QStringLiteral("Klasse 1 von 3: ABC001"));
  EXPECT_EQ(labels.back(), QStringLiteral("Klasse 2 von 3: ABC002"));
  progress->cancel();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !window->whole_check_running(); }, 20000));
  WholeCheckWindow* w = window->whole_check_window();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->result().cancelled);
  EXPECT_EQ(w->result().classes_done, 1);
  EXPECT_EQ(w->result().classes_total, 3);
  EXPECT_TRUE(w->summary()->text().endsWith(QStringLiteral("(abgebrochen)")))
      << w->summary()->text().toStdString();
}

}  // namespace
}  // namespace tabulon::gui

// The findings list on its own: a double-click on any cell of a finding's row chooses that
// finding, one on a group's caption chooses none.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

#include "gui/whole_check_window.h"

namespace tabulon::gui {
namespace {

WholeCheckResult TwoFindings() {
  WholeCheckResult r;
  WholeCheckRun run;
  run.sheet = Sheet::kClass;
  run.class_id = "KLA001";
  run.table = 4;
  run.target = "klasse:KLA001:4";
  for (int entry : {8, 235}) {
    run.flags.MarkTested(entry);
    run.flags.Fail(entry);
  }
  r.runs.push_back(run);
  return r;
}

TEST(FindingsListTest, AnyCellOfARowChoosesItsFinding) {
  WholeCheckWindow w;
  w.Show(TwoFindings());
  w.show();
  ASSERT_EQ(w.findings().size(), 2u);
  std::vector<int> chosen;
  QObject::connect(&w, &WholeCheckWindow::FindingChosen,
                   [&](const WholeCheckFinding& f) { chosen.push_back(f.entry); });
  // Sheet, class and table groups lead to the table's rows.
  QModelIndex table = w.model()->index(0, 0);
  while (w.model()->rowCount(table) > 0 && w.model()->hasChildren(w.model()->index(0, 0, table))) {
    table = w.model()->index(0, 0, table);
  }
  for (int col : {0, 2, 4}) emit w.tree()->activated(w.model()->index(1, col, table));
  emit w.tree()->activated(table);
  EXPECT_EQ(chosen, (std::vector<int>{235, 235, 235}));
}

}  // namespace
}  // namespace tabulon::gui

// The findings of the whole-school check: one list across sheets, classes and tables that stays
// open while the person corrects. A double-click asks the main window to show the finding's
// table and cell; "erneut prüfen" asks it to run the check again.
#pragma once

#include <QDialog>
#include <vector>

#include "app/whole_check.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QAbstractItemModel;
class QTreeView;
class QModelIndex;

namespace tabulon::gui {

class FindingsModel;

class WholeCheckWindow : public QDialog {
  Q_OBJECT
 public:
  explicit WholeCheckWindow(QWidget* parent = nullptr);
  // Shows a result; the filter stays as the person set it.
  void Show(WholeCheckResult result);
  const WholeCheckResult& result() const { return result_; }
  const std::vector<WholeCheckFinding>& findings() const { return findings_; }
  // As a double-click on the finding at index of findings().
  void ChooseFinding(std::size_t index);

  QTreeView* tree() const { return tree_; }
  QAbstractItemModel* model() const;
  QRadioButton* errors_only() const { return errors_only_; }
  QRadioButton* with_hints() const { return with_hints_; }
  QPushButton* recheck_button() const { return recheck_; }
  QPushButton* print_button() const { return print_; }
  QLabel* summary() const { return summary_; }

 signals:
  void FindingChosen(const tabulon::WholeCheckFinding& finding);
  void RecheckRequested();
  void PrintRequested();

 private:
  void Rebuild();
  void Activated(const QModelIndex& index);

  WholeCheckResult result_;
  std::vector<WholeCheckFinding> findings_;
  QTreeView* tree_;
  FindingsModel* model_;
  QRadioButton* errors_only_;
  QRadioButton* with_hints_;
  QPushButton* recheck_;
  QPushButton* print_;
  QLabel* summary_;
};

}  // namespace tabulon::gui

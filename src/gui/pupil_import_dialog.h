// "Datei → Schülerliste importieren ...": the class tables filled from a pupil list. The dialog
// shows, before anything is written, which tables the list fills and every cell that changes
// (old → new), and writes only after "Übernehmen".
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <vector>

#include "app/pupil_import.h"
#include "base/ports.h"

class QCheckBox;
class QLabel;
class QListView;
class QPushButton;
class QStringListModel;
class QTableView;

namespace tabulon::gui {

class MainWindow;

// The preview list: one row per cell that changes, a row per table of a new class that brings
// no counts. Thousands of rows, so a model over the plan rather than items.
class PupilPreviewModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void SetPlan(const PupilImportPlan& plan);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  struct Row {
    QString class_id;
    int table = 0;
    QString column;
    int row = -1;  // -1: the whole table
    QString label;
    QString old_text;
    QString new_text;
    QString note;
  };
  std::vector<Row> rows_;
};

class PupilImportDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PupilImportDialog(QWidget* parent = nullptr);
  // Shows a plan of `file`'s list: the tables it fills, its reports and the cells that change.
  void SetPlan(const QString& file, const PupilImportPlan& plan);

  PupilPreviewModel* preview_model() const { return model_; }
  QTableView* preview() const { return preview_; }
  QListView* reports() const { return reports_; }
  QLabel* summary() const { return summary_; }
  QCheckBox* create_classes() const { return create_classes_; }
  QPushButton* apply_button() const { return apply_; }
  QPushButton* cancel_button() const { return cancel_; }

 signals:
  // The check box changed: the plan must be made again.
  void CreateClassesToggled(bool create);

 private:
  QLabel* summary_;
  PupilPreviewModel* model_;
  QTableView* preview_;
  QStringListModel* reports_model_;
  QListView* reports_;
  QCheckBox* create_classes_;
  QPushButton* apply_;
  QPushButton* cancel_;
};

inline constexpr char kPupilImportCaption[] = "Schülerliste importieren";
inline constexpr char kPupilImportBackupQuestion[] = "Vor dem Import sichern?";

// The whole command: the shown table saved, the backup question, the file dialog, reading and
// planning behind a progress dialog, the preview dialog, writing, the class tests of the touched
// classes, the report, and the shown table loaded again.
void RunPupilImport(MainWindow& window, Ui& ui, Platform& platform);

}  // namespace tabulon::gui

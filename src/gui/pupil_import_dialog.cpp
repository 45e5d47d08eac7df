#include "gui/pupil_import_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/export.h"
#include "files/files.h"
#include "gui/accessibility.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"
#include "gui/whole_check_window.h"
#include "sheets/class/class_list.h"

namespace tabulon::gui {
namespace {

constexpr const char* kColumns[] = {"Klasse",      "Tabelle", "Spalte", "Zeile",
                                    "Bezeichnung", "alt",     "neu",    "Hinweis"};
constexpr int kColumnCount = 8;

// The text a row of a class table is known by: its key's or its birth year's text.
QString RowLabel(const Grid& grid, int row) {
  const std::string& text = grid.Cell(1, row);
  return Q(text.empty() ? grid.Cell(0, row) : text);
}

}  // namespace

// ---------------------------------------------------------------- preview model

void PupilPreviewModel::SetPlan(const PupilImportPlan& plan) {
  beginResetModel();
  rows_.clear();
  const auto new_class = [&plan](const std::string& id) {
    return std::find(plan.new_classes.begin(), plan.new_classes.end(), id) !=
           plan.new_classes.end();
  };
  for (const PupilTableChange& change : plan.changes) {
    const QString note = change.overwrites ? QStringLiteral("überschreibt erfasste Daten")
                         : new_class(change.class_id) ? QStringLiteral("neue Klasse")
                                                      : QString();
    if (change.cells.empty()) {
      rows_.push_back({Q(change.class_id), change.table, {}, -1, {}, {}, {}, note});
      continue;
    }
    for (const class_sheet::CellChange& cell : change.cells) {
      rows_.push_back({Q(change.class_id), change.table, Q(change.derived.Cell(cell.col, 0)),
                       cell.row, RowLabel(change.derived, cell.row), Q(cell.old_text),
                       Q(cell.new_text), note});
    }
  }
  endResetModel();
}

int PupilPreviewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PupilPreviewModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant PupilPreviewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  const Row& r = rows_[static_cast<std::size_t>(index.row())];
  switch (index.column()) {
    case 0:
      return r.class_id;
    case 1:
      return r.table;
    case 2:
      return r.column;
    case 3:
      return r.row < 0 ? QVariant() : QVariant(r.row);
    case 4:
      return r.label;
    case 5:
      return r.old_text;
    case 6:
      return r.new_text;
    default:
      return r.note;
  }
}

QVariant PupilPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      section >= kColumnCount) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return QString::fromUtf8(kColumns[section]);
}

// ---------------------------------------------------------------- dialog

PupilImportDialog::PupilImportDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PupilImportDialog"));
  setWindowTitle(QString::fromUtf8(kPupilImportCaption));
  resize(900, 620);
  auto* layout = new QVBoxLayout(this);
  summary_ = new QLabel;
  summary_->setObjectName(QStringLiteral("PupilImportSummary"));
  summary_->setWordWrap(true);
  summary_->setTextFormat(Qt::PlainText);
  summary_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  summary_->setFocusPolicy(Qt::TabFocus);
  summary_->setAccessibleName(QStringLiteral("Übersicht"));
  layout->addWidget(summary_);

  auto* preview_label = new QLabel(QStringLiteral("&Vorschau der Änderungen (alt → neu):"));
  layout->addWidget(preview_label);
  model_ = new PupilPreviewModel(this);
  preview_ = new QTableView;
  preview_->setObjectName(QStringLiteral("PupilImportPreview"));
  preview_->setModel(model_);
  preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  preview_->setSelectionBehavior(QAbstractItemView::SelectRows);
  preview_->setTabKeyNavigation(false);
  preview_->verticalHeader()->hide();
  preview_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  // Widths from the first rows only: measuring thousands of rows would hold the dialog up.
  preview_->horizontalHeader()->setResizeContentsPrecision(200);
  preview_->horizontalHeader()->setStretchLastSection(true);
  preview_->setWordWrap(false);
  preview_label->setBuddy(preview_);
  layout->addWidget(preview_, 3);

  auto* reports_label = new QLabel(QStringLiteral("&Gemeldete Schüler (nirgends gezählt):"));
  layout->addWidget(reports_label);
  reports_model_ = new QStringListModel(this);
  reports_ = new QListView;
  reports_->setObjectName(QStringLiteral("PupilImportReports"));
  reports_->setModel(reports_model_);
  reports_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  reports_->setUniformItemSizes(true);
  reports_label->setBuddy(reports_);
  layout->addWidget(reports_, 1);

  create_classes_ = new QCheckBox(QStringLiteral("Fehlende &Klassen anlegen"));
  create_classes_->setObjectName(QStringLiteral("CreateClasses"));
  layout->addWidget(create_classes_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  apply_ = new QPushButton(QStringLiteral("Ü&bernehmen"));
  apply_->setObjectName(QStringLiteral("ApplyImport"));
  apply_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("&Abbrechen"));
  cancel_->setObjectName(QStringLiteral("CancelImport"));
  buttons->addWidget(apply_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);

  connect(apply_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(create_classes_, &QCheckBox::toggled, this,
          [this](bool on) { emit CreateClassesToggled(on); });
  NameControlsByTheirLabels(this);
  preview_->setFocus();
}

void PupilImportDialog::SetPlan(const QString& file, const PupilImportPlan& plan) {
  QStringList lines;
  lines << QStringLiteral("Schülerliste: %1").arg(file);
  for (const std::string& l : plan.table_lines) lines << Q(l);
  for (const std::string& id : plan.new_classes) lines << QStringLiteral("Neue Klasse: ") + Q(id);
  lines << Q(ImportSummary(plan, 0, false));
  if (plan.changes.empty()) lines << QStringLiteral("Keine Tabelle ändert sich.");
  summary_->setText(lines.join(QLatin1Char('\n')));
  model_->SetPlan(plan);
  preview_->resizeColumnsToContents();
  QStringList reports;
  reports.reserve(static_cast<qsizetype>(plan.reports.size()));
  for (const class_sheet::PupilReport& r : plan.reports) reports << Q(r.Text());
  reports_model_->setStringList(reports);
  apply_->setEnabled(!plan.changes.empty());
}

// ---------------------------------------------------------------- the command

namespace {

// The progress dialog of one long step; it shows itself only when the step takes a while, and
// goes with the step.
class ImportProgress {
 public:
  ImportProgress(QWidget* parent, const QString& what, bool cancellable)
      : dialog_(parent), what_(what), cancellable_(cancellable) {
    dialog_.setObjectName(QStringLiteral("PupilImportProgress"));
    dialog_.setWindowTitle(QString::fromUtf8(kPupilImportCaption));
    dialog_.setAccessibleName(QStringLiteral("Fortschritt des Imports"));
    dialog_.setCancelButtonText(QStringLiteral("Abbrechen"));
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(300);
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    dialog_.setLabelText(what.arg(1).arg(1));
  }
  // Told each step "%1 von %2"; false when the person cancelled a step that may be cancelled.
  PupilProgress Steps() {
    return [this](int done, int total) {
      dialog_.setRange(0, total);
      dialog_.setValue(done);
      dialog_.setLabelText(what_.arg(done + 1).arg(total));
      QCoreApplication::processEvents();
      return !cancellable_ || !dialog_.wasCanceled();
    };
  }

 private:
  QProgressDialog dialog_;
  QString what_;
  bool cancellable_;
};

std::optional<PupilImportPlan> Plan(QWidget* parent, const class_sheet::PupilList& list,
                                    Session& session, Ui& ui, bool create_classes) {
  std::optional<PupilImportPlan> plan;
  ImportProgress progress(parent, QStringLiteral("Klasse %1 von %2 wird berechnet ..."),
                          /*cancellable=*/true);
  session.Guarded([&] {
    plan = PlanPupilImport(list, session.settings(), session.paths(), ui, CurrentYear(),
                           create_classes, progress.Steps(), "„Fehlende Klassen anlegen“");
  });
  if (plan && plan->cancelled) plan.reset();
  return plan;
}

std::optional<class_sheet::PupilList> ReadList(const std::filesystem::path& file, Ui& ui) {
  const std::string refused = "Die Schülerliste kann nicht gelesen werden:\r" + DisplayPath(file);
  try {
    return ReadPupilListFile(file);
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
  } catch (const class_sheet::PupilListError& e) {
    ui.Message(MessageKind::kError, refused + "\r" + e.what());
  }
  return std::nullopt;
}

// The findings of the class tests in the window the whole-school check uses.
void ShowClassChecks(MainWindow& window, Platform& platform, WholeCheckResult checks) {
  auto* findings = new WholeCheckWindow(&window);
  findings->setObjectName(QStringLiteral("PupilImportChecks"));
  findings->setAttribute(Qt::WA_DeleteOnClose);
  findings->setWindowTitle(QStringLiteral("Klassentests nach dem Import der Schülerliste"));
  QObject::connect(findings, &WholeCheckWindow::FindingChosen, &window,
                   [&window](const WholeCheckFinding& f) { window.GoToFinding(f); });
  QObject::connect(findings, &WholeCheckWindow::RecheckRequested, &window,
                   [&window] { window.StartWholeCheck(); });
  QObject::connect(findings, &WholeCheckWindow::PrintRequested, &window, [findings, &platform] {
    platform.PrintPreview(
        WholeCheckDocument(findings->result(), !findings->errors_only()->isChecked()));
  });
  findings->Show(std::move(checks));
  findings->show();
  findings->raise();
}

}  // namespace

void RunPupilImport(MainWindow& window, Ui& ui, Platform& platform) {
  Session& session = window.session();
  if (session.settings().IsReadOnly()) {
    ui.Message(MessageKind::kInformation,
               "Der Dateizugriff ist auf \"nur LESEN\" eingestellt!\r"
               "Eine Schülerliste kann nicht übernommen werden.");
    return;
  }
  if (session.dst_nr_refused()) {
    ui.Message(MessageKind::kError,
               "Ohne gültige DST-Nr. kann keine Schülerliste importiert werden.\r"
               "Prüfen Sie bitte die Programm-Einstellungen!");
    return;
  }
  // The import works on the stored files: the shown table goes there first.
  if (!session.SaveForWholeCheck()) return;
  if (ui.Ask(MessageKind::kInformation, kPupilImportBackupQuestion)) {
    bool backed_up = false;
    session.Guarded([&] {
      // The question has just been answered; the backup must not ask it again.
      Settings settings = session.settings();
      settings.backup_at_start = 1;
      ExportContext ctx{settings, session.mutable_paths(), ui, {}, {}};
      const ExportResult r = BackupDatabase(ctx);
      backed_up = r.outcome == ExportOutcome::kDone && r.failures.empty();
    });
    // A backup that was asked for and did not come about (its box has said why) stops the
    // import: nothing is overwritten without it.
    if (!backed_up) return;
  }
  const std::optional<std::filesystem::path> file =
      ui.ChooseOpenFile(kPupilImportCaption, session.paths().data_base_dir,
                        "Schülerlisten (*.csv *.txt);;Alle Dateien (*)");
  if (!file) return;

  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::optional<class_sheet::PupilList> list = ReadList(*file, ui);
  QApplication::restoreOverrideCursor();
  if (!list) return;
  std::optional<PupilImportPlan> plan = Plan(&window, *list, session, ui, false);
  if (!plan) return;

  PupilImportDialog dialog(&window);
  const QString shown_file = Q(DisplayPath(*file));
  dialog.SetPlan(shown_file, *plan);
  QObject::connect(&dialog, &PupilImportDialog::CreateClassesToggled, &dialog, [&](bool create) {
    if (auto again = Plan(&dialog, *list, session, ui, create)) {
      plan = std::move(again);
      dialog.SetPlan(shown_file, *plan);
    } else {
      // Cancelled: the preview keeps the plan it shows, and the box says which that is.
      const QSignalBlocker block(dialog.create_classes());
      dialog.create_classes()->setChecked(!create);
    }
  });
  if (dialog.exec() != QDialog::Accepted) return;

  int written = 0;
  bool whole = false;
  bool checked = false;
  WholeCheckResult checks;
  {
    // Writing is not cancelled half-way: each table written is whole, but a class would be.
    ImportProgress progress(&window, QStringLiteral("Tabelle %1 von %2 wird geschrieben ..."),
                            /*cancellable=*/false);
    session.Guarded([&] {
      session.EnsureDataDirectories();
      written = WritePupilImport(*plan, session.settings(), session.paths(), ui, progress.Steps());
      whole = true;
      checks = CheckImportedClasses(*plan, session.settings(), session.paths(),
                                    /*preview=*/false);
      checked = true;
    });
  }

  // The grid shows the table as it now is on disk, and the class list the classes created.
  const std::string current = session.current_class();
  session.LoadClassList();
  session.SelectClass(class_sheet::FindClass(session.class_list(), current));
  session.ShowTable(session.current_sheet(), session.current_table());
  window.ControlsChanged();

  ui.Message(MessageKind::kInformation,
             std::string(whole ? "Schülerliste übernommen:\r"
                               : "Schülerliste nur zum Teil übernommen:\r") +
                 ImportSummary(*plan, written, true) + "\rKlassentests: " +
                 (!checked             ? "nicht ausgeführt"
                  : checks.AnyFailed() ? "Test nicht bestanden!"
                                       : "Tests bestanden!"));
  if (checks.AnyFailed()) ShowClassChecks(window, platform, std::move(checks));
}

}  // namespace tabulon::gui

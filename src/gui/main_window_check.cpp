// The main window's part in the whole-school check: the progress dialog while the check runs one
// class per turn of the event loop, the findings window, the jump to a finding, and the check
// before the export for the statistical office.
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <memory>
#include <set>

#include "app/export.h"
#include "files/files.h"
#include "gui/main_window.h"
#include "gui/qt_ports.h"
#include "gui/qt_text.h"
#include "gui/whole_check_window.h"
#include "sheets/class/class_list.h"

namespace tabulon::gui {
namespace {

// A missing key file would otherwise say so for every class of the school.
class OnceUi : public Ui {
 public:
  explicit OnceUi(Ui& ui) : ui_(ui) {}
  void Message(MessageKind kind, const std::string& text) override {
    if (said_.insert(text).second) ui_.Message(kind, text);
  }
  bool Ask(MessageKind kind, const std::string& text) override { return ui_.Ask(kind, text); }
  std::optional<std::filesystem::path> ChooseDirectory(
      const std::string& caption, const std::filesystem::path& start) override {
    return ui_.ChooseDirectory(caption, start);
  }
  OverwriteChoice AskOverwrite(const std::string& text) override { return ui_.AskOverwrite(text); }

 private:
  Ui& ui_;
  std::set<std::string> said_;
};

}  // namespace

void MainWindow::StartWholeCheck() {
  if (check_) return;
  if (!session_->SaveForWholeCheck()) {
    check_for_export_ = false;
    return;
  }
  // The check reads the stored files with settings and paths of its own, so nothing the person
  // does meanwhile changes what a half-done run looks at.
  check_settings_ = session_->settings();
  check_paths_ = session_->paths();
  check_ = std::make_unique<WholeCheck>(session_->class_list(),
                                        StoredTableLoader(check_settings_, check_paths_),
                                        check_settings_, check_settings_.log_all_tests != 0);
  check_ui_ = std::make_unique<OnceUi>(ui_);
  check_progress_ = new QProgressDialog(this);
  check_progress_->setObjectName(QStringLiteral("WholeCheckProgress"));
  check_progress_->setWindowTitle(QString::fromUtf8(kWholeCheckTitle));
  check_progress_->setAccessibleName(QStringLiteral("Fortschritt der Gesamtprüfung"));
  check_progress_->setCancelButtonText(QStringLiteral("Abbrechen"));
  check_progress_->setRange(0, check_->step_count());
  check_progress_->setMinimumDuration(0);
  check_progress_->setAutoClose(false);
  check_progress_->setAutoReset(false);
  check_progress_->setWindowModality(Qt::WindowModal);
  check_progress_->setLabelText(QStringLiteral("Schul- und Lehrer-Bogen"));
  // "Abbrechen" lets the class being checked finish: the next slice does not start.
  connect(check_progress_, &QProgressDialog::canceled, this, [this] {
    if (check_) check_->Cancel();
  });
  check_progress_->show();
  check_timer_.start();
}

void MainWindow::WholeCheckSlice() {
  if (!check_) return;
  if (check_progress_->wasCanceled()) check_->Cancel();
  if (!check_->Done()) {
    try {
      check_->Step(*check_ui_);
    } catch (const FileError& e) {
      ui_.Message(MessageKind::kError, e.Message());
      check_->Cancel();
    }
  }
  if (check_->Done()) {
    FinishWholeCheck();
    return;
  }
  const int total = check_->step_count() - 1;
  check_progress_->setValue(check_->next_step());
  check_progress_->setLabelText(QStringLiteral("Klasse %1 von %2: %3")
                                    .arg(check_->next_step())
                                    .arg(total)
                                    .arg(Q(check_->NextClass())));
  check_timer_.start();
}

void MainWindow::FinishWholeCheck() {
  WholeCheckResult result = check_->TakeResult();
  check_.reset();
  check_progress_->hide();
  check_progress_->deleteLater();
  check_progress_ = nullptr;
  if (check_for_export_) {
    check_for_export_ = false;
    AskExportAnyway(std::move(result));
  } else {
    ShowFindings(std::move(result));
  }
}

void MainWindow::ShowFindings(WholeCheckResult result) {
  if (!check_window_) {
    check_window_ = new WholeCheckWindow(this);
    connect(check_window_, &WholeCheckWindow::FindingChosen, this,
            [this](const WholeCheckFinding& f) { GoToFinding(f); });
    connect(check_window_, &WholeCheckWindow::RecheckRequested, this, [this] {
      CommitEdits();
      StartWholeCheck();
    });
    connect(check_window_, &WholeCheckWindow::PrintRequested, this, [this] {
      platform_.PrintPreview(
          WholeCheckDocument(check_window_->result(), !check_window_->errors_only()->isChecked()));
    });
  }
  check_window_->Show(std::move(result));
  check_window_->show();
  check_window_->raise();
}

void MainWindow::StartStaLAExport() {
  if (check_ || export_question_) return;
  CommitEdits();
  check_for_export_ = true;
  StartWholeCheck();
}

// Nothing failed: the export as it always was. Otherwise the summary and the question, in a box
// that waits without an event loop of its own.
void MainWindow::AskExportAnyway(WholeCheckResult result) {
  const std::string summary = WholeCheckSummary(result);
  if (summary.empty()) {
    program_.RunCopy(ExportStaLA);
    return;
  }
  auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Warnung"),
                              DisplayText(summary + "\r" + kExportAnywayQuestion),
                              QMessageBox::NoButton, this);
  box->setObjectName(QStringLiteral("ExportAnywayQuestion"));
  QPushButton* yes = box->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
  QPushButton* no = box->addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
  QPushButton* show =
      box->addButton(QStringLiteral("&Fundstellen anzeigen"), QMessageBox::ActionRole);
  yes->setObjectName(QStringLiteral("ExportAnyway"));
  no->setObjectName(QStringLiteral("ExportNot"));
  show->setObjectName(QStringLiteral("ExportShowFindings"));
  box->setDefaultButton(no);
  box->setEscapeButton(no);
  box->setWindowModality(Qt::WindowModal);
  box->setAttribute(Qt::WA_DeleteOnClose);
  auto kept = std::make_shared<WholeCheckResult>(std::move(result));
  connect(box, &QMessageBox::buttonClicked, this, [this, yes, show, kept](QAbstractButton* b) {
    export_question_ = nullptr;
    if (b == yes) {
      program_.RunCopy(ExportStaLA);
    } else if (b == show) {
      ShowFindings(std::move(*kept));
    }
  });
  export_question_ = box;
  box->open();
}

void MainWindow::GoToFinding(const WholeCheckFinding& finding) {
  CommitEdits();
  // The runs over several tables show the class list (numbering) or the first footnote table.
  const int table = finding.table == kNumberingRunTable  ? 0
                    : finding.table == kFootnoteRunTable ? 1
                                                         : finding.table;
  int top = -1;
  for (int i = 0; i < sheet_tabs_->count(); ++i) {
    if (SheetAt(i) == finding.sheet) top = i;
  }
  const int inner = PagePositionOf(finding.sheet, table);
  if (top < 0 || inner < 0) return;
  // Switching pages saves the table left, as any switch does; a table that could not be written
  // keeps the window where it was.
  sheet_tabs_->setCurrentIndex(top);
  table_tabs(finding.sheet)->setCurrentIndex(inner);
  if (session_->current_sheet() != finding.sheet || session_->current_table() != table) return;
  if (finding.sheet == Sheet::kClass && !finding.class_id.empty()) {
    const int index = class_sheet::FindClass(session_->class_list(), finding.class_id);
    if (index < 0) return;
    if (session_->current_class() != finding.class_id) {
      session_->ClassClicked(index);
      ControlsChanged();
    }
    if (session_->current_class() != finding.class_id) return;
  }
  session_->MoveToFinding(finding.sheet, table, finding.col, finding.row);
}

}  // namespace tabulon::gui

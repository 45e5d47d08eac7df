#include "gui/dialogs.h"

#include <QDir>
#include <QFileSystemModel>
#include <QStorageInfo>
#include <QTimer>
#include <system_error>

#include "files/files.h"
#include "gui/accessibility.h"
#include "gui/qt_ports.h"
#include "gui/qt_text.h"
#include "text/encoding.h"
#include "ui_about_box.h"
#include "ui_directory_dialog.h"
#include "ui_progress_dialog.h"
#include "ui_settings_dialog.h"

namespace tabulon::gui {
namespace {

namespace fs = std::filesystem;

// The mounted volumes, the root first, as the drive box lists them.
void FillDriveBox(QComboBox* box) {
  box->clear();
  QStringList roots;
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
    if (v.isValid()) roots << v.rootPath();
  }
  roots.removeDuplicates();
  roots.sort();
  for (const QString& r : roots) box->addItem(r);
}

// The volume a directory lies on, as listed in the drive box.
int DriveIndexOf(QComboBox* box, const QString& dir) {
  QString root = QStorageInfo(dir).rootPath();
  int i = box->findText(root);
  return i >= 0 ? i : box->findText(QStringLiteral("/"));
}

void SetUpDirectoryList(QTreeView* view, QFileSystemModel* model) {
  model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
  model->setRootPath(QStringLiteral("/"));
  view->setModel(model);
  for (int c = 1; c < model->columnCount(); ++c) view->hideColumn(c);
  // The model reads directories in the background and the rows above the chosen directory move
  // as they arrive; the chosen one is kept in sight, so that the keyboard starts where it is.
  QObject::connect(model, &QFileSystemModel::directoryLoaded, view, [view] {
    if (view->currentIndex().isValid()) view->scrollTo(view->currentIndex());
  });
}

QString WithSeparator(QString dir) {
  if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  return dir;
}

}  // namespace

DriveProbe ProbeDrive(const fs::path& root) {
  std::error_code ec;
  if (!fs::exists(root, ec)) return {DriveOutcome::kNoMedium};
  fs::directory_iterator it(root, ec);
  if (ec) return {DriveOutcome::kUnreadable, ec.value()};
  return {it == fs::directory_iterator() ? DriveOutcome::kEmpty : DriveOutcome::kHasFiles};
}

std::string DriveCheckMessage(const DriveProbe& probe, const std::string& drive) {
  switch (probe.outcome) {
    case DriveOutcome::kHasFiles:
      return {};
    case DriveOutcome::kEmpty:
      return "Datenträger im Laufwerk " + drive + ": ist leer!";
    case DriveOutcome::kNoMedium:
      return "KEIN Datenträger im Laufwerk " + drive + ":";
    case DriveOutcome::kUnreadable:
      return "Datenträger im Laufwerk " + drive + ": nicht formatiert!" + "\r" +
             "E/A-Fehler: " + std::to_string(probe.error_code) + " aufgetreten!";
  }
  return {};
}

bool CheckDrive(const fs::path& root, bool show_messages, Ui& ui) {
  DriveProbe probe = ProbeDrive(root);
  std::string text = DriveCheckMessage(probe, root.string());
  if (show_messages && !text.empty()) ui.Message(MessageKind::kPlain, text);
  return probe.outcome == DriveOutcome::kHasFiles || probe.outcome == DriveOutcome::kEmpty;
}

std::string UnsafeDstNrMessage(const std::string& dst_nr) {
  return "Die Statistik-Schulnummer \"" + dst_nr +
         "\"\rkann nicht als Name des Datenverzeichnisses dienen!\r\r"
         "Verwenden Sie keine der Zeichen \\ / : * ? \" < > |,\rkein \"..\" und kein Leer- oder "
         "Punktzeichen am Ende.";
}

// ---------------------------------------------------------------- progress dialog

ProgressDialog::ProgressDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<::Ui::TFortschrittDlg>()) {
  ui_->setupUi(this);
  step_timer_.setInterval(150);
  close_timer_.setInterval(2000);
  connect(&step_timer_, &QTimer::timeout, this, [this] {
    int next = ui_->bar->value() + 1;
    ui_->bar->setValue(next > ui_->bar->maximum() ? ui_->bar->minimum() : next);
  });
  connect(&close_timer_, &QTimer::timeout, this, [this] {
    if (isVisible()) accept();
  });
  // Both run all the time; the dialog closes at the next tick of the slow one.
  step_timer_.start();
  close_timer_.start();
}

ProgressDialog::~ProgressDialog() = default;

int ProgressDialog::Position() const { return ui_->bar->value(); }

void ProgressDialog::showEvent(QShowEvent* event) {
  ui_->bar->setValue(1);
  QDialog::showEvent(event);
}

// ---------------------------------------------------------------- settings dialog

SettingsDialog::SettingsDialog(fs::path program_dir, Ui& ui, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<::Ui::TEinstellForm>()),
      program_dir_(std::move(program_dir)),
      port_(ui),
      model_(new QFileSystemModel(this)) {
  ui_->setupUi(this);
  NameControlsByTheirLabels(this);
  SetUpDirectoryList(ui_->dirList, model_);
  FillDriveBox(ui_->driveBox);
  connect(ui_->driveBox, &QComboBox::activated, this,
          [this](int i) { SetDirectory(ui_->driveBox->itemText(i)); });
  connect(ui_->dirList->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) { record_.data_base_dir = S(model_->filePath(index)); });
  connect(ui_->defaultsButton, &QPushButton::clicked, this, [this] {
    DefaultSettings(record_);
    SettingsToControls();
  });
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->acceptButton, &QPushButton::clicked, this, &SettingsDialog::TakeOver);
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::showEvent(QShowEvent* event) {
  // Every opening shows what the file holds now.
  ReloadSettings(program_dir_, record_);
  SettingsToControls();
  QDialog::showEvent(event);
  // Scrolling needs the laid-out list, which exists once the dialog is on the screen.
  QTimer::singleShot(0, this, [this] { ui_->dirList->scrollTo(ui_->dirList->currentIndex()); });
}

void SettingsDialog::SetDirectory(const QString& dir) {
  QModelIndex index = model_->index(dir);
  ui_->dirList->setCurrentIndex(index);
  ui_->dirList->scrollTo(index);
  record_.data_base_dir = S(dir);
  int drive = DriveIndexOf(ui_->driveBox, dir);
  if (drive >= 0) ui_->driveBox->setCurrentIndex(drive);
}

struct OptionBox {
  QCheckBox* ::Ui::TEinstellForm::*box;
  std::uint16_t Settings::*word;
};
constexpr OptionBox kOptionBoxes[] = {
    {&::Ui::TEinstellForm::saveOnlyDataBox, &Settings::save_only_rows_with_data},
    {&::Ui::TEinstellForm::shrinkBox, &Settings::shrink_rows_without_data},
    {&::Ui::TEinstellForm::logAllBox, &Settings::log_all_tests},
    {&::Ui::TEinstellForm::backupBox, &Settings::backup_at_start},
    {&::Ui::TEinstellForm::unclearBox, &Settings::report_unclear_records},
    {&::Ui::TEinstellForm::copyEsBox, &Settings::copy_with_es_row},
    {&::Ui::TEinstellForm::warnBox, &Settings::warn_unsuitable_access},
    {&::Ui::TEinstellForm::askCalcBox, &Settings::ask_after_calculations},
    {&::Ui::TEinstellForm::portableBox, &Settings::portable},
};

void SettingsDialog::SettingsToControls() {
  ui_->dstEdit->setText(Q(record_.dst_nr));
  if (record_.data_base_dir.empty()) record_.data_base_dir = program_dir_.string();
  SetDirectory(Q(record_.data_base_dir));
  ui_->readOnlyRadio->setChecked(record_.IsReadOnly());
  ui_->readWriteRadio->setChecked(!record_.IsReadOnly());
  for (const OptionBox& o : kOptionBoxes) ((*ui_).*(o.box))->setChecked(record_.*(o.word) == 1);
}

void SettingsDialog::ControlsToSettings() {
  record_.dst_nr = text::CutChars(S(ui_->dstEdit->text()), kDstNrMaxChars);
  QModelIndex current = ui_->dirList->currentIndex();
  if (current.isValid()) record_.data_base_dir = S(model_->filePath(current));
  record_.data_base_dir = DirectoryTextWithSeparator(record_.data_base_dir);
  record_.read_only = ui_->readWriteRadio->isChecked() ? 0 : 1;
  for (const OptionBox& o : kOptionBoxes) {
    record_.*(o.word) = ((*ui_).*(o.box))->isChecked() ? 1 : 0;
  }
}

void SettingsDialog::TakeOver() {
  ControlsToSettings();
  // The number names the school's data directory; one that cannot do so would put the data
  // somewhere else or nowhere, so the dialog stays open until it is corrected.
  if (!IsSafeNameComponent(record_.dst_nr)) {
    port_.Message(MessageKind::kError, UnsafeDstNrMessage(record_.dst_nr));
    ui_->dstEdit->setFocus();
    return;
  }
  try {
    WriteSettingsFile(program_dir_, record_);
  } catch (const FileError& e) {
    port_.Message(MessageKind::kError, e.Message());
    return;
  }
  if (show_progress_) {
    ProgressDialog progress(this);
    progress.exec();
  }
  accept();
}

// ---------------------------------------------------------------- directory dialog

DirectoryDialog::DirectoryDialog(QWidget* parent, Ui* ui)
    : QDialog(parent),
      ui_(std::make_unique<::Ui::TVerzWahlForm>()),
      model_(new QFileSystemModel(this)),
      port_(ui) {
  ui_->setupUi(this);
  NameControlsByTheirLabels(this);
  SetUpDirectoryList(ui_->dirList, model_);
  FillDriveBox(ui_->driveBox);
  connect(ui_->driveBox, &QComboBox::activated, this, &DirectoryDialog::DriveChosen);
  connect(ui_->dirList->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) { shown_ = model_->filePath(index); });
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

DirectoryDialog::~DirectoryDialog() = default;

void DirectoryDialog::SetDirectory(const fs::path& dir) {
  shown_ = Q(dir.string());
  while (shown_.size() > 1 && shown_.endsWith(QLatin1Char('/'))) shown_.chop(1);
  QModelIndex index = model_->index(shown_);
  ui_->dirList->setCurrentIndex(index);
  ui_->dirList->scrollTo(index);
  drive_index_ = DriveIndexOf(ui_->driveBox, shown_);
  ui_->driveBox->setCurrentIndex(drive_index_);
}

void DirectoryDialog::DriveChosen(int index) {
  QString root = ui_->driveBox->itemText(index);
  QtUi fallback(this);
  Ui& ui = port_ ? *port_ : static_cast<Ui&>(fallback);
  if (CheckDrive(S(root), true, ui)) {
    SetDirectory(S(root));
  } else {
    ui_->driveBox->setCurrentIndex(drive_index_);
  }
}

fs::path DirectoryDialog::ChosenDirectory() const { return S(WithSeparator(shown_)); }

AboutBox::AboutBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<::Ui::TAboutBox>()) {
  ui_->setupUi(this);
}

AboutBox::~AboutBox() = default;

void AboutBox::SetProgramDir(const QString& dir) {
  ui_->programDirLabel->setText(QStringLiteral("Programmverzeichnis: ") + dir);
}

QString AboutBox::ProgramDirText() const { return ui_->programDirLabel->text(); }

}  // namespace tabulon::gui

// The dialogs of the program's settings: the settings dialog, the progress dialog that follows a
// save, the directory dialog with its check of the chosen volume, and the about box.
#pragma once

#include <QDialog>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <optional>

#include "base/ports.h"
#include "base/settings.h"

class QFileSystemModel;

namespace Ui {
class TEinstellForm;
class TVerzWahlForm;
class TFortschrittDlg;
class TAboutBox;
}  // namespace Ui

namespace tabulon::gui {

// What a look at a volume found; the three outcomes of the drive check.
enum class DriveOutcome { kHasFiles, kEmpty, kNoMedium, kUnreadable };

struct DriveProbe {
  DriveOutcome outcome;
  int error_code = 0;  // the system's code for kUnreadable
};

// Looks at the root of a mounted volume.
DriveProbe ProbeDrive(const std::filesystem::path& root);
// The text of the drive check for an outcome ("" when none is shown).
std::string DriveCheckMessage(const DriveProbe& probe, const std::string& drive);
// Whether the volume can be used; tells the person why not when show_messages is set.
bool CheckDrive(const std::filesystem::path& root, bool show_messages, Ui& ui);

// Why a DST-Nr. cannot name the school's data directory.
std::string UnsafeDstNrMessage(const std::string& dst_nr);

class ProgressDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ProgressDialog(QWidget* parent = nullptr);
  ~ProgressDialog() override;
  int Position() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::unique_ptr<::Ui::TFortschrittDlg> ui_;
  QTimer step_timer_;
  QTimer close_timer_;
};

class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  SettingsDialog(std::filesystem::path program_dir, Ui& ui, QWidget* parent = nullptr);
  ~SettingsDialog() override;

  // The record as the dialog shows it (after "übernehmen": as written).
  const Settings& record() const { return record_; }
  // Whether the progress dialog is shown after a save (off in tests that need no wait).
  void SetShowProgress(bool show) { show_progress_ = show; }
  ::Ui::TEinstellForm& form() { return *ui_; }

  void SettingsToControls();
  void ControlsToSettings();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void SetDirectory(const QString& dir);
  void TakeOver();  // "übernehmen": check, write the record, accept

  std::unique_ptr<::Ui::TEinstellForm> ui_;
  std::filesystem::path program_dir_;
  Ui& port_;
  Settings record_;
  QFileSystemModel* model_;
  bool show_progress_ = true;
};

class DirectoryDialog : public QDialog {
  Q_OBJECT
 public:
  explicit DirectoryDialog(QWidget* parent = nullptr, Ui* ui = nullptr);
  ~DirectoryDialog() override;
  void SetDirectory(const std::filesystem::path& dir);
  // The directory shown, with a trailing separator.
  std::filesystem::path ChosenDirectory() const;
  ::Ui::TVerzWahlForm& form() { return *ui_; }

 private:
  void DriveChosen(int index);

  std::unique_ptr<::Ui::TVerzWahlForm> ui_;
  QFileSystemModel* model_;
  Ui* port_;
  QString shown_;
  int drive_index_ = -1;
};

class AboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit AboutBox(QWidget* parent = nullptr);
  ~AboutBox() override;
  // Which directory holds settings, definitions and lists: beside the program or per user.
  void SetProgramDir(const QString& dir);
  QString ProgramDirText() const;

 private:
  std::unique_ptr<::Ui::TAboutBox> ui_;
};

}  // namespace tabulon::gui

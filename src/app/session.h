// The program-wide state of a run and the rules of start-up, switching, saving, read-only access
// and closing. The window only forwards its events here and renders what the session holds, so
// every one of these rules runs and is tested without a display.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/data_paths.h"
#include "app/pages.h"
#include "base/ports.h"
#include "base/settings.h"
#include "calc/calculations.h"  // CalcCommand, and kNoClass: the class shown while none is selected
#include "tables/error_flags.h"
#include "tables/grid.h"

namespace tabulon {

struct PlausiReport;

// Where a table's files lie and what the loads and saves need to know.
struct TableContext {
  const Settings& settings;
  const DataPaths& paths;
  const std::string& class_id;  // the current class for class tables
  Ui& ui;
};

// The grids of every table definition, with their set-up, load and save. The sheet code
// provides it; the session decides when and in which order each runs.
class TableStore {
 public:
  virtual ~TableStore() = default;
  virtual void SetUpGrid(std::string_view definition) = 0;
  // Loads the grid from its data file; returns the largest number of fields found in a line.
  virtual int LoadGrid(std::string_view definition, const TableContext& ctx) = 0;
  virtual void SaveGrid(std::string_view definition, const TableContext& ctx) = 0;
  // Whether the teacher table 1 file holds a table in the layout of 2003.
  virtual bool IsOldTeacherTable(const std::filesystem::path& /*file*/) { return false; }
  // The grid of a definition, for the commands that work on the shown grid; nullptr when the
  // store keeps no grids of its own.
  virtual Grid* FindGrid(std::string_view /*definition*/) { return nullptr; }
};

enum class IndicatorState { kHidden, kRed, kYellowFlash };
enum class FocusRequest { kNone, kNewClassField, kClassList };

class Session {
 public:
  Session(std::filesystem::path program_dir, Ui& ui, Platform& platform, TableStore& store);

  void SetView(View* view) { view_ = view; }
  // Runs an internal test of a table page (sheet, table); set by the window.
  void SetPlausiRunner(std::function<void(int sheet, int table)> run) { plausi_ = std::move(run); }
  // Shows the error window of a test run; returns the index of the finding the person chose to
  // go to, if any. Set by the window.
  using PlausiWindow = std::function<std::optional<std::size_t>(const PlausiReport&)>;
  void SetPlausiWindow(PlausiWindow show) { plausi_window_ = std::move(show); }
  // Runs the automatic backup once after start-up.
  void SetBackup(std::function<void()> backup) { backup_ = std::move(backup); }

  // Start-up: what happens when the window is created, and when it is first shown.
  void FormCreate();
  void FormShow();
  // The one-shot timer after the window appeared; true the first time only.
  bool StartupTimer();

  // The window's pages changed: top-level page position and the position on that sheet's tabs.
  // False when the table left could not be written: it stays current and the window turns back.
  bool PageChanged(int top_page, int inner_page);
  void ShowTable(int sheet, int table);
  void SaveTable(int sheet, int table);
  void ShowChangeState();
  // The window ends the yellow flash of the indicator 200 ms after it began.
  void EndFlash();

  // A cell of a statistics grid was edited.
  void CellEdited();
  // The explicit save command.
  void FileSave();
  // The close request; true when the program may end.
  bool FormClose();
  void SetSaveSuspend(bool down);
  // The tool button that runs the current table's internal test.
  void RunCurrentPlausi();
  // A button of the page of (sheet, table); ignored unless that table is the current one.
  void PageCommand(int sheet, int table, PageAction action);
  // The three calculation commands on the current table (menu items and tool buttons).
  void Calculate(CalcCommand command);

  // The data base directory was chosen in the directory dialog.
  void DataBaseDirectoryChosen(const std::filesystem::path& dir);
  // The settings dialog ended with "übernehmen"; the new record was written.
  void SettingsAccepted(const Settings& settings);
  // Before the settings dialog opens: the record is read from the file again.
  void ReloadSettingsForDialog();

  void UpdateDataPaths();
  void EnsureDataDirectories();
  void LoadClassList();
  void SelectClass(int index);

  // Runs a command and reports a file error in one error box; grids and settings stay.
  void Guarded(const std::function<void()>& command);

  // State the window renders.
  const Settings& settings() const { return settings_; }
  Settings& mutable_settings() { return settings_; }
  const DataPaths& paths() const { return paths_; }
  DataPaths& mutable_paths() { return paths_; }
  int current_sheet() const { return current_sheet_; }
  int current_table() const { return current_table_; }
  bool changed() const { return changed_; }
  bool save_suspended() const { return save_suspended_; }
  bool toggle_enabled() const { return !settings_.IsReadOnly(); }
  IndicatorState indicator() const { return indicator_; }
  const std::string& status_dst_nr() const { return status_dst_nr_; }
  const std::string& current_class() const { return current_class_; }
  int selected_class_index() const { return selected_class_index_; }
  const std::vector<std::string>& class_list() const { return class_list_; }
  bool class_fields_visible() const { return class_fields_visible_; }
  const std::string& class_internal_name() const { return class_internal_name_; }
  void set_class_internal_name(std::string name) { class_internal_name_ = std::move(name); }
  bool calc_subtotals() const { return calc_[0]; }
  bool calc_summary_columns() const { return calc_[1]; }
  bool calc_summary_row() const { return calc_[2]; }
  bool class_tools_enabled() const { return class_tools_enabled_; }
  bool old_teacher_notice_visible() const { return old_teacher_notice_; }
  bool teacher_hint_visible() const { return teacher_hint_; }
  FocusRequest TakeFocusRequest();
  int top_page() const { return top_page_; }
  int inner_page(int sheet) const;
  std::string& remembered_school_type() { return remembered_school_type_; }
  const std::filesystem::path& program_dir() const { return program_dir_; }
  ErrorFlags& error_flags() { return error_flags_; }
  // The DST-Nr. of the settings file could not name a directory: nothing is read from or written
  // below the data base directory until the person sets a valid number.
  bool dst_nr_refused() const { return dst_nr_refused_; }

 private:
  TableContext Context() const;
  void ShowSchoolTable(int table);
  void ShowTeacherTable(int table);
  void ShowClassTable(int table);
  void SetUpAndLoad(std::string_view definition, bool load);
  void SetCalcButtons(int sheet, int table);
  void ReleaseToggle();
  void CreateDirectoryReported(const std::filesystem::path& dir);
  void Notify();
  void RecomputeCurrent();
  void RunSchoolPlausi(const TablePage& page);
  Grid* TableGridOf(const TablePage& page);
  void GridChanged(int sheet, int table);

  std::filesystem::path program_dir_;
  Ui& ui_;
  Platform& platform_;
  TableStore& store_;
  View* view_ = nullptr;
  std::function<void(int, int)> plausi_;
  std::function<void()> backup_;
  PlausiWindow plausi_window_;

  Settings settings_;
  DataPaths paths_;
  std::string status_dst_nr_ = "DST-Nr.";
  int current_sheet_ = kSheetSchool;
  int current_table_ = 0;
  int top_page_ = 1;
  int inner_pages_[4] = {0, 0, 0, 0};
  bool changed_ = false;
  bool save_suspended_ = false;
  IndicatorState indicator_ = IndicatorState::kHidden;
  std::string current_class_ = kNoClass;
  int selected_class_index_ = -1;
  int list_selection_ = -1;
  std::vector<std::string> class_list_;
  std::string class_internal_name_;
  bool class_fields_visible_ = false;
  bool calc_[3] = {false, false, false};
  bool class_tools_enabled_ = false;
  bool old_teacher_notice_ = false;
  bool teacher_hint_ = false;
  bool timer_armed_ = false;
  FocusRequest focus_ = FocusRequest::kNone;
  std::string remembered_school_type_;
  ErrorFlags error_flags_;
  bool dst_nr_refused_ = false;
};

}  // namespace tabulon

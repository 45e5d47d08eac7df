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

#include "app/registry.h"
#include "base/data_paths.h"
#include "base/ports.h"
#include "base/settings.h"
#include "base/sheet.h"
#include "sheets/sheet_def.h"
#include "tables/error_flags.h"
#include "tables/grid.h"

namespace tabulon {

struct PlausiReport;

// The grids of every table definition, with their set-up, load and save. The sheet code
// provides it; the session decides when and in which order each runs.
class TableStore {
 public:
  virtual ~TableStore() = default;
  virtual void SetUpGrid(std::string_view definition) = 0;
  // Loads the grid from its data file; returns the largest number of fields found in a line.
  virtual int LoadGrid(std::string_view definition, const TableContext& ctx) = 0;
  virtual void SaveGrid(std::string_view definition, const TableContext& ctx) = 0;
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
  void ShowTable(Sheet sheet, int table);
  void SaveTable(Sheet sheet, int table);
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
  void PageCommand(Sheet sheet, int table, PageAction action);
  // The three calculation commands on the current table (menu items and tool buttons).
  void Calculate(CalcCommand command);
  // The "T&ools" items the sheets declare (by sheet and position): run one.
  void RunTool(Sheet sheet, std::size_t index);

  // The data base directory was chosen in the directory dialog.
  void DataBaseDirectoryChosen(const std::filesystem::path& dir);
  // The settings dialog ended with "übernehmen"; the new record was written.
  void SettingsAccepted(const Settings& settings);
  // Before the settings dialog opens: the record is read from the file again.
  void ReloadSettingsForDialog();

  void UpdateDataPaths();
  void EnsureDataDirectories();
  void LoadClassList();
  // Only moves the list's selection (the list box's current row), as the window renders it.
  void SelectClass(int index);
  // The class page: a click into the class list (the previous class's tables are saved first),
  // the add button with the two fields' texts, the delete button, the numbering test.
  void ClassClicked(int index);
  void AddClass(const std::string& id, const std::string& school_name);
  void DeleteClass();
  void TestClassNumbering();
  // The tests over all tables of the current class: the summary of tables 0 to 9 and the
  // footnote cross test (page buttons and menu items). Both save the current table first.
  void RunClassSummaryTest();
  void RunClassFootnoteTest();
  // The two class tool buttons: the same tests, on the class sheet only.
  void ClassToolTest(bool summary);

  // The whole-school check starts: the table shown is saved as leaving it saves it. False when it
  // could not be written (the box has said so).
  bool SaveForWholeCheck();
  // A finding was chosen: when its table is the current one, its cell becomes the current cell.
  void MoveToFinding(Sheet sheet, int table, int col, int row);

  // Runs a command and reports a file error in one error box; grids and settings stay. False when
  // the command ended in a file error.
  bool Guarded(const std::function<void()>& command);

  // State the window renders.
  const Settings& settings() const { return settings_; }
  const DataPaths& paths() const { return paths_; }
  DataPaths& mutable_paths() { return paths_; }
  Sheet current_sheet() const { return current_sheet_; }
  int current_table() const { return current_table_; }
  bool changed() const { return changed_; }
  bool save_suspended() const { return save_suspended_; }
  bool toggle_enabled() const { return !settings_.IsReadOnly(); }
  IndicatorState indicator() const { return indicator_; }
  const std::string& status_dst_nr() const { return status_dst_nr_; }
  const std::string& current_class() const { return current_class_; }
  int selected_class_index() const { return selected_class_index_; }
  // The entry the class list shows as selected (-1: none).
  int list_selection() const { return list_selection_; }
  const std::vector<std::string>& class_list() const { return class_list_; }
  bool class_fields_visible() const { return class_fields_visible_; }
  const std::string& class_internal_name() const { return class_internal_name_; }
  bool calc_subtotals() const { return calc_[0]; }
  bool calc_summary_columns() const { return calc_[1]; }
  bool calc_summary_row() const { return calc_[2]; }
  bool class_tools_enabled() const { return class_tools_enabled_; }
  // The names of the current page's notices that are shown now.
  std::vector<std::string_view> visible_notices() const;
  bool notice_visible(std::string_view name) const;
  // Whether a sheet's "T&ools" item is shown; decided each time a table is shown.
  bool tool_visible(Sheet sheet, std::size_t index) const;
  FocusRequest TakeFocusRequest();
  int top_page() const { return top_page_; }
  int inner_page(Sheet sheet) const;
  const std::filesystem::path& program_dir() const { return program_dir_; }
  // The DST-Nr. of the settings file could not name a directory: nothing is read from or written
  // below the data base directory until the person sets a valid number.
  bool dst_nr_refused() const { return dst_nr_refused_; }

 private:
  TableContext Context() const;
  void ShowSheetTable(const SheetDef& sheet, int table);
  void ShowClassTable(const SheetDef& sheet, int table);
  int SetUpAndLoadPage(const TablePage& page, bool load, bool skip_unreported = false);
  void UpdateNotices(const TablePage* page, int max_fields);
  void UpdateTools();
  void SetCalcButtons(Sheet sheet, int table);
  void ReleaseToggle();
  void CreateDirectoryReported(const std::filesystem::path& dir);
  void Notify();
  void RecomputeCurrent();
  void RunPlausi(const SheetTest& test, const TablePage& page);
  Grid* TableGridOf(const TablePage& page);
  void GridChanged(Sheet sheet, int table);
  std::filesystem::path ClassDir() const;
  Grid* ClassIdentGrid();
  bool SaveClassForSwitch();

  std::filesystem::path program_dir_;
  Ui& ui_;
  Platform& platform_;
  TableStore& store_;
  View* view_ = nullptr;
  std::function<void()> backup_;
  PlausiWindow plausi_window_;

  Settings settings_;
  DataPaths paths_;
  std::string status_dst_nr_ = "DST-Nr.";
  Sheet current_sheet_ = Sheet::kQuick;  // set by FormCreate()
  int current_table_ = 0;
  int top_page_ = 0;
  int inner_pages_[kSheetCount] = {};
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
  std::vector<bool> notices_visible_;
  int page_max_fields_ = 0;  // what the current page's load reported, for its notices
  std::vector<bool> tools_visible_[kSheetCount];
  bool timer_armed_ = false;
  FocusRequest focus_ = FocusRequest::kNone;
  ErrorFlags error_flags_;
  bool dst_nr_refused_ = false;
};

}  // namespace tabulon

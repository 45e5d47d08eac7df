// The main window: four sheets with their table pages, built from the page list, a tool bar, the
// menus and the status line. It forwards every event to the session and renders its state.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/registry.h"
#include "app/session.h"
#include "app/session_tables.h"
#include "app/whole_check.h"
#include "tables/grid.h"

class QAction;
class QProgressDialog;
class QMessageBox;
class QMenu;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tabulon::gui {

class GridView;
class AboutBox;
class TablePageWidget;
class WholeCheckWindow;

inline constexpr const char* kMainWindowCaption =
    "Tabulon      Varnland  V.1.10. (2011) Berufsschule";

class MainWindow : public QMainWindow, public View {
  Q_OBJECT

 public:
  MainWindow(Program& program, Ui& ui, Platform& platform, QWidget* parent = nullptr);
  ~MainWindow() override;

  Session& session() { return *session_; }
  GridStore& store() { return store_; }
  GridView* GridViewOf(std::string_view definition) const;
  QTabWidget* sheet_tabs() const { return sheet_tabs_; }
  // A sheet's table tabs, made when first asked for.
  QTabWidget* table_tabs(Sheet sheet) { return table_tabs(SheetIndex(sheet)); }
  QTabWidget* table_tabs(int sheet);
  QLineEdit* indicator() const { return indicator_; }
  QToolButton* suspend_toggle() const { return suspend_button_; }
  QLabel* hint_panel() const { return hint_panel_; }
  QLabel* dst_panel() const { return dst_panel_; }
  QAction* action(const QString& object_name) const;
  AboutBox* about_box();
  // Pages are built when first shown; the rest follow one per turn of the event loop once the
  // window is up.
  bool all_pages_built() const;

  // The whole-school check: saves the table shown, then checks the stored files one class per
  // turn of the event loop behind a progress dialog, and shows the findings window.
  void StartWholeCheck();
  bool whole_check_running() const { return check_ != nullptr; }
  QProgressDialog* whole_check_progress() const { return check_progress_; }
  WholeCheckWindow* whole_check_window() const { return check_window_; }
  // Shows the finding's sheet, class and table (saving as any switch does) and its cell.
  void GoToFinding(const WholeCheckFinding& finding);
  // The export for the statistical office: the whole-school check first; with findings the
  // question whether to export anyway (open while it waits for the answer).
  void StartStaLAExport();
  QMessageBox* export_question() const { return export_question_; }

  // View
  void GridRebuilt(Sheet sheet, int table) override;
  void CurrentCellMoved(Sheet sheet, int table, int col, int row) override;
  void ChangeStateChanged() override;
  void ControlsChanged() override;
  void PagesChanged() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildActions();
  void BuildMenus();
  void BuildToolBar();
  void AddSheetTools(QMenu* menu);
  void BuildSheets();
  void BuildStatusLine();
  // Keys that work anywhere in the window: switching tables and sheets, moving between regions.
  void BuildKeyboard();
  TablePageWidget* CurrentPageWidget() const;
  void FocusCurrentGrid();
  void StepTable(int step);
  void StepSheet(int step);
  // The regions F6 moves between, each with its focusable controls: tool bar, sheet tabs, table
  // tabs, grids, page buttons, class fields.
  std::vector<std::vector<QWidget*>> FocusRegions() const;
  void StepRegion(int step);
  QWidget* BuildClassFields();
  QWidget* BuildTablePage(const TablePage& page);
  // Adds a sheet's table pages (not yet built) to its tabs, once.
  void FillTableTabs(int sheet);
  // Takes a page whose controls were just built into the window's lists.
  void PageBuilt(TablePageWidget* widget);
  void BuildNextPage();
  void WriteDeferredDefinitions();
  void PageChanged();
  // Commits what an open cell editor holds, so that commands see it.
  void CommitEdits();
  void CopyGrid(std::string_view definition, bool whole, bool first_row);
  void OpenSettings();
  void ChooseDataBaseDirectory();
  std::optional<std::size_t> ShowErrorWindow(const PlausiReport& report);
  GridView* TableViewOf(Sheet sheet, int table) const;
  QAction* AddAction(const char* name, const char* text, const char* hint = "");
  // Runs a command that reworks the current table (row append, sort, calculation) as one undo
  // step of its grid.
  void RunTableCommand(const char* text, const std::function<void()>& run);
  void Calculate(CalcCommand command);
  void WholeCheckSlice();
  void FinishWholeCheck();
  void ShowFindings(WholeCheckResult result);
  void AskExportAnyway(WholeCheckResult result);

  Program& program_;
  Ui& ui_;
  Platform& platform_;
  GridStore& store_;
  Session* session_;
  std::map<std::string, GridView*, std::less<>> views_;
  std::map<QString, QAction*> actions_;
  QTabWidget* sheet_tabs_ = nullptr;
  QTabWidget* table_tabs_[kSheetCount] = {};
  bool tabs_filled_[kSheetCount] = {};
  QLineEdit* indicator_ = nullptr;
  QAction* indicator_action_ = nullptr;
  QToolButton* suspend_button_ = nullptr;
  QLabel* hint_panel_ = nullptr;
  QLabel* dst_panel_ = nullptr;
  QWidget* class_fields_ = nullptr;
  QLabel* class_id_field_ = nullptr;
  QLabel* class_name_field_ = nullptr;
  QListWidget* class_list_ = nullptr;
  QLineEdit* new_class_field_ = nullptr;
  std::vector<TablePageWidget*> page_widgets_;
  struct ToolAction {
    Sheet sheet;
    std::size_t index;
    QAction* action;
  };
  std::vector<ToolAction> tool_actions_;
  AboutBox* about_ = nullptr;
  QTimer flash_timer_;
  QTimer startup_timer_;
  QTimer page_timer_;
  // The menus' Alt letters, which the pages' buttons leave to them.
  QString menu_letters_;
  bool shown_once_ = false;
  // The running whole-school check, on its own copy of the settings and paths.
  Settings check_settings_;
  DataPaths check_paths_;
  std::unique_ptr<WholeCheck> check_;
  std::unique_ptr<Ui> check_ui_;  // says each thing loading tells only once per check
  QProgressDialog* check_progress_ = nullptr;
  QTimer check_timer_;
  WholeCheckWindow* check_window_ = nullptr;
  bool check_for_export_ = false;
  QMessageBox* export_question_ = nullptr;
  bool reverting_ = false;
  // Set while a table command runs: its rebuild of the grids keeps their history.
  bool keep_history_ = false;
};

}  // namespace tabulon::gui

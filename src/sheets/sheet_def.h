// What a sheet declares about itself, in its own folder: its tables (frames as data), where their
// files lie, its pages with their buttons and notices, its tests, its calculations, its page
// commands and its command-line name. The session, the window, the calculation dispatch and the
// command line loop over these declarations; none of them names a sheet.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "base/data_paths.h"
#include "base/ports.h"
#include "base/settings.h"
#include "base/sheet.h"
#include "calc/cell_rules.h"
#include "plausi/test_run.h"
#include "tables/error_flags.h"
#include "tables/grid.h"
#include "tables/table_def.h"

namespace tabulon {

// Where a table's files lie and what its load and save need to know.
struct TableContext {
  const Settings& settings;
  const DataPaths& paths;
  const std::string& class_id;  // the current class for class tables
  Ui& ui;
  bool create_missing_dirs = true;  // false: a look that changes nothing on disk
};

// ---- Pages -------------------------------------------------------------------------------------

// Button texts every sheet uses.
inline constexpr std::string_view kPlausiHint = "programminterne Plausibilität der Tabelle testen";
inline constexpr std::string_view kAppendRowHint = "eine neue Zeile anhängen";
inline constexpr std::string_view kAppendRowsHint = "mehrere neue Zeilen anhängen";
inline constexpr std::string_view kCopyTableCaption = "Tabelle kopieren";
inline constexpr std::string_view kCopyTableHint =
    "gesamte Tabelle in die Windows-Zwischenablage kopieren";
inline constexpr std::string_view kCopyDataCaption = "Daten kopieren";
inline constexpr std::string_view kCopyDataHint =
    "Datenteil der Tabelle in die Windows-Zwischenablage kopieren";

// What a page button does. The window forwards the action with its page to the session; the
// session finds the sheet's command for it (or handles the few that act on the session itself).
enum class PageAction {
  kNone,    // a button without an action
  kPlausi,  // the table's internal plausibility test
  kAppendRow,
  kAppendRows,
  kSortRows,
  kPrefillSchoolTypeYears,
  kPrefillBirthYears,
  kFillTexts,
  kFillKeys,
  kFillTexts2,  // second text fill-in of a page (class table 8: Herkunftskreise)
  kFillKeys2,
  kTakeOverQuick,  // take data over from the quick report (hidden)
  kConvertTeacher2008,
  kNewOccupationGroup,
  kDeleteClass,
  kAddClass,
  kTestClassNumbering,
  kAllClassTests,
  kFootnoteTest,
};

struct PageButton {
  PageAction action;
  std::string_view caption;
  std::string_view hint = {};
  bool hidden = false;
  // The name of a page notice: the button is enabled only while that notice is shown.
  std::string_view enabled_by_notice = {};
};

struct PageGrid {
  std::string_view name;                  // the grid's name, for accessibility and tests
  std::string_view definition;            // "Bog1Tab0", ...
  bool copy_buttons = true;               // the class identification grid has none
  bool copy_data_with_first_row = false;  // a grid without ES row copies from its first data row
  bool reports_edits = true;              // edits in the class identification grid do not count
  std::string_view hint = {};             // the grid's hint, where it differs from a table's
};

// A label a page shows while its condition holds, evaluated each time the page's table is shown.
struct PageNotice {
  std::string_view name;  // accessibility name and handle for tests
  std::string_view text;
  // `max_fields`: the largest number of fields a line of the table's data file held.
  bool (*visible)(const TableContext& ctx, int max_fields) = nullptr;
};

struct TablePage {
  Sheet sheet;
  int table;
  std::string_view caption;
  std::span<const PageGrid> grids;
  std::span<const PageButton> buttons;
  // Which calculation tool buttons are enabled while the table is current.
  bool subtotals = false;
  bool summary_columns = false;
  bool summary_row = false;
  std::span<const PageNotice> notices = {};
  // Grids are saved last to first (the teacher's table 0 before the identification grid).
  bool save_grids_in_reverse = false;
  // The page shows the class list and the class fields beside its grids.
  bool class_selector = false;
  // A line of text the page shows above its grids (the quick report's notice).
  std::string_view notice_text = {};
};

// ---- Tables ------------------------------------------------------------------------------------

// Which prefix names a sheet's data files.
enum class FilePrefix { kDstNr, kClassId };

// A table whose load or save differs from the common data-file rules (the teacher list, the
// teacher table matched by number). `load` returns the largest field count of a line.
struct TableIO {
  std::string_view definition;
  int (*load)(Grid& grid, const TableDef& def, const TableContext& ctx) = nullptr;
  void (*save)(const Grid& grid, const TableDef& def, const TableContext& ctx) = nullptr;
};

// ---- Tests -------------------------------------------------------------------------------------

struct TestEnv {
  Grid& grid;  // the test moves its current cell to the error position
  ErrorFlags& flags;
  const Settings& settings;     // the DST-Nr. that names the data files
  const std::string& class_id;  // the current class for class tables
};

struct SheetTest {
  int table;
  std::string_view title;  // the caption of the error window
  TestResult (*run)(TestEnv& env);
};

// ---- Calculations ------------------------------------------------------------------------------

enum class CalcCommand { kSummaryRow, kSubtotalRows, kSummaryColumns };
using CalcFunction = void (*)(calc::CalcEnv&);

// What each command computes on a table; nullptr: "Keine sinnvolle Berechnung möglich!".
struct CalcEntry {
  int table;
  CalcFunction summary_row = nullptr;
  CalcFunction subtotal_rows = nullptr;
  CalcFunction summary_columns = nullptr;
};

// ---- Page commands -----------------------------------------------------------------------------

// What a page command may touch besides the grid.
struct CommandEnv {
  Grid& grid;
  Ui& ui;
  const TableContext& ctx;  // settings, directories (program directory included), class
  bool& changed;            // set when the table is to count as changed
  bool& reload;             // set when the command rewrote the table's file: show it again
};

struct GridCommand {
  int table;  // -1: every table of the sheet whose page shows the button
  PageAction action;
  void (*run)(CommandEnv& env);
  // The definition of the grid the command works on; empty: the page's table (the teacher's
  // first page also holds the identification grid, which its row buttons act on).
  std::string_view grid = {};
};

// How a command of the "T&ools" menu ended.
enum class ToolOutcome {
  kDone,        // the files are in their new state
  kIncomplete,  // a step failed; the person was told which
  kDeclined,    // "Nein" to the command's opening question
};

// A command of the "T&ools" menu that belongs to a sheet (file conversions). It either works on
// the stored files (`run`), or runs a page command of `table` on that table's grid (`action`, the
// menu's twin of a page button).
struct ToolCommand {
  std::string_view caption;
  // Whether the item is shown now; nullptr: always.
  bool (*visible)(const TableContext& ctx) = nullptr;
  ToolOutcome (*run)(const TableContext& ctx) = nullptr;
  // The table whose file `run` rewrites: shown again afterwards when it is current (unless the
  // command ended incomplete). With `action`, the table whose grid the command works on.
  int table = -1;
  PageAction action = PageAction::kNone;
  // The argument of "tabulon-cli umwandeln" that runs the command ("2003").
  std::string_view cli_name = {};
};

// A name of a table on the command line beside its number ("lehrer:ident", "klasse:ID:4.1").
struct TargetAlias {
  std::string_view name;
  std::string_view definition;
};

// ---- The sheet ---------------------------------------------------------------------------------

struct SheetDef {
  Sheet sheet;
  std::string_view caption;  // the top-level tab ("Schule")
  std::string_view hint;     // its hint ("Schul-Bogen")
  bool enabled = true;
  std::string_view data_dir;       // the sub-directory of the school data directory ("SCHULE")
  std::string_view cli_name;       // "schule": targets "schule:T"
  std::string_view unclear_table;  // "interner Fehler: unklare Schul-Tabelle"
  FilePrefix prefix = FilePrefix::kDstNr;

  std::span<const TableDef> tables;  // every definition of the sheet, identification included
  std::span<const TablePage> pages;  // in their order on the sheet's tabs
  std::span<const TableIO> io = {};
  std::span<const SheetTest> tests = {};
  std::span<const CalcEntry> calcs = {};
  std::span<const GridCommand> commands = {};
  std::span<const ToolCommand> tools = {};
  std::span<const TargetAlias> target_aliases = {};

  const TableDef* FindTable(std::string_view definition) const;
  const TableDef* FindTableNumber(int table) const;  // the table's own grid, not identification
  const TablePage* FindPage(int table) const;
  const SheetTest* FindTest(int table) const;
  const CalcEntry* FindCalc(int table) const;
  const GridCommand* FindCommand(int table, PageAction action) const;
  const TableIO* FindIO(std::string_view definition) const;
};

}  // namespace tabulon

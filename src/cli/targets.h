// The table targets of tabulon-cli ("schule:2", "lehrer:ident", "klasse:ID:4.1"): one grammar for
// every verb, and the set-up and load of the named table as showing its page does.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "app/session.h"
#include "base/data_paths.h"
#include "base/settings.h"
#include "cli/cli.h"
#include "sheets/sheet_def.h"
#include "tables/grid.h"

namespace tabulon::cli {

struct TableTarget {
  const SheetDef* sheet = nullptr;
  const TableDef* def = nullptr;
  std::string class_id;  // class targets only
  std::string text;      // as written
};

enum class TargetError { kNone, kUnknownTarget, kUnknownTable };

// SHEET:T for sheets named by the DST-Nr., SHEET:ID:T for class sheets. T is the table's number
// as its definition is named ("Bog1Tab2" is schule:2) or one of the sheet's names for a table.
// On kUnknownTable, `table_text` holds the T that named nothing.
TargetError ParseTarget(const std::string& text, TableTarget& target, std::string& table_text);

// "schule:0 bis schule:4" for a sheet: its first and last table by number.
std::string TargetRange(const SheetDef& sheet);
// Every sheet's range, joined by ", ".
std::string AllTargetRanges();

// A target's table after set-up and load, with the settings and paths it was loaded under.
struct LoadedTable {
  TableTarget target;
  Settings settings;
  DataPaths paths;
  Grid grid;
  int max_fields = 0;
  // Loaded to be saved: the school data directory and the sheet directory are created as the
  // program creates them at start and on loading. A table only looked at creates nothing.
  bool for_save = false;
};

// Reads the settings (with -d/-n), forms the paths and checks that the data base directory is
// there. Returns kExitOk, or kExitUsage after a message.
int PrepareSettings(Context& ctx, Settings& settings, DataPaths& paths);

// As at the program's start, before anything is saved: the school data directory, one level
// below the data base; a box says when it cannot be had.
void EnsureSchoolDataDir(const DataPaths& paths, Ui& ui);

// The table verbs' common start: parse the target, read the settings, refuse a save while access
// is read-only (when `for_save`), set the grid up and load it. Returns kExitOk, or kExitUsage
// after a message.
int LoadTarget(Context& ctx, const std::string& text, LoadedTable& loaded, Ui& ui,
               bool for_save = false);

// The refusal of a save while access is read-only, as the program's save command words it.
extern const char* const kReadOnlySaveRefusal;

// The class directory "KLASSE" of the school data directory.
std::filesystem::path ClassDirOf(const DataPaths& paths);
// Whether `id` names a class of the class list (compared exactly); if not, says so on standard
// error.
bool RequireListedClass(Context& ctx, const DataPaths& paths, const std::string& id);

// The context the sheet's loads and saves run in.
TableContext ContextOf(const LoadedTable& loaded, Ui& ui);

// Writes the loaded grid by its sheet's save. Returns kExitOk, or kExitUsage after the error
// message of a file error or when the table was kept unsaved.
int SaveLoaded(const LoadedTable& loaded, Ui& ui);

// The notices the page of the loaded table shows now, on one line led by "Hinweis: ".
void PrintPageNotices(const SheetDef& sheet, std::string_view definition, const TableContext& ctx,
                      int max_fields, std::ostream& err);

// Every cell of every row, cells separated by a tab and rows by a newline.
void PrintGrid(const Grid& g, std::ostream& out);

}  // namespace tabulon::cli

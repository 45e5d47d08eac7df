// The table targets of tabulon-cli ("schule:2", later "lehrer:T" and "klasse:ID:T"): parsing them
// and setting up and loading the named table as showing it in the program does.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "base/data_paths.h"
#include "base/settings.h"
#include "cli/cli.h"
#include "tables/datafile.h"
#include "tables/grid.h"
#include "tables/table_def.h"

namespace tabulon::cli {

struct TableTarget {
  const TableDef* def = nullptr;
  std::string prefix;  // class identifier for class tables; empty: the DST-Nr.
};

// "schule:T" with T from 0 to 4. Writes a usage message to err and returns nothing otherwise.
std::optional<TableTarget> ParseTableTarget(const std::string& text, std::ostream& err);

// A target's table after set-up and load, with the settings and paths it was loaded under.
struct LoadedTable {
  Settings settings;
  DataPaths paths;
  Grid grid;
  std::string prefix;
};

// Reads the settings (with -d/-n) and forms the paths and the file prefix. Returns kExitOk, or
// kExitUsage after an error message.
int PrepareTableTarget(Context& ctx, const TableTarget& target, LoadedTable& loaded);

// Sets up the grid and loads its data file; messages go to the Ui. Returns kExitOk, or
// kExitUsage after the error message of a file error.
int SetUpAndLoad(const TableTarget& target, LoadedTable& loaded, Ui& ui);

// The data-file context of a loaded table.
DataFileContext ContextOf(const LoadedTable& loaded, Ui& ui);

// Parses the target, reads the settings and forms the paths. Returns kExitOk, or kExitUsage after
// a message.
int PrepareTableTarget(Context& ctx, const std::string& text, TableTarget& target,
                       LoadedTable& loaded);

// Whether the settings allow saving; if not, shows the program's refusal and returns false.
bool CheckMaySave(const LoadedTable& loaded, Ui& ui);

// Writes the loaded grid to its data file. Returns kExitOk, or kExitUsage after the error
// message of a file error.
int SaveLoaded(const TableTarget& target, const LoadedTable& loaded, Ui& ui);

// Every cell of every row, cells separated by a tab and rows by a newline.
void PrintGrid(const Grid& g, std::ostream& out);

}  // namespace tabulon::cli

// The class-wide tests on the stored tables of one class: each table is set up and loaded as its
// page would be (through the sheet registry), then tested. The desktop program's buttons, the
// command line and the whole-school check all run their class tests through these functions.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/session_plausi.h"
#include "base/data_paths.h"
#include "base/ports.h"
#include "base/settings.h"
#include "plausi/protocol.h"
#include "tables/error_flags.h"
#include "tables/grid.h"

namespace tabulon {

// Class table `table` of one class, set up and loaded; may throw FileError.
using ClassTableLoad = std::function<Grid(int table)>;

// The stored tables of `class_id` as their pages show them, without creating anything on disk.
// The references must outlive the loader.
ClassTableLoad StoredClassTables(const Settings& settings, const DataPaths& paths,
                                 const std::string& class_id, Ui& ui);

// A finding of the summary with the table it was found in.
struct TableFinding {
  int table = 0;
  FindingPlace place;
  bool operator==(const TableFinding&) const = default;
};

// An entry that failed or gave a hint in one table of the summary.
struct TableEntry {
  int table = 0;
  int entry = 0;
  bool failed = false;
  bool hint = false;
};

struct ClassSummaryReport {
  PlausiReport report;  // title, window and (with statuses) protocol of the summary window
  TableStatuses statuses{};
  ErrorFlags flags;  // every table's findings together
  std::vector<TableFinding> findings;
  // What each table left, before the tables were merged: the list of findings names the table.
  std::vector<TableEntry> entries;
};

// The summary test: tables 0 to 9 each from cleared flags, merged into one result.
ClassSummaryReport RunClassSummary(const ClassTableLoad& load, const Settings& settings,
                                   const std::string& class_id, bool log_all_tests);

struct ClassRunReport {
  PlausiReport report;
  ErrorFlags flags;
};

// One table's own test (table 10 is "Tabelle 4.1").
ClassRunReport RunClassTableTest(int table, const ClassTableLoad& load, const Settings& settings,
                                 const std::string& class_id, bool log_all_tests);

// The footnote cross test over tables 1, 2, 3, 5, 7, 8 and 9.
ClassRunReport RunClassFootnotes(const ClassTableLoad& load, bool log_all_tests);

// All that is tested class-wide, in this order: the summary, table 4.1, the footnotes.
struct ClassWideReport {
  ClassSummaryReport summary;
  ClassRunReport table41;
  ClassRunReport footnotes;
};
ClassWideReport RunClassWideTests(const ClassTableLoad& load, const Settings& settings,
                                  const std::string& class_id, bool log_all_tests);

}  // namespace tabulon

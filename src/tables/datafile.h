// A table's data file: one line per grid row of its data area, fields joined by ";", CR LF line
// ends, IBM 850 on disk. One reader and one writer serve every table, driven by its TableDef.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "base/ports.h"
#include "base/settings.h"
#include "tables/grid.h"
#include "tables/table_def.h"

namespace tabulon {

// Where a table's data lie: the school data directory and the file-name prefix (the DST-Nr., or
// the class identifier for class tables).
struct DataFileContext {
  const Settings& settings;
  std::filesystem::path school_data_dir;
  std::string prefix;
  Ui& ui;
  // Whether a load creates the missing sheet directory, as showing a table does; a look from the
  // command line changes nothing on disk.
  bool create_missing_dir = true;
};

// sheet directory + prefix + two-digit number + ".CSV". Throws FileError when the prefix cannot
// stand as part of a file name (path separators, "..", control characters).
std::filesystem::path DataFilePath(const TableDef& def,
                                   const std::filesystem::path& school_data_dir,
                                   const std::string& prefix);

struct ReadResult {
  bool file_found = false;
  int lines = 0;
  int unassignable = 0;     // key-row tables: lines with an empty key
  int max_field_count = 0;  // the most fields any line held
};

// Fills the grid's data area from the file (after SetUpGrid), then runs the table's completion
// step. Throws FileError when the file exists but cannot be read.
ReadResult ReadDataFile(Grid& grid, const TableDef& def, const DataFileContext& ctx);

// Makes a missing sheet directory so that the next save can write; only that directory itself,
// so that below a data base that is gone (a removed stick, a typo) nothing is built up again.
// A directory that cannot be made is reported; loading goes on.
void EnsureSheetDirectory(const std::filesystem::path& dir, Ui& ui);

// The completion step of every identification record that carries the DST-Nr. in its row 2,
// column 1: a new record, or a file still carrying the placeholder number, gets the DST-Nr. the
// program runs with, so that the record always names the school whose data these are.
void CompleteDstNrRecord(Grid& grid, const LoadContext& ctx);

// The filling half of ReadDataFile on given file bytes, without messages and completion.
ReadResult LoadDataBytes(Grid& grid, const TableDef& def, std::string_view bytes,
                         const Settings& settings);

struct WriteResult {
  bool deleted = false;   // the file held no data row and was removed
  int data_rows = 0;      // rows from row 2 on that held data
  std::size_t bytes = 0;  // bytes written
};

// The file's bytes for the grid as it stands. data_rows counts rows from row 2 on with data.
std::string DataFileBytes(const Grid& grid, const TableDef& def, bool save_only_rows_with_data,
                          int* data_rows = nullptr);

// Writes the file (atomically), and deletes it again when the table deletes files without data.
// Throws FileError when it cannot be written; the previous file is then untouched.
WriteResult WriteDataFile(const Grid& grid, const TableDef& def, const DataFileContext& ctx);

// A key-row table whose key file was missing at set-up has no rows a value could have been typed
// into or loaded into: saving it would replace the stored figures with an empty table.
bool KeyRowsMissing(const Grid& grid, const TableDef& def);

// The save of the desktop program and the command line. Such a table is not written and its file
// stays as it is; the person has learned why from the set-up's warning about the missing key
// file, and may leave the page. Returns false when the table was kept that way.
bool SaveDataFile(const Grid& grid, const TableDef& def, const DataFileContext& ctx);

}  // namespace tabulon

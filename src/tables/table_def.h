// The description of one statistics table: everything the framework needs to set up its grid,
// fill it from its key file and move its data area to and from its data file. Each sheet lists
// its tables as data; set-up, load and save are the same code for all of them.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "base/ports.h"
#include "base/settings.h"
#include "base/sheet.h"
#include "tables/grid.h"

namespace tabulon {

enum class TableKind {
  kSingleRecord,  // row 2 only
  kKeyRow,        // one row per key-file line from row 2
  kFreeRow,       // rows appended by the user
};

// One cell of the built-in frame, in the order the definition file lists it.
struct FrameCell {
  int col;
  int row;
  std::string_view text;
};

struct ColumnWidth {
  int col;
  int width;
};

// What a completion step may look at: the settings in force (the DST-Nr. of the school).
struct LoadContext {
  const Settings& settings;
  Ui& ui;
};

struct TableDef {
  Sheet sheet;
  int table;               // within the sheet
  std::string_view name;   // "Bog1Tab0": the definition file is name + ".TBD"
  std::string_view title;  // header record text, e.g. "Schul-Tabelle 0"
  TableKind kind;

  // Initial grid.
  int cols;
  int rows;
  int fixed_cols;
  int default_col_width;
  std::span<const ColumnWidth> widths;
  std::span<const FrameCell> frame;

  // Key rows: the file in the program directory, the subject its missing-file warning names, and
  // which columns of a row take the key and the text (-1: none).
  std::string_view key_file;
  std::string_view key_subject;
  int key_col = 0;
  int key_copy_col = -1;
  int key_text_col = 1;

  // Data file: sheet directory + prefix + two-digit number + ".CSV".
  std::string_view sheet_dir;  // "SCHULE"
  int file_number;
  int first_data_col;
  int data_col_count;
  int last_key_row = 0;    // key-row tables: rows 1 to this one are loaded and saved
  int has_data_first_col;  // columns that decide whether a row holds data
  int has_data_last_col;
  bool zero_is_data;            // whether the text "0" counts as data
  bool delete_when_empty;       // delete a file without data rows after saving
  bool shrink_key_rows = true;  // key rows follow the row-height setting
  // The colour of the paper form; tables that stay at the school are grey.
  std::uint32_t background = kYellow;

  // Runs after every load, also when there was no file.
  void (*complete)(Grid& grid, const LoadContext& ctx) = nullptr;

  std::string DefinitionFileName() const { return std::string(name) + ".TBD"; }
};

}  // namespace tabulon

// The teacher list LEHRER.CSV: which person stands behind each teacher number. It stays at the
// school (never part of the official export) and is kept in the program directory, with a second
// copy in the school data directory that is only kept up to date, never created.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/data_paths.h"
#include "base/ports.h"
#include "tables/grid.h"

namespace tabulon {

inline constexpr const char* kTeacherListName = "LEHRER.CSV";

struct TeacherEntry {
  std::string number;
  std::string surname;
  std::string first_name;
  bool operator==(const TeacherEntry&) const = default;
};

// The non-empty lines of the list's bytes (IBM 850), each cut into at most three fields.
std::vector<TeacherEntry> ParseTeacherList(std::string_view bytes);

// The list's bytes for the identification grid: rows 1 to the last whose number, surname or first
// name holds more than a blank, in grid order, three fields without a trailing separator.
// `rows` receives the number of lines.
std::string TeacherListBytes(const Grid& ident, int* rows = nullptr);

// The copy that loading reads: the school data directory's when it exists, else the program
// directory's; nothing when neither exists.
std::filesystem::path TeacherListToRead(const DataPaths& paths);

// Puts the teachers into rows 1, 2, ... of the identification grid (columns 1 to 3), growing it
// to hold them all; column 0 of each row numbers it.
void PutTeacherList(Grid& ident, std::vector<TeacherEntry> entries);

// Fills the identification grid: column 0 numbered "01", "02", ..., columns 1 to 3 from the
// list, the grid grown to hold every teacher. Returns the number of teachers.
int LoadTeacherList(Grid& ident, const DataPaths& paths);

// Writes the grid to the program directory's copy and, when it exists, to the school data
// directory's. A list without teachers deletes the copies instead. Throws FileError.
void SaveTeacherList(const Grid& ident, const DataPaths& paths, Ui& ui);

// Column 0 of rows first_row to the last: the running number from 1, two digits at least.
void NumberRows(Grid& grid, int first_row);

// The teachers that table 1 gets rows for: the program directory's copy only, lines with a
// surname. Throws FileError when the copy exists but cannot be read.
std::vector<TeacherEntry> TeachersForTable1(const DataPaths& paths);

}  // namespace tabulon

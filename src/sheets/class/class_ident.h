// The identification table of a class and its notes file: the person's own notes about a class
// (teacher in charge, number of pupils), kept in the program directory as "<ID>ID.CSV" and never
// part of the official export.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "tables/grid.h"

namespace tabulon::class_sheet {

inline constexpr int kNotesLines = 9;  // line 9 belongs to no visible row
inline constexpr int kIdentIdRow = 1;
inline constexpr int kIdentSchoolNameRow = 2;

// "<ID>ID.CSV" in the program directory. Throws FileError for an identifier that cannot be part
// of a file name.
std::filesystem::path NotesFilePath(const std::filesystem::path& program_dir,
                                    const std::string& id);

// Puts the first field of each of the first nine lines (IBM 850) into column 1 of rows 1 to 9;
// the rest of the file is not looked at.
void ApplyNotesBytes(Grid& grid, std::string_view bytes);
// Nine lines "value;" (IBM 850, CR LF); line 9 is always ";".
std::string NotesFileBytes(const Grid& grid);

// Loads the notes of a class into the set-up identification grid: the file's lines, else empty
// rows; a blank identifier row gets the identifier. Throws FileError when the file exists but
// cannot be read.
void LoadClassNotes(Grid& grid, const std::string& id, const std::filesystem::path& program_dir);
// Writes the notes file atomically. Throws FileError; the old file then stays as it was.
void SaveClassNotes(const Grid& grid, const std::string& id,
                    const std::filesystem::path& program_dir);

// What the top bar shows as the school's own name of the class: row 2, or "??" when blank.
std::string SchoolNameOfClass(const Grid& ident_grid);

}  // namespace tabulon::class_sheet

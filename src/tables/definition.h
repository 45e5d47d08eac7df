// Setting up a table's grid from its definition file (*.TBD in the program directory): written
// once from the table's built-in frame when missing, and from then on the file decides the size,
// titles and codes of the grid. Key-row tables then take their rows from their key file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/ports.h"
#include "tables/grid.h"
#include "tables/table_def.h"
#include "tables/values.h"

namespace tabulon {

// Sizes beyond these are refused: no statistics table comes near them, and a damaged header must
// not make us allocate millions of cells.
inline constexpr int kMaxDefinitionCols = 1000;
inline constexpr int kMaxDefinitionRows = 10000;

// The bytes of the definition file written from the built-in frame (Windows-1252, CR LF).
std::string BuiltInDefinitionBytes(const TableDef& def);

// Builds the grid's frame: initial size and widths, empty cells, the definition file (written
// when missing, else read), then the key rows. Throws FileError when the definition file can be
// neither written nor read; the grid then keeps what was set so far.
// With `pending` given, a missing definition file is not written but added there, for the caller
// to write once it has time (the window, once it is on the screen).
using PendingDefinitions = std::vector<std::pair<std::filesystem::path, std::string>>;
void SetUpGrid(Grid& grid, const TableDef& def, const std::filesystem::path& program_dir, Ui& ui,
               PendingDefinitions* pending = nullptr);
// Writes the files of `pending` that are still missing and empties it. Every file is tried; the
// first that could not be written is then thrown as FileError.
void WritePendingDefinitions(PendingDefinitions& pending);

// The reading half of set-up on given bytes of a definition file (path only for messages).
// Returns false, after a warning, when the file asks for a size the table cannot have; the grid
// then holds the built-in frame.
bool ApplyDefinition(Grid& grid, const TableDef& def, std::string_view bytes,
                     const std::filesystem::path& path, Ui& ui);

// Puts key-file entries into the key rows from row 2 on, growing the grid to hold them.
void PutKeyRows(Grid& grid, const TableDef& def, std::vector<KeyEntry> entries);

// Fills the key rows of a key-row table from its key file; warns when the file is missing.
void FillKeyRows(Grid& grid, const TableDef& def, const std::filesystem::path& program_dir, Ui& ui);

}  // namespace tabulon

// How cells are read as values: blank and empty cells, numbers with their error reporting, blocks
// of cells, the ES row, value arrays; and the key files with the look-ups that fill texts or keys
// into a table from them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ports.h"
#include "tables/error_flags.h"
#include "tables/grid.h"

namespace tabulon {

// Empty or exactly one blank.
bool IsBlankCell(std::string_view text);

// Whether a cell counts as holding data when a row is saved: its text compares greater than a
// single blank byte by byte (empty, one blank and texts that begin with a control character do
// not). With zero_is_data false the text "0" does not count either.
bool CellHasData(std::string_view text, bool zero_is_data);

// The whole text as a signed 32-bit integer: leading blanks, one sign, then decimal digits or
// hexadecimal digits after "$", "x", "X" or "0x"/"0X". Nothing else may follow.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// A cell's number. Empty text is 0. Invalid text sets the failed flag of error_number and gives
// 0; a negative value while reject_negative sets the flag and is still returned.
std::int32_t CellNumber(std::string_view text, bool reject_negative, int error_number,
                        ErrorFlags& flags);

// Every cell of the rectangle holds the empty text (a single blank is not empty). A rectangle
// whose last column or row lies before its first is empty.
bool RangeIsEmpty(const Grid& grid, int first_col, int first_row, int last_row, int last_col);

// "ES" + the number in three digits, e.g. EsCode(1) == "ES001".
std::string EsCode(int n);
// Row 1 holds "ES001" ... up to the n-th code in the n columns from first_col on.
bool CodeRowMatches(const Grid& grid, int first_col, int n);

using ValueArray = std::array<std::int32_t, 101>;
void ClearValues(ValueArray& values);
// The sum of entries from..to (both included); 0 when to < from, from < 0 or to > 100. Wide, so
// that a sum of 32-bit values never wraps.
std::int64_t AddValues(const ValueArray& values, int from, int to);

// One line of a key file.
struct KeyEntry {
  std::string key;
  std::string text;
};

// A key file's entries in file order (Windows-1252 to UTF-8; a line without ";" has an empty
// text). Throws FileError when the file exists but cannot be read.
std::vector<KeyEntry> ParseKeyFile(std::string_view bytes);
// Nothing when the file does not exist; throws FileError when something that is no readable
// regular file lies under its name.
std::optional<std::vector<KeyEntry>> ReadKeyFile(const std::filesystem::path& path);

enum class KeyDirection {
  kTexts,  // look up the key, fill in its text
  kKeys,   // look up the text, fill in its key
};

struct KeyFillResult {
  int cells_filled = 0;
  // A fill taken from a file whose fills count as an edit of the table.
  bool marks_changed = false;
};

// Fills blank cells of fill_col from the key files (in the program directory, taken in order)
// where the look-up cell of the same row matches exactly. A filled cell is never overwritten, so
// the first matching line of the first file that has it wins. A missing file is reported and
// skipped.
KeyFillResult FillFromKeyFiles(Grid& grid, int lookup_col, int fill_col,
                               const std::vector<std::string>& key_files, KeyDirection direction,
                               const std::filesystem::path& program_dir, Ui& ui);

}  // namespace tabulon

// Pasting a block of text into a grid, as a spreadsheet puts it on the clipboard: cells separated
// by tabs, rows by line breaks. The rules live here so that they are tested without a window; the
// grid view only applies the plan.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tables/grid.h"

namespace tabulon {

struct CellWrite {
  int col = 0;
  int row = 0;
  std::string text;
  bool operator==(const CellWrite&) const = default;
};

struct PastePlan {
  // Empty when the paste is refused; then nothing may be written.
  std::vector<CellWrite> writes;
  // Cells of the block that fell beyond the grid's last column or row.
  long long dropped = 0;
  // Not empty: the message that refuses the whole paste.
  std::string refusal;
  // The status line's hint after the paste ("" when nothing was dropped).
  std::string Hint() const;
};

// The cells that pasting `text` with its top left at (col, row) writes. Fixed cells are never
// written; cells beyond the grid are counted, not written. A cell that would be written with ";"
// or a character the data files' code page cannot hold refuses the whole paste. Cells whose text
// already equals the grid's are left out. However long the text, the work is bounded by the grid
// and one pass over the text.
PastePlan PlanPaste(const Grid& grid, int col, int row, std::string_view text);

}  // namespace tabulon

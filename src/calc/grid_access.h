// The few grid operations the calculations use beyond reading and writing cells.
#pragma once

#include <string>

#include "tables/error_flags.h"
#include "tables/grid.h"
#include "tables/values.h"

namespace tabulon::calc {

// A cell's text; cells beyond the grid read as empty, as the rules count them.
inline const std::string& CellText(const Grid& grid, int col, int row) {
  return grid.Cell(col, row);
}
// Adds rows at the end of the grid.
inline void GrowRows(Grid& grid, int count) { grid.SetRowCount(grid.RowCount() + count); }

}  // namespace tabulon::calc

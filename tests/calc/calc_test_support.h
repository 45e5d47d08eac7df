// Grids for the calculation tests.
#pragma once

#include <string>
#include <vector>

#include "calc/grid_access.h"

namespace tabulon::testing {

inline Grid MakeGrid(int cols, int rows) { return Grid(cols, rows); }

// A grid with the given rows; every row is padded to `cols` columns.
inline Grid GridFromRows(int cols, const std::vector<std::vector<std::string>>& rows) {
  Grid g = MakeGrid(cols, static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) g.SetCell(c, r, rows[r][c]);
  return g;
}

inline std::vector<std::string> RowOf(const Grid& g, int row) {
  std::vector<std::string> out;
  for (int c = 0; c < g.ColCount(); ++c) out.push_back(g.Cell(c, row));
  return out;
}

}  // namespace tabulon::testing

// The tests of every folder use these by their short names.
namespace tabulon {
using testing::GridFromRows;
using testing::MakeGrid;
using testing::RowOf;
}  // namespace tabulon

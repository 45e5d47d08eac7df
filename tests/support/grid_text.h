// Areas of a grid as text, to compare whole rows at once: one string per row, cells joined by
// "|".
#pragma once

#include <string>
#include <vector>

#include "tables/grid.h"

namespace tabulon::testing {

// Columns `first_col` to `last_col` of rows `first_row` to `last_row`.
inline std::vector<std::string> RowTexts(const Grid& g, int first_col, int last_col, int first_row,
                                         int last_row) {
  std::vector<std::string> out;
  for (int r = first_row; r <= last_row; ++r) {
    std::string row;
    for (int c = first_col; c <= last_col; ++c) row += (c > first_col ? "|" : "") + g.Cell(c, r);
    out.push_back(row);
  }
  return out;
}

}  // namespace tabulon::testing

namespace tabulon {
using testing::RowTexts;
using Texts = std::vector<std::string>;
}  // namespace tabulon

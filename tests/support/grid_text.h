// Areas of a grid as text, to compare whole rows at once: one string per row, cells joined by
// "|".
#pragma once

#include <sstream>
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

// Rows written as text, "a|9 b|10": rows split at blanks, cells at "|"; "|" alone is a row of
// two empty cells.
inline std::vector<std::vector<std::string>> SplitRows(const std::string& text) {
  std::vector<std::vector<std::string>> out;
  std::istringstream rows(text);
  for (std::string row; rows >> row;) {
    out.emplace_back();
    std::size_t from = 0;
    for (std::size_t bar; (bar = row.find('|', from)) != std::string::npos; from = bar + 1) {
      out.back().push_back(row.substr(from, bar - from));
    }
    out.back().push_back(row.substr(from));
  }
  return out;
}

}  // namespace tabulon::testing

namespace tabulon {
using testing::RowTexts;
using testing::SplitRows;
using Texts = std::vector<std::string>;
}  // namespace tabulon

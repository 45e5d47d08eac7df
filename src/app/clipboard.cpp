#include "app/clipboard.h"

#include <string_view>

namespace tabulon {
namespace {

// Leading and trailing characters up to the blank go, as a spreadsheet would not want them.
std::string_view Trim(std::string_view s) {
  auto is_space = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
  return s;
}

std::string CopyRect(const CopySource& g, int first_col, int first_row) {
  std::string out;
  for (int row = first_row; row < g.row_count; ++row) {
    if (row > first_row) out += '\r';
    for (int col = first_col; col < g.col_count; ++col) {
      if (col > first_col) out += '\t';
      out += Trim(g.cell(col, row));
    }
  }
  return out;
}

}  // namespace

std::string CopyTable(const CopySource& grid) { return CopyRect(grid, 0, 0); }

std::string CopyData(const CopySource& grid, bool with_es_row) {
  return CopyRect(grid, grid.fixed_cols, grid.fixed_rows + (with_es_row ? 0 : 1));
}

std::string CopyDataWithFirstRow(const CopySource& grid) {
  return CopyRect(grid, grid.fixed_cols, grid.fixed_rows);
}

}  // namespace tabulon

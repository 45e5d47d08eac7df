// The few grid and cell-value operations the calculations use, gathered in one place so that the
// calculations read like their rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tables/error_flags.h"

#if __has_include("tables/grid.h")
#include "tables/grid.h"
#include "tables/values.h"
#define TABULON_CALC_HAS_GRID 1
#else
namespace tabulon {

// Interim grid until the table framework's grid is merged: text cells addressed (column, row).
class Grid {
 public:
  Grid() = default;
  Grid(int cols, int rows) { SetSize(cols, rows); }
  int ColCount() const { return cols_; }
  int RowCount() const { return rows_; }
  const std::string& Cell(int col, int row) const {
    static const std::string kEmpty;
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return kEmpty;
    return cells_[static_cast<std::size_t>(row * cols_ + col)];
  }
  void SetCell(int col, int row, std::string text) {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return;
    cells_[static_cast<std::size_t>(row * cols_ + col)] = std::move(text);
  }
  void SetRowCount(int rows) { SetSize(cols_, rows); }

 private:
  void SetSize(int cols, int rows) {
    std::vector<std::string> cells(static_cast<std::size_t>(cols * rows));
    for (int r = 0; r < rows && r < rows_; ++r)
      for (int c = 0; c < cols && c < cols_; ++c)
        cells[static_cast<std::size_t>(r * cols + c)] = Cell(c, r);
    cells_ = std::move(cells);
    cols_ = cols;
    rows_ = rows;
  }
  int cols_ = 0;
  int rows_ = 0;
  std::vector<std::string> cells_;
};

bool IsBlankCell(std::string_view text);
std::int32_t CellNumber(std::string_view text, bool reject_negative, int error_number,
                        ErrorFlags& flags);

}  // namespace tabulon
#endif

namespace tabulon::calc {

// A cell's text; cells beyond the grid read as empty, as the rules count them.
const std::string& CellText(const Grid& grid, int col, int row);
// Adds rows at the end of the grid.
void GrowRows(Grid& grid, int count);

}  // namespace tabulon::calc

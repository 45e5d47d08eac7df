#include "tables/grid.h"

#include <algorithm>
#include <utility>

namespace tabulon {

namespace {
const std::string kEmpty;
}

Grid::Grid(int cols, int rows) {
  SetColCount(cols);
  SetRowCount(rows);
}

void Grid::SetColCount(int cols) {
  cols = std::max(cols, 0);
  col_count_ = cols;
  for (auto& row : rows_) row.resize(static_cast<std::size_t>(cols));
  col_widths_.resize(static_cast<std::size_t>(cols), default_col_width_);
}

void Grid::SetRowCount(int rows) {
  rows = std::max(rows, 0);
  rows_.resize(static_cast<std::size_t>(rows),
               std::vector<std::string>(static_cast<std::size_t>(col_count_)));
  row_heights_.resize(static_cast<std::size_t>(rows), default_row_height_);
}

const std::string& Grid::Cell(int col, int row) const {
  if (col < 0 || row < 0 || col >= col_count_ || row >= RowCount()) return kEmpty;
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void Grid::SetCell(int col, int row, std::string text) {
  if (col < 0 || row < 0 || col >= col_count_ || row >= RowCount()) return;
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = std::move(text);
}

void Grid::ClearCells() {
  for (auto& row : rows_) {
    for (auto& cell : row) cell.clear();
  }
}

void Grid::SwapRows(int row_a, int row_b, int from_col) {
  if (row_a < 0 || row_b < 0 || row_a >= RowCount() || row_b >= RowCount() || row_a == row_b) {
    return;
  }
  auto& a = rows_[static_cast<std::size_t>(row_a)];
  auto& b = rows_[static_cast<std::size_t>(row_b)];
  if (from_col <= 0) {
    a.swap(b);
    std::swap(row_heights_[static_cast<std::size_t>(row_a)],
              row_heights_[static_cast<std::size_t>(row_b)]);
    return;
  }
  for (int c = from_col; c < col_count_; ++c) {
    a[static_cast<std::size_t>(c)].swap(b[static_cast<std::size_t>(c)]);
  }
}

void Grid::SetDefaultColWidth(int width) {
  default_col_width_ = width;
  std::fill(col_widths_.begin(), col_widths_.end(), width);
}

int Grid::ColWidth(int col) const {
  if (col < 0 || col >= col_count_) return default_col_width_;
  return col_widths_[static_cast<std::size_t>(col)];
}

void Grid::SetColWidth(int col, int width) {
  if (col < 0 || col >= col_count_) return;
  col_widths_[static_cast<std::size_t>(col)] = width;
}

void Grid::SetDefaultRowHeight(int height) {
  default_row_height_ = height;
  std::fill(row_heights_.begin(), row_heights_.end(), height);
}

int Grid::RowHeight(int row) const {
  if (row < 0 || row >= RowCount()) return default_row_height_;
  return row_heights_[static_cast<std::size_t>(row)];
}

void Grid::SetRowHeight(int row, int height) {
  if (row < 0 || row >= RowCount()) return;
  row_heights_[static_cast<std::size_t>(row)] = height;
}

void Grid::SetCurrentCell(int col, int row) {
  current_col_ = col;
  current_row_ = row;
}

}  // namespace tabulon

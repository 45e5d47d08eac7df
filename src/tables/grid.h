// The grid model every statistics table shares: text cells by (column, row), a fixed header row
// and fixed label columns, row heights, column widths, background colour and the current cell.
// The desktop program draws it; the core reads and writes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tabulon {

inline constexpr int kDefaultRowHeight = 18;
inline constexpr int kShrunkRowHeight = 9;
inline constexpr std::uint32_t kYellow = 0xFFFF00;  // 0xRRGGBB
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

class Grid {
 public:
  Grid() = default;
  Grid(int cols, int rows);

  int ColCount() const { return col_count_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Resizing keeps the cells that stay inside; new cells are empty, new rows get the default
  // height and new columns the default width. Negative sizes count as 0.
  void SetColCount(int cols);
  void SetRowCount(int rows);

  // The empty string when (col, row) lies outside the grid.
  const std::string& Cell(int col, int row) const;
  // Ignored outside the grid.
  void SetCell(int col, int row, std::string text);
  // Empties every cell at the current size.
  void ClearCells();
  // Exchanges the cells of two rows from column from_col on (0: whole rows, heights included).
  void SwapRows(int row_a, int row_b, int from_col = 0);

  int FixedRows() const { return fixed_rows_; }
  int FixedCols() const { return fixed_cols_; }
  void SetFixedRows(int n) { fixed_rows_ = n; }
  void SetFixedCols(int n) { fixed_cols_ = n; }

  // Setting the default width gives every column that width, as a fresh grid would have.
  int DefaultColWidth() const { return default_col_width_; }
  void SetDefaultColWidth(int width);
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);

  int DefaultRowHeight() const { return default_row_height_; }
  void SetDefaultRowHeight(int height);
  int RowHeight(int row) const;
  void SetRowHeight(int row, int height);

  std::uint32_t Background() const { return background_; }
  void SetBackground(std::uint32_t rgb) { background_ = rgb; }

  int CurrentCol() const { return current_col_; }
  int CurrentRow() const { return current_row_; }
  void SetCurrentCell(int col, int row);

  // Set when an operation wants the keyboard focus on this grid; the window takes it and clears it.
  bool FocusRequested() const { return focus_requested_; }
  void RequestFocus() { focus_requested_ = true; }
  void ClearFocusRequest() { focus_requested_ = false; }

  // The row-count variable of a free-row table: set by set-up and load, read by save and the
  // plausibility tests. After a load it equals RowCount.
  int FreeRowCount() const { return free_row_count_; }
  void SetFreeRowCount(int n) { free_row_count_ = n; }

 private:
  int col_count_ = 0;
  std::vector<std::vector<std::string>> rows_;  // rows_[row][col]; row swaps stay cheap
  std::vector<int> row_heights_;
  std::vector<int> col_widths_;
  int fixed_rows_ = 1;
  int fixed_cols_ = 1;
  int default_col_width_ = 64;
  int default_row_height_ = kDefaultRowHeight;
  std::uint32_t background_ = kWhite;
  int current_col_ = 0;
  int current_row_ = 0;
  bool focus_requested_ = false;
  int free_row_count_ = 0;
};

}  // namespace tabulon

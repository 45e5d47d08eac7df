#include "tables/rows.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <vector>

#include "text/encoding.h"

namespace tabulon {

namespace {

constexpr std::string_view kTotalMarker = "9999";

int Compare(const Grid& g, int col, int row_a, int row_b) {
  return text::CompareCp1252(g.Cell(col, row_a), g.Cell(col, row_b));
}

// Puts the rows first, first + 1, ... into the order `order` (the rows that are to stand there,
// by their present numbers), by exchanges of two rows at a time from column from_col on: each
// row is moved once, so a long table costs no more exchanges than it has rows.
void ApplyOrder(Grid& g, int first, const std::vector<int>& order, int from_col) {
  const int n = static_cast<int>(order.size());
  std::vector<int> at(static_cast<std::size_t>(n));     // which original row stands at first + i
  std::vector<int> where(static_cast<std::size_t>(n));  // where original row first + i stands
  std::iota(at.begin(), at.end(), 0);
  std::iota(where.begin(), where.end(), 0);
  for (int i = 0; i < n; ++i) {
    const int wanted = order[static_cast<std::size_t>(i)] - first;
    const int p = where[static_cast<std::size_t>(wanted)];
    if (p == i) continue;
    g.SwapRows(first + i, first + p, from_col);
    const int displaced = at[static_cast<std::size_t>(i)];
    at[static_cast<std::size_t>(p)] = displaced;
    where[static_cast<std::size_t>(displaced)] = p;
    at[static_cast<std::size_t>(i)] = wanted;
    where[static_cast<std::size_t>(wanted)] = i;
  }
}

// The rows between two rows whose primary cell is empty are sorted on their own, stably (equal
// cells keep their order); the empty rows keep their places. With `marker_first` the total rows
// ("9999") come first in their run, in their own order, the other rows after them ascending.
void PrimarySort(Grid& g, int first, int last, int col, int keep_cols, bool marker_first) {
  // An exchange that keeps the primary column in place would never change what is compared; such
  // a sort has nothing it could put in order.
  if (keep_cols > col) return;
  const auto before = [&](int a, int b) {
    if (marker_first) {
      const bool ma = g.Cell(col, a) == kTotalMarker;
      const bool mb = g.Cell(col, b) == kTotalMarker;
      if (ma || mb) return ma && !mb;
    }
    return Compare(g, col, a, b) < 0;
  };
  for (int r = first; r <= last;) {
    if (g.Cell(col, r).empty()) {
      ++r;
      continue;
    }
    int end = r;
    while (end < last && !g.Cell(col, end + 1).empty()) ++end;
    std::vector<int> order(static_cast<std::size_t>(end - r + 1));
    std::iota(order.begin(), order.end(), r);
    std::stable_sort(order.begin(), order.end(), before);
    ApplyOrder(g, r, order, keep_cols);
    r = end + 1;
  }
}

// Neighbouring rows with equal primary cells (empty ones too) are sorted by the secondary column,
// stably; whole rows move.
void SecondarySort(Grid& g, int first, int last, int primary, int secondary) {
  if (secondary == primary) return;
  for (int r = first; r <= last;) {
    int end = r;
    while (end < last && g.Cell(primary, end + 1) == g.Cell(primary, r)) ++end;
    if (end > r) {
      std::vector<int> order(static_cast<std::size_t>(end - r + 1));
      std::iota(order.begin(), order.end(), r);
      std::stable_sort(order.begin(), order.end(),
                       [&](int a, int b) { return Compare(g, secondary, a, b) < 0; });
      ApplyOrder(g, r, order, 0);
    }
    r = end + 1;
  }
}

enum class Variant { kPlain, kKeeping, kMarkerFirst };

void Sort(Grid& g, int first, int last, int primary, int secondary, Variant variant,
          int keep_cols) {
  const int last_grid_row = g.RowCount() - 1;
  // One scratch row at the end, as the exchanges of the original layout went through it; it is
  // empty and gone again when the sort ends.
  g.SetRowCount(g.RowCount() + 1);
  if (last < first) last = last_grid_row;
  if (last > last_grid_row) last = last_grid_row;
  if (first < 0) first = 0;
  if (last > first) {
    switch (variant) {
      case Variant::kPlain:
        PrimarySort(g, first, last, primary, 0, false);
        break;
      case Variant::kKeeping:
        PrimarySort(g, first, last, primary, keep_cols, false);
        break;
      case Variant::kMarkerFirst:
        PrimarySort(g, first, last, primary, 0, true);
        break;
    }
    SecondarySort(g, first, last, primary, secondary);
  }
  g.SetRowCount(last_grid_row + 1);
}

}  // namespace

void AppendRows(Grid& grid, int n) {
  if (n <= 0) return;
  grid.SetRowCount(grid.RowCount() + n);
  grid.SetCurrentCell(1, grid.RowCount() - 1);
  grid.RequestFocus();
}

void SortRows(Grid& grid, int first_row, int last_row, int primary_col, int secondary_col) {
  Sort(grid, first_row, last_row, primary_col, secondary_col, Variant::kPlain, 0);
}

void SortRowsKeepingColumns(Grid& grid, int first_row, int last_row, int primary_col,
                            int secondary_col, int keep_cols) {
  Sort(grid, first_row, last_row, primary_col, secondary_col, Variant::kKeeping, keep_cols);
}

void SortRowsWithMarkerFirst(Grid& grid, int first_row, int last_row, int primary_col,
                             int secondary_col) {
  Sort(grid, first_row, last_row, primary_col, secondary_col, Variant::kMarkerFirst, 0);
}

}  // namespace tabulon

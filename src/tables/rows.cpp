#include "tables/rows.h"

#include <string_view>

#include "text/encoding.h"

namespace tabulon {

namespace {

constexpr std::string_view kTotalMarker = "9999";

int Compare(const Grid& g, int col, int row_a, int row_b) {
  return text::CompareCp1252(g.Cell(col, row_a), g.Cell(col, row_b));
}

enum class Order { kAscending, kDescending };

// Repeated passes of neighbour exchanges until a pass exchanges nothing. A row with an empty
// primary cell is never exchanged, so empty rows keep their places.
void PrimaryPasses(Grid& g, int first, int last, int col, Order order, int keep_cols,
                   bool skip_markers) {
  // An exchange that keeps the primary column in place would never change what is compared, and
  // the passes would go on for ever; such a sort has nothing it could put in order.
  if (keep_cols > col) return;
  bool exchanged = true;
  while (exchanged) {
    exchanged = false;
    for (int r = first; r < last; ++r) {
      if (skip_markers && g.Cell(col, r) == kTotalMarker) continue;
      bool swap = order == Order::kAscending
                      ? Compare(g, col, r, r + 1) > 0 && !g.Cell(col, r + 1).empty()
                      : Compare(g, col, r, r + 1) < 0 && !g.Cell(col, r).empty();
      if (swap) {
        g.SwapRows(r, r + 1, keep_cols);
        exchanged = true;
      }
    }
  }
}

void SecondaryPasses(Grid& g, int first, int last, int primary, int secondary) {
  if (secondary == primary) return;
  bool exchanged = true;
  while (exchanged) {
    exchanged = false;
    for (int r = first; r < last; ++r) {
      if (g.Cell(primary, r) == g.Cell(primary, r + 1) && Compare(g, secondary, r, r + 1) > 0) {
        g.SwapRows(r, r + 1);
        exchanged = true;
      }
    }
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
        PrimaryPasses(g, first, last, primary, Order::kAscending, 0, false);
        break;
      case Variant::kKeeping:
        PrimaryPasses(g, first, last, primary, Order::kAscending, keep_cols, false);
        break;
      case Variant::kMarkerFirst:
        PrimaryPasses(g, first, last, primary, Order::kDescending, 0, false);
        PrimaryPasses(g, first, last, primary, Order::kAscending, 0, true);
        break;
    }
    SecondaryPasses(g, first, last, primary, secondary);
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

// The row operations of the table pages: appending empty rows and sorting a range of rows by the
// texts of one or two columns. The sorts compare texts in Windows-1252 byte order, so "10" comes
// before "9" and upper-case letters before lower-case ones; a row whose sort cell is empty never
// moves and splits the range into runs that are sorted on their own.
#pragma once

#include "tables/grid.h"

namespace tabulon {

// n more rows at the end; the current cell moves to column 1 of the new last row and the grid
// asks for the keyboard focus.
void AppendRows(Grid& grid, int n);

// Sorts rows first..last ascending by the primary column, then rows with equal primary cells by
// the secondary column (none when both columns are the same). A last row below the first means
// the grid's last row.
void SortRows(Grid& grid, int first_row, int last_row, int primary_col, int secondary_col);

// As SortRows, but columns 0..keep_cols-1 stay where they are while the primary sort moves the
// rest of the rows (they number the rows).
void SortRowsKeepingColumns(Grid& grid, int first_row, int last_row, int primary_col,
                            int secondary_col, int keep_cols);

// As SortRows, but rows whose primary cell is "9999" (total rows) come first in their run.
void SortRowsWithMarkerFirst(Grid& grid, int first_row, int last_row, int primary_col,
                             int secondary_col);

}  // namespace tabulon

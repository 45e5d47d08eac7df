// Copying a table page's grid as plain text, so that a table can be pasted into a spreadsheet
// and printed there: cells trimmed, separated by a tab, rows by a carriage return, nothing after
// the last cell of a row or after the last row.
#pragma once

#include <functional>
#include <string>

namespace tabulon {

// The part of a grid the copy reads. Row fixed_rows is the ES row of a statistics grid.
struct CopySource {
  int col_count = 0;
  int row_count = 0;
  int fixed_cols = 0;
  int fixed_rows = 0;
  std::function<std::string(int col, int row)> cell;
};

// The whole grid, fixed rows and columns included.
std::string CopyTable(const CopySource& grid);
// The data part: columns after the fixed ones; rows from the ES row when with_es_row is set,
// else from the row after it.
std::string CopyData(const CopySource& grid, bool with_es_row);
// The data part from the first row after the fixed rows, for grids without an ES row.
std::string CopyDataWithFirstRow(const CopySource& grid);

// The text of the print command, which the program does not offer.
inline constexpr const char* kPrintNotAvailableMessage =
    "Funktion nicht verfügbar!\r\rNutzen Sie das Kopieren einer Tabelle\rund das Einfügen z.B. in "
    "EXCEL!\rHier lassen sich die Tabellen individuell ausdrucken!";

}  // namespace tabulon

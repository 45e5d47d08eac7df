#include "calc/grid_access.h"

#include <charconv>
#include <limits>

namespace tabulon {

#ifndef TABULON_CALC_HAS_GRID
bool IsBlankCell(std::string_view text) { return text.empty() || text == " "; }

std::int32_t CellNumber(std::string_view text, bool reject_negative, int error_number,
                        ErrorFlags& flags) {
  if (text.empty()) return 0;
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  }
  long long value = 0;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  if (first == last || *first == '+' || *first == '-') {
    flags.Fail(error_number);
    return 0;
  }
  auto [ptr, ec] = std::from_chars(first, last, value, base);
  if (ec != std::errc() || ptr != last) {
    flags.Fail(error_number);
    return 0;
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    flags.Fail(error_number);
    return 0;
  }
  if (value < 0 && reject_negative) flags.Fail(error_number);
  return static_cast<std::int32_t>(value);
}
#endif

namespace calc {

const std::string& CellText(const Grid& grid, int col, int row) {
  static const std::string kEmpty;
  if (col < 0 || row < 0 || col >= grid.ColCount() || row >= grid.RowCount()) return kEmpty;
  return grid.Cell(col, row);
}

void GrowRows(Grid& grid, int count) { grid.SetRowCount(grid.RowCount() + count); }

}  // namespace calc
}  // namespace tabulon

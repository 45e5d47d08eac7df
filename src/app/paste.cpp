#include "app/paste.h"

#include "text/encoding.h"

namespace tabulon {

std::string PastePlan::Hint() const {
  if (dropped == 0) return "";
  return std::to_string(dropped) +
         (dropped == 1 ? " Zelle lag außerhalb der Tabelle und wurde nicht eingefügt."
                       : " Zellen lagen außerhalb der Tabelle und wurden nicht eingefügt.");
}

namespace {

constexpr const char* kSemicolonRefused =
    "Einfügen nicht möglich:\rDas Zeichen \";\" ist in Zellen nicht erlaubt\r(Zeile %r, Spalte %c "
    "des eingefügten Blocks).\rEs wurde nichts geändert.";
constexpr const char* kCodePageRefused =
    "Einfügen nicht möglich:\rEin Zeichen kann in den Datendateien nicht gespeichert werden\r"
    "(Zeile %r, Spalte %c des eingefügten Blocks).\rEs wurde nichts geändert.";

std::string Refusal(const char* text, long long block_row, long long block_col) {
  std::string out = text;
  out.replace(out.find("%r"), 2, std::to_string(block_row + 1));
  out.replace(out.find("%c"), 2, std::to_string(block_col + 1));
  return out;
}

}  // namespace

PastePlan PlanPaste(const Grid& grid, int col, int row, std::string_view text) {
  PastePlan plan;
  // A spreadsheet ends the block with a line break; it does not start another row.
  if (text.ends_with("\r\n")) {
    text.remove_suffix(2);
  } else if (text.ends_with('\n') || text.ends_with('\r')) {
    text.remove_suffix(1);
  }
  long long block_row = 0;
  long long block_col = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool end = i == text.size();
    const char ch = end ? '\n' : text[i];
    if (ch != '\t' && ch != '\n' && ch != '\r') continue;
    const std::string_view cell = text.substr(start, i - start);
    const long long c = col + block_col;
    const long long r = row + block_row;
    if (c >= grid.ColCount() || r >= grid.RowCount()) {
      ++plan.dropped;
    } else if (c >= grid.FixedCols() && r >= grid.FixedRows()) {
      if (cell.find(';') != std::string_view::npos) {
        return {{}, 0, Refusal(kSemicolonRefused, block_row, block_col)};
      }
      if (!text::FitsCp850(cell)) return {{}, 0, Refusal(kCodePageRefused, block_row, block_col)};
      if (grid.Cell(static_cast<int>(c), static_cast<int>(r)) != cell) {
        plan.writes.push_back({static_cast<int>(c), static_cast<int>(r), std::string(cell)});
      }
    }
    if (ch == '\t') {
      ++block_col;
    } else {
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++block_row;
      block_col = 0;
    }
    start = i + 1;
  }
  return plan;
}

}  // namespace tabulon

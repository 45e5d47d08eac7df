#include "calc/cell_rules.h"

#include <optional>

#include "text/encoding.h"

namespace tabulon::calc {

CalcStopped::CalcStopped(int col, int row, std::string text)
    : std::runtime_error("cell is not a whole number"),
      col_(col),
      row_(row),
      text_(std::move(text)) {}

std::string CalcStopped::Message() const {
  return "Berechnung abgebrochen!\r\r\"" + text_ + "\" (Spalte " + std::to_string(col_) +
         ", Zeile " + std::to_string(row_) + ") ist keine ganze Zahl.\r" +
         "Die bis hierhin berechneten Werte bleiben eingetragen.";
}

std::int64_t ReadValue(CalcEnv& env, int col, int row) {
  return CellNumber(CellText(env.grid, col, row), true, kCellValueError, env.flags);
}

std::int64_t ReadStrict(const Grid& grid, int col, int row) {
  const std::string& text = CellText(grid, col, row);
  if (text.empty()) return 0;
  const std::optional<std::int32_t> value = ParseInt32(text);
  if (!value) throw CalcStopped(col, row, text);
  return *value;
}

std::string ColumnText(const Grid& grid, int col) { return CellText(grid, col, 0); }

std::string DefaultRowText(const Grid& grid, int row) { return CellText(grid, 1, row); }

std::string CutForDialog(std::string_view text, std::size_t n) {
  if (text::CharCount(text) <= n) return std::string(text);
  return text::CutChars(text, n) + "...";
}

namespace {

bool InsideGrid(const Grid& grid, int col, int row) {
  return col >= 0 && row >= 0 && col < grid.ColCount() && row < grid.RowCount();
}

// The person confirms the change when asked; without the setting the value is simply written.
bool ConfirmChange(CalcEnv& env, int col, int row, std::int64_t value, std::string_view row_text) {
  if (!env.ask_after_calculations) return true;
  CellChangeQuestion q;
  q.column_text = CutForDialog(ColumnText(env.grid, col), kChangeDialogTextChars);
  q.row_text = CutForDialog(row_text, kChangeDialogTextChars);
  q.current_value = CellText(env.grid, col, row);
  q.new_value = std::to_string(value);
  return env.ui.AskCellChange(q);
}

}  // namespace

bool SetComputedCell(CalcEnv& env, Rule rule, int col, int row, std::int64_t value,
                     std::string_view row_text) {
  if (!InsideGrid(env.grid, col, row)) return false;
  const bool blank = IsBlankCell(env.grid.Cell(col, row));
  if (blank && (value > 0 || rule == Rule::kB)) {
    env.grid.SetCell(col, row, std::to_string(value));
    return true;
  }
  // A blank cell counts as 0 under every rule.
  std::int64_t current = 0;
  if (!blank)
    current = rule == Rule::kA ? ReadValue(env, col, row) : ReadStrict(env.grid, col, row);
  if (current == value) return false;
  if (!ConfirmChange(env, col, row, value, row_text)) return false;
  env.grid.SetCell(col, row, std::to_string(value));
  return true;
}

bool SetByRuleC(CalcEnv& env, int col, int row, const std::array<Candidate, 3>& candidates,
                std::string_view row_text) {
  if (!InsideGrid(env.grid, col, row)) return false;
  const std::int64_t current = ReadValue(env, col, row);
  const bool agree =
      candidates[0].value == candidates[1].value && candidates[1].value == candidates[2].value;
  if (agree && candidates[0].value == current) return false;
  if (agree && !env.ask_after_calculations) {
    env.grid.SetCell(col, row, std::to_string(candidates[0].value));
    return true;
  }
  CellChoiceQuestion q;
  q.column_text = ColumnText(env.grid, col);
  q.row_text = CutForDialog(row_text, kChoiceDialogRowChars);
  q.current_value = env.grid.Cell(col, row);
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    q.captions[i] = CutForDialog(candidates[i].caption, kChoiceDialogCaptionChars);
    q.values[i] = std::to_string(candidates[i].value);
  }
  const int chosen = env.ui.ChooseCellValue(q);
  if (chosen < 1 || chosen > 3) return false;
  env.grid.SetCell(col, row,
                   std::to_string(candidates[static_cast<std::size_t>(chosen - 1)].value));
  return true;
}

}  // namespace tabulon::calc

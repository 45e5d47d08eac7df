#include "sheets/class/class_calcs.h"

#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "sheets/class/class_structure.h"
#include "sheets/class/class_table9.h"
#include "text/encoding.h"

namespace tabulon::class_sheet {

using calc::CalcEnv;
using calc::DefaultRowText;
using calc::ReadStrict;
using calc::ReadValue;
using calc::Rule;
using calc::SetComputedCell;

namespace {

constexpr const char* kKeyTotalMarker = "99";  // column 2 of the key-row tables' total rows

// ---- Fixed total rows of the key-row tables ----------------------------------------------------

struct Rows {
  int first;
  int last;
};

// A target row that is the sum of up to two runs of rows, for a run of columns.
struct FixedSum {
  int target;
  std::array<Rows, 2> parts;
  int first_col;
  int last_col;
};

void ApplyFixedSum(CalcEnv& env, const FixedSum& s, Rule rule) {
  const std::string row_text = DefaultRowText(env.grid, s.target);
  for (int col = s.first_col; col <= s.last_col; ++col) {
    std::int64_t sum = 0;
    for (const Rows& part : s.parts) {
      for (int row = part.first; row <= part.last; ++row) sum += ReadValue(env, col, row);
    }
    SetComputedCell(env, rule, col, s.target, sum, row_text);
  }
}

// A total row of a key-row table: its key column carries "99", and every count is filled in.
void KeyTableTotal(CalcEnv& env, std::initializer_list<FixedSum> sums) {
  env.grid.SetCell(2, sums.begin()->target, kKeyTotalMarker);
  for (const FixedSum& s : sums) ApplyFixedSum(env, s, Rule::kB);
}

constexpr Rows kNone{0, -1};

// ---- Marker total rows of the free-row tables --------------------------------------------------

struct MarkerTotal {
  int key_col;
  const char* marker;
  const char* left_out;  // a key whose rows are part of the others (or nullptr)
  int first_col;
  int last_col;
  const char* new_row_text;  // column 1 of a new total row (or nullptr)
};

int LastRowWith(const Grid& grid, int col, std::string_view text) {
  int found = -1;
  for (int row = 2; row < grid.RowCount(); ++row) {
    if (grid.Cell(col, row) == text) found = row;
  }
  return found;
}

// The row a missing total goes to: the first row without a key, else a new last row.
int NewTotalRow(Grid& grid, int key_col) {
  for (int row = 2; row < grid.RowCount(); ++row) {
    if (grid.Cell(key_col, row).empty()) return row;
  }
  calc::GrowRows(grid, 1);
  return grid.RowCount() - 1;
}

void ApplyMarkerTotal(CalcEnv& env, const MarkerTotal& m) {
  Grid& grid = env.grid;
  std::vector<std::int64_t> sums(static_cast<std::size_t>(m.last_col + 1), 0);
  for (int row = 2; row < grid.RowCount(); ++row) {
    const std::string& key = grid.Cell(m.key_col, row);
    if (key.empty() || key == m.marker || (m.left_out != nullptr && key == m.left_out)) continue;
    for (int col = m.first_col; col <= m.last_col; ++col) {
      sums[static_cast<std::size_t>(col)] += ReadValue(env, col, row);
    }
  }
  int total = LastRowWith(grid, m.key_col, m.marker);
  if (total < 0) {
    total = NewTotalRow(grid, m.key_col);
    grid.SetCell(m.key_col, total, m.marker);
    if (m.new_row_text != nullptr) grid.SetCell(1, total, m.new_row_text);
  }
  for (int col = m.first_col; col <= m.last_col; ++col) {
    SetComputedCell(env, Rule::kB, col, total, sums[static_cast<std::size_t>(col)], m.marker);
  }
}

// The n-th character (from 1) of a text, or "" when it is shorter.
std::string CharAt(std::string_view text, std::size_t n) {
  const std::string head = text::CutChars(text, n - 1);
  const std::string with = text::CutChars(text, n);
  return with.size() > head.size() && text::CharCount(with) == n ? with.substr(head.size()) : "";
}

}  // namespace

void Table1SummaryRow(CalcEnv& env) { ApplyMarkerTotal(env, {1, "9999", "8888", 2, 5, nullptr}); }

void Table2SummaryRow(CalcEnv& env) { KeyTableTotal(env, {{12, {Rows{2, 2}, Rows{6, 11}}, 3, 6}}); }

void Table2SubtotalRows(CalcEnv& env) {
  ApplyFixedSum(env, {2, {Rows{3, 5}, kNone}, 3, 6}, Rule::kA);
}

void Table3SummaryRow(CalcEnv& env) {
  ApplyMarkerTotal(env, {2, "999", nullptr, 3, 6, "Insgesamt"});
}

void Table5SummaryRow(CalcEnv& env) { KeyTableTotal(env, {{7, {Rows{2, 6}, kNone}, 3, 4}}); }

void Table6SummaryRow(CalcEnv& env) { KeyTableTotal(env, {{11, {Rows{2, 2}, Rows{9, 10}}, 3, 4}}); }

void Table6SubtotalRows(CalcEnv& env) {
  ApplyFixedSum(env, {2, {Rows{3, 8}, kNone}, 3, 4}, Rule::kA);
}

void Table7SummaryRow(CalcEnv& env) {
  KeyTableTotal(env, {{13, {Rows{2, 12}, kNone}, 3, 4}, {13, {Rows{2, 10}, kNone}, 5, 6}});
}

void Table8SummaryRow(CalcEnv& env) {
  Grid& grid = env.grid;
  std::int64_t total = 0;
  std::int64_t female = 0;
  for (int row = 2; row < grid.RowCount(); ++row) {
    const std::string& line = grid.Cell(kT8LineCol, row);
    if (line.empty() || line == "99") continue;
    const std::string& code = grid.Cell(kT8CodeCol, row);
    if (text::CharCount(code) < 4) continue;  // group 0: not an occupation group
    const std::string first3 = text::CutChars(code, 3);
    const std::optional<std::int32_t> p = ParseInt32(first3);
    if (!p) throw calc::CalcStopped(kT8CodeCol, row, first3);
    if (CharAt(code, 4) == "0" || (*p >= 196 && *p <= 210) || *p >= 215) {
      total += ReadValue(env, kT8TotalCol, row);
      female += ReadValue(env, kT8FemaleCol, row);
    }
  }
  int sum_row = LastRowWith(grid, kT8LineCol, "99");
  if (sum_row < 0) {
    sum_row = NewTotalRow(grid, kT8LineCol);
    grid.SetCell(kT8LineCol, sum_row, "99");
  }
  grid.SetCell(kT8CodeCol, sum_row, "9999");
  const std::string row_text = DefaultRowText(grid, sum_row);
  SetComputedCell(env, Rule::kB, kT8TotalCol, sum_row, total, row_text);
  SetComputedCell(env, Rule::kB, kT8FemaleCol, sum_row, female, row_text);
}

void Table8SubtotalRows(CalcEnv& env) {
  if (!env.command_confirmed && !env.ui.Ask(MessageKind::kConfirmation, kTable8SubtotalQuestion)) {
    return;
  }
  Table8GroupRows(env);
}

void Table8GroupRows(CalcEnv& env) {
  const T8Structure s = AnalyseTable8(env.grid, env.flags);
  bool invalid = false;
  std::string missing;
  for (const std::vector<T8Group>* groups : {&s.company, &s.other}) {
    for (const T8Group& g : *groups) {
      if (g.key <= 0) invalid = true;
      if (!g.group_row) {
        if (!missing.empty()) missing += ", ";
        missing += std::to_string(GroupCodeOf(g.key));
        continue;
      }
      const std::string row_text = DefaultRowText(env.grid, *g.group_row);
      SetComputedCell(env, Rule::kA, kT8TotalCol, *g.group_row, g.detail_total, row_text);
      SetComputedCell(env, Rule::kA, kT8FemaleCol, *g.group_row, g.detail_female, row_text);
    }
  }
  if (invalid || (s.company.empty() && s.other.empty())) {
    env.ui.Message(MessageKind::kError, kTable8NoNumbering);
  }
  if (!missing.empty()) {
    env.ui.Message(MessageKind::kError,
                   "Die Berufsgruppe(n): " + missing +
                       "\rfehlt/fehlen in der Tabelle!\r\rErgänzen Sie die entsprechenden "
                       "Zeile(n) und\rrufen Sie die Berechnungsfunktion noch einmal aus!");
  }
}

void Table9SummaryRow(CalcEnv& env) {
  Grid& grid = env.grid;
  constexpr int kKeys = 10;  // schooling keys 0 to 9
  std::array<std::int64_t, kKeys> totals{};
  std::array<std::int64_t, kKeys> females{};
  std::vector<std::pair<int, int>> total_rows;  // (row, schooling key)
  for (int row = 2; row < grid.RowCount(); ++row) {
    const std::optional<std::int32_t> key = ParseInt32(grid.Cell(kT9SchoolingCol, row));
    // Keys outside 0 to 9 have no total row to go to; such rows are left out.
    if (!key || *key < 0 || *key >= kKeys) continue;
    if (grid.Cell(kT9GroupKeyCol, row) == kT9TotalGroupKey) {
      total_rows.emplace_back(row, *key);
      continue;
    }
    totals[static_cast<std::size_t>(*key)] += ReadValue(env, kT9TotalCol, row);
    females[static_cast<std::size_t>(*key)] += ReadValue(env, kT9FemaleCol, row);
  }
  for (auto [row, key] : total_rows) {
    const std::string row_text = grid.Cell(1, row) + "; " + grid.Cell(kT9GroupKeyCol, row);
    SetComputedCell(env, Rule::kB, kT9TotalCol, row, totals[static_cast<std::size_t>(key)],
                    row_text);
    SetComputedCell(env, Rule::kB, kT9FemaleCol, row, females[static_cast<std::size_t>(key)],
                    row_text);
  }
}

void Table9SubtotalRows(CalcEnv& env) {
  Grid& grid = env.grid;
  // Every group on its own, in the order of first appearance; no limit on their number.
  std::unordered_map<std::int32_t, std::size_t> slot;
  std::vector<std::vector<int>> groups;
  for (int row = 2; row < grid.RowCount(); ++row) {
    const std::string& key = grid.Cell(kT9GroupKeyCol, row);
    if (key == kT9TotalGroupKey) continue;
    const std::int32_t group = ParseInt32(key).value_or(0);
    auto [it, added] = slot.emplace(group, groups.size());
    if (added) groups.emplace_back();
    groups[it->second].push_back(row);
  }
  for (const std::vector<int>& rows : groups) {
    std::int64_t total = 0;
    std::int64_t female = 0;
    int target = -1;
    for (int row : rows) {
      const std::int64_t schooling = ReadStrict(grid, kT9SchoolingCol, row);
      if (schooling == 9) {
        if (target < 0) target = row;
      } else if (schooling < 9) {
        total += ReadValue(env, kT9TotalCol, row);
        female += ReadValue(env, kT9FemaleCol, row);
      }
    }
    if (target < 0) continue;
    const std::string row_text = grid.Cell(1, target) + "; " + grid.Cell(kT9GroupKeyCol, target);
    SetComputedCell(env, Rule::kAStrictTarget, kT9TotalCol, target, total, row_text);
    SetComputedCell(env, Rule::kAStrictTarget, kT9FemaleCol, target, female, row_text);
  }
}

void Table10SummaryColumns(CalcEnv& env) {
  std::int64_t sum = 0;
  for (int col = 2; col <= 5; ++col) sum += ReadValue(env, col, 2);
  SetComputedCell(env, Rule::kA, 1, 2, sum, DefaultRowText(env.grid, 2));
}

}  // namespace tabulon::class_sheet

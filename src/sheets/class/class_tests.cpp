#include "sheets/class/class_tests.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sheets/class/class_structure.h"
#include "sheets/class/class_table9.h"
#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon::class_sheet {
namespace {

using Value = std::int64_t;  // sums of many 32-bit cells, exactly

constexpr int kCodeRow = 1;
constexpr int kFirstRow = 2;

// ---- checks every table uses -----------------------------------------------------------------

// Row 1 must hold "ES001" ... from first_col on; every differing code is a finding.
void CheckCodeRow(TestRun& run, int first_col, int last_col) {
  run.MarkTested(5);
  const int count = last_col - first_col + 1;
  if (CodeRowMatches(run.grid(), first_col, count)) return;
  for (int i = 1; i <= count; ++i) {
    if (run.Text(first_col + i - 1, kCodeRow) != EsCode(i)) {
      run.FailCell(5, first_col + i - 1, kCodeRow);
    }
  }
}

struct SubColumn {
  int a;  // the total
  int b;  // the part that may not exceed it
};

// Entry 8: value(a) >= value(b) in every row of the range.
void CheckSubColumns(TestRun& run, std::initializer_list<SubColumn> pairs, int first_row,
                     int last_row) {
  run.MarkTested(8);
  for (int row = first_row; row <= last_row; ++row) {
    for (const SubColumn& p : pairs) {
      if (run.Number(p.a, row) < run.Number(p.b, row)) run.FailAt(8, p.b, row);
    }
  }
}

// Entry 235: the key the row was set up with (column 0) still stands in column 2.
void CheckKeyColumn(TestRun& run, int first_row, int last_row) {
  run.MarkTested(235);
  for (int row = first_row; row <= last_row; ++row) {
    if (run.Text(0, row) != run.Text(2, row)) run.FailAt(235, 2, row);
  }
}

// Entry `entry`: row `target` holds the sum of `rows` in every column of the range.
void CheckRowSum(TestRun& run, int entry, int target, std::initializer_list<int> rows,
                 int first_col, int last_col) {
  run.MarkTested(entry);
  for (int col = first_col; col <= last_col; ++col) {
    Value sum = 0;
    for (int r : rows) sum += run.Number(col, r);
    if (run.Number(col, target) != sum) run.FailAt(entry, col, target);
  }
}

void CheckRowSumRange(TestRun& run, int entry, int target, int first, int last, int first_col,
                      int last_col) {
  run.MarkTested(entry);
  for (int col = first_col; col <= last_col; ++col) {
    Value sum = 0;
    for (int r = first; r <= last; ++r) sum += run.Number(col, r);
    if (run.Number(col, target) != sum) run.FailAt(entry, col, target);
  }
}

int LastRow(const TestRun& run) { return run.grid().RowCount() - 1; }

std::size_t Length(const std::string& text) { return text::CharCount(text); }

bool InRange(Value v, Value lo, Value hi) { return v >= lo && v <= hi; }

// ---- table 0 ---------------------------------------------------------------------------------

void Table0(TestRun& run, const TestEnv& env) {
  CheckCodeRow(run, 1, 6);
  constexpr int r = kFirstRow;
  run.MarkTested(10);
  if (run.Text(1, r) != env.settings.dst_nr) run.FailAt(10, 1, r);
  run.MarkTested(19);
  // Characters 4 to 6: a letter with an umlaut is one character, as in the class list.
  const std::string letters = text::CutChars(env.class_id, 3);
  const std::string number =
      text::CutChars(std::string_view(env.class_id).substr(letters.size()), 3);
  if (run.Text(3, r) != number) run.FailAt(19, 3, r);

  run.MarkTested(15);
  const std::string& type_text = run.Text(2, r);
  const Value type = run.Number(2, r);
  if (!((InRange(type, 10, 174) && Length(type_text) == 3) || type == 999)) run.FailAt(15, 2, r);

  run.MarkTested(16);
  const Value form = run.Number(4, r);
  if (!(InRange(form, 1, 2) && Length(run.Text(4, r)) == 1)) run.FailAt(16, 4, r);

  run.MarkTested(17);
  const Value grade = run.Number(5, r);
  if (!(InRange(grade, 1, 5) && Length(run.Text(5, r)) == 1)) run.FailAt(17, 5, r);

  run.MarkTested(18);
  const Value kind = run.Number(6, r);
  const std::string& kind_text = run.Text(6, r);
  if (type_text == "010" || type_text == "011" || type == 10 || type == 11) {
    if (!(InRange(kind, 1, 3) && Length(kind_text) == 1)) run.FailAt(18, 6, r);
  } else if (kind != 0 && !IsBlankCell(kind_text)) {
    run.FailAt(18, 6, r);
  }
}

// ---- table 1 ---------------------------------------------------------------------------------

void Table1(TestRun& run) {
  const int last = LastRow(run);
  CheckCodeRow(run, 1, 5);
  CheckSubColumns(run, {{2, 3}, {4, 5}, {2, 4}, {3, 5}}, kFirstRow, last);
  run.MarkTested(231);
  run.MarkTested(232);
  // A foreign count above the total is a fault the window must list, so 230 counts as tested.
  run.MarkTested(230);
  run.Fail(231);
  for (int col = 2; col <= 5; ++col) {
    Value sum = 0;
    Value total = 0;
    Value foreign = 0;
    int total_row = -1;
    for (int row = kFirstRow; row <= last; ++row) {
      const std::string& key = run.Text(1, row);
      if (key == "9999") {
        run.ClearFailed(231);
        total = run.Number(col, row);
        total_row = row;
      } else if (key == "8888") {
        foreign = run.Number(col, row);
      } else {
        sum += run.Number(col, row);
      }
    }
    auto fail = [&](int entry) {
      if (total_row >= 0) {
        run.FailAt(entry, col, total_row);
      } else {
        run.Fail(entry);
      }
    };
    if (sum != total) fail(232);
    if (foreign > total) fail(230);
  }
}

// ---- tables 2 to 7 ---------------------------------------------------------------------------

void Table2(TestRun& run) {
  CheckCodeRow(run, 2, 6);
  CheckKeyColumn(run, 2, 12);
  CheckSubColumns(run, {{3, 4}, {3, 5}, {5, 6}}, 2, 12);
  CheckRowSum(run, 233, 2, {3, 4, 5}, 3, 6);
  CheckRowSum(run, 232, 12, {2, 6, 7, 8, 9, 10, 11}, 3, 6);
}

void Table3(TestRun& run) {
  const int last = LastRow(run);
  CheckCodeRow(run, 1, 6);
  CheckSubColumns(run, {{3, 4}, {3, 5}, {5, 6}}, kFirstRow, last);
  run.MarkTested(231);
  run.MarkTested(232);
  for (int col = 3; col <= 6; ++col) {
    Value sum = 0;
    Value total = 0;
    int total_row = -1;
    for (int row = kFirstRow; row <= last; ++row) {
      if (run.Text(2, row) == "999") {
        run.ClearFailed(231);
        total = run.Number(col, row);
        total_row = row;
      } else {
        sum += run.Number(col, row);
      }
    }
    if (sum == total) continue;
    if (total_row >= 0) {
      run.FailAt(232, col, total_row);
    } else {
      run.Fail(232);
    }
  }
}

void Table4(TestRun& run) {
  CheckCodeRow(run, 2, 6);
  CheckKeyColumn(run, 2, 15);
  CheckSubColumns(run, {{3, 4}, {3, 5}, {3, 6}}, 2, 15);
  for (int row = 2; row <= 15; ++row) {
    if (Value{run.Number(5, row)} + run.Number(6, row) > run.Number(3, row)) {
      run.FailAt(8, 5, row);
    }
  }
}

void Table5(TestRun& run) {
  CheckCodeRow(run, 2, 4);
  CheckKeyColumn(run, 2, 7);
  CheckSubColumns(run, {{3, 4}}, 2, 7);
  CheckRowSumRange(run, 232, 7, 2, 6, 3, 4);
}

void Table6(TestRun& run) {
  CheckCodeRow(run, 2, 4);
  CheckKeyColumn(run, 2, 11);
  CheckSubColumns(run, {{3, 4}}, 2, 11);
  CheckRowSumRange(run, 232, 2, 3, 8, 3, 4);
  CheckRowSum(run, 234, 11, {2, 9, 10}, 3, 4);
}

void Table7(TestRun& run) {
  CheckCodeRow(run, 2, 6);
  CheckKeyColumn(run, 2, 13);
  run.MarkTested(236);
  for (int col = 5; col <= 6; ++col) {
    if (!run.Text(col, 12).empty()) run.FailAt(236, col, 12);
  }
  CheckSubColumns(run, {{3, 4}, {5, 6}}, 2, 13);
  CheckRowSumRange(run, 232, 13, 2, 12, 3, 6);
  run.MarkTested(237);
  if (run.Text(3, 12) != run.Text(5, 13)) run.FailAt(237, 5, 13);
  if (run.Text(4, 12) != run.Text(6, 13)) run.FailAt(237, 6, 13);
}

// ---- table 8 ---------------------------------------------------------------------------------

// Column 0 holds labels ("Meldung") even in rows without data, so a row is empty when columns 1
// to 7 are.
bool Table8RowEmpty(const Grid& grid, int row) {
  return RangeIsEmpty(grid, kT8LineCol, row, row, kT8FemaleCol);
}

void Table8(TestRun& run) {
  const int last = LastRow(run);
  CheckCodeRow(run, 1, 7);
  run.MarkTested(244);
  run.MarkTested(8);
  for (int row = kFirstRow; row <= last; ++row) {
    if (Table8RowEmpty(run.grid(), row)) continue;
    if (Length(run.Text(kT8LineCol, row)) != 2 || run.Number(kT8LineCol, row) > 99) {
      run.FailAt(244, kT8LineCol, row);
    }
    if (run.Number(kT8TotalCol, row) < run.Number(kT8FemaleCol, row)) {
      run.FailAt(8, kT8FemaleCol, row);
    }
  }
  for (int e : {231, 232, 242, 243, 245, 246}) run.MarkTested(e);
  run.Fail(231);

  const T8Structure s = AnalyseTable8(run.grid(), run.flags());
  for (const T8Finding& f : s.findings) {
    if (f.entry == 240) run.MarkTested(240);
    run.FailAt(f.entry, f.col, f.row);
  }
  if (s.sum_row) run.ClearFailed(231);

  Value groups_total = 0;
  Value groups_female = 0;
  for (const std::vector<T8Group>* table : {&s.company, &s.other}) {
    for (const T8Group& g : *table) {
      if (g.total != g.detail_total || g.female != g.detail_female) run.FailAt(242, 1, 1);
      groups_total += g.total;
      groups_female += g.female;
    }
  }
  if (s.company.empty() && s.other.empty()) run.Fail(242);
  const int sum_row = s.sum_row.value_or(-1);
  auto fail_232 = [&](int col) {
    if (sum_row >= 0) {
      run.FailAt(232, col, sum_row);
    } else {
      run.Fail(232);
    }
  };
  if (groups_total != s.sum_total) fail_232(kT8TotalCol);
  if (groups_female != s.sum_female) fail_232(kT8FemaleCol);
}

// ---- table 9 ---------------------------------------------------------------------------------

constexpr int kT9MaxGroups = 9;  // besides group 0
// Keys 1 to 7 and 9, at index = key; index 8 stays unused.
using KeyCounts = std::array<std::array<Value, 2>, 10>;

int KeyIndex(const std::string& text) {
  if (text.size() != 1 || text[0] < '1' || text[0] > '9' || text[0] == '8') return -1;
  return text[0] - '0';
}

void CheckKeySums(TestRun& run, int entry, const KeyCounts& counts, int row) {
  for (int i = 0; i < 2; ++i) {
    Value parts = 0;
    for (int k = 1; k <= 7; ++k) parts += counts[k][i];
    if (parts != counts[9][i]) run.FailAt(entry, kT9TotalCol + i, row);
  }
}

void Table9(TestRun& run) {
  const int last = LastRow(run);
  CheckCodeRow(run, 2, 6);
  CheckSubColumns(run, {{kT9TotalCol, kT9FemaleCol}}, kFirstRow, last);
  for (int e : {231, 238, 239, 241}) run.MarkTested(e);
  run.Fail(231);

  KeyCounts total{};
  // Group 0 collects the codes that are no number; groups 1 to 9 in order of appearance.
  std::vector<KeyCounts> groups(1);
  std::map<std::int32_t, int> number_of;
  for (int row = kFirstRow; row <= last; ++row) {
    const std::string& group = run.Text(kT9GroupKeyCol, row);
    const int key = KeyIndex(run.Text(kT9SchoolingCol, row));
    const Value count = run.Number(kT9TotalCol, row);
    const Value female = run.Number(kT9FemaleCol, row);
    if (group == kT9TotalGroupKey) {
      if (key < 0) continue;
      total[key] = {count, female};
      if (key == 9) run.ClearFailed(231);
      continue;
    }
    int index = 0;
    if (const std::optional<std::int32_t> code = ParseInt32(group)) {
      auto [it, added] = number_of.emplace(*code, static_cast<int>(groups.size()));
      if (added) {
        if (static_cast<int>(groups.size()) > kT9MaxGroups) {
          run.MarkTested(240);
          run.FailAt(240, kT9GroupKeyCol, row);
          it->second = kT9MaxGroups;
        } else {
          groups.emplace_back();
        }
      }
      index = it->second;
    }
    if (key >= 0) groups[index][key] = {count, female};
  }
  for (std::size_t g = 0; g < groups.size(); ++g) {
    CheckKeySums(run, 238, groups[g], 8 * (static_cast<int>(g) + 1) + 1);
  }
  for (int k = 1; k <= 9; ++k) {
    if (k == 8) continue;
    for (int i = 0; i < 2; ++i) {
      Value sum = 0;
      for (const KeyCounts& g : groups) sum += g[k][i];
      if (sum != total[k][i]) run.FailAt(239, kT9TotalCol + i, k == 9 ? 9 : k + 1);
    }
  }
  CheckKeySums(run, 241, total, 9);
  CheckSubColumns(run, {{kT9TotalCol, kT9FemaleCol}}, kFirstRow, last);
}

// ---- table 10 --------------------------------------------------------------------------------

void Table10(TestRun& run) {
  CheckCodeRow(run, 1, 5);
  CheckSubColumns(run, {{1, 2}, {1, 3}, {1, 4}, {1, 5}}, 2, 2);
  run.MarkTested(260);
  Value parts = 0;
  for (int col = 2; col <= 5; ++col) parts += run.Number(col, 2);
  if (run.Number(1, 2) != parts) run.FailAt(260, 1, 2);
}

}  // namespace

TestResult TestClassTable(int table, TestEnv& env) {
  TestRun run(env.grid, env.flags);
  run.MarkTested(kCellValueError);
  switch (table) {
    case 0:
      Table0(run, env);
      break;
    case 1:
      Table1(run);
      break;
    case 2:
      Table2(run);
      break;
    case 3:
      Table3(run);
      break;
    case 4:
      Table4(run);
      break;
    case 5:
      Table5(run);
      break;
    case 6:
      Table6(run);
      break;
    case 7:
      Table7(run);
      break;
    case 8:
      Table8(run);
      break;
    case 9:
      Table9(run);
      break;
    case 10:
      Table10(run);
      break;
    default:
      break;
  }
  MoveToErrorPosition(run, env.grid, true);
  return run.Result();
}

}  // namespace tabulon::class_sheet

namespace tabulon {
namespace {

template <int kTable>
TestResult Run(TestEnv& env) {
  return class_sheet::TestClassTable(kTable, env);
}

}  // namespace

std::span<const SheetTest> ClassTests() {
  static constexpr SheetTest kTests[] = {
      {0, "interner Plausi-Test: Klassenmeldung - Tabelle: Klassendaten", Run<0>},
      {1, "interner Plausi-Test: Klassenbogen - Tab.: Schüler nach Geburtsjahren", Run<1>},
      {2, "interner Plausi-Test: Klassenbogen - Tab.: Schüler nach Vorbildung", Run<2>},
      {3, "interner Plausi-Test: Klassenbogen - Tab.: Ausländische Schüler", Run<3>},
      {4, "interner Plausi-Test: Klassenbogen - Tab.: Fremdsprachen- und Religions-U.", Run<4>},
      {5, "interner Plausi-Test: Klassenbogen - Tab.: Schüler nach Ausbildungsstatus", Run<5>},
      {6, "interner Plausi-Test: Klassenbogen - Tab.: Land-, Tier-, Forstw. ...", Run<6>},
      {7, "interner Plausi-Test: Klassenbogen - Tab.: Schüler nach erteilten U.", Run<7>},
      {8, "interner Plausi-Test: Klassenbogen - Tab.: Schüler nach Berufen und Kreisen", Run<8>},
      {9, "interner Plausi-Test: Klassenbogen - Tab.: Schüler m. Ausb.Vert. u. Vorb.", Run<9>},
      {10, "interner Plausi-Test: Klassenbogen - Tab.: Anzahl gelernter Fremdsprachen", Run<10>},
  };
  return kTests;
}

}  // namespace tabulon

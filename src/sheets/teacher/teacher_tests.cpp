#include "sheets/teacher/teacher_tests.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>

#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

using Value = std::int64_t;  // sums of many 32-bit cells, exactly

// Grid column of the value with code ES<n>: data start in column 2 with ES001.
constexpr int Es(int n) { return n + 1; }

void MarkTested(TestRun& run, std::initializer_list<int> entries) {
  for (int e : entries) run.MarkTested(e);
}
void MarkTestedRange(TestRun& run, int first, int last) {
  for (int e = first; e <= last; ++e) run.MarkTested(e);
}

// Row 1 must hold "ES001" ... from first_col on; every differing code is a finding.
void CheckCodeRow(TestRun& run, int first_col, int count) {
  if (CodeRowMatches(run.grid(), first_col, count)) return;
  for (int i = 1; i <= count; ++i) {
    if (run.Text(first_col + i - 1, 1) != EsCode(i)) run.FailCell(5, first_col + i - 1, 1);
  }
}

Value Sum(TestRun& run, int first_col, int last_col, int row) {
  Value sum = 0;
  for (int c = first_col; c <= last_col; ++c) sum += run.Number(c, row);
  return sum;
}

std::size_t Length(const std::string& text) { return text::CharCount(text); }

// ---- table 1 ---------------------------------------------------------------------------------

constexpr int kNumberCol = Es(1);
constexpr int kChangeCol = Es(13);  // "Bestandsänd. Zu-/Abgänge"
constexpr int kGroupCol = Es(14);   // "Personengruppe"
constexpr int kTotalHoursCol = Es(45);

bool InRange(Value v, Value lo, Value hi) { return v >= lo && v <= hi; }

struct TeacherRow {
  int row;
  bool numbered;
  bool leaving;
};

// Numbers 1 to the largest must all be there. The gaps come from the sorted numbers, so a single
// huge number costs no more than a small one.
void CheckNumbering(TestRun& run, const std::map<Value, int>& first_row_of) {
  Value previous = 0;
  for (const auto& [number, row] : first_row_of) {
    if (number <= 0) continue;
    if (number > previous + 1) run.FailAt(180, kNumberCol, row);
    previous = number;
  }
}

// Columns whose value must lie in a range, with a given length, for rows of teachers who stay.
struct KeyColumn {
  int entry;
  int col;
  Value lo;
  Value hi;
  std::size_t length;  // 0: any
};
constexpr KeyColumn kKeyColumns[] = {
    {181, Es(3), 1, 2, 0},
    {182, Es(5), 1, 11, 2},
    {183, Es(6), 1, 5, 1},
    {185, Es(12), 1, 4, 1},
};

void CheckKeyColumns(TestRun& run, const TeacherRow& t) {
  if (!t.numbered || t.leaving) return;
  for (const KeyColumn& k : kKeyColumns) {
    const Value v = run.Number(k.col, t.row);
    const bool length_ok = k.length == 0 || Length(run.Text(k.col, t.row)) == k.length;
    if (!InRange(v, k.lo, k.hi) || !length_ok) run.FailAt(k.entry, k.col, t.row);
  }
}

bool ValidSubject(Value v) {
  return InRange(v, 1, 82) && !InRange(v, 42, 49) && !InRange(v, 59, 66);
}

void CheckSubjects(TestRun& run, int row) {
  for (int col = Es(7); col <= Es(11); ++col) {
    if (IsBlankCell(run.Text(col, row))) continue;
    const Value v = run.Number(col, row);
    if (Length(run.Text(col, row)) != 2 || !ValidSubject(v)) run.FailAt(184, col, row);
  }
}

void CheckChange(TestRun& run, const TeacherRow& t) {
  if (!t.numbered || IsBlankCell(run.Text(kChangeCol, t.row))) return;
  const Value v = run.Number(kChangeCol, t.row);
  if (Length(run.Text(kChangeCol, t.row)) != 2 || !(InRange(v, 1, 12) || InRange(v, 20, 35))) {
    run.FailAt(186, kChangeCol, t.row);
  }
}

void CheckPersonGroup(TestRun& run, const TeacherRow& t) {
  if (!t.numbered) return;
  const std::string& text = run.Text(kGroupCol, t.row);
  if (IsBlankCell(text)) {
    if (!t.leaving) run.FailAt(220, kGroupCol, t.row);
    return;
  }
  const Value v = run.Number(kGroupCol, t.row);
  if (Length(text) != 1 || !InRange(v, 0, 9) || v == 7) run.FailAt(220, kGroupCol, t.row);
}

void CheckHours(TestRun& run, int row) {
  if (run.Number(kGroupCol, row) == 0) return;
  const Value total = run.Number(kTotalHoursCol, row);
  const Value due = Value{run.Number(Es(17), row)} + run.Number(Es(20), row) -
                    Sum(run, Es(21), Es(44), row) + run.Number(Es(59), row);
  if (due != total) run.FailAt(223, kTotalHoursCol, row);
  if (Sum(run, Es(46), Es(47), row) != total) run.FailAt(224, kTotalHoursCol, row);
  if (Sum(run, Es(48), Es(58), row) != total) run.FailAt(225, kTotalHoursCol, row);
}

void CheckContractHours(TestRun& run, int row) {
  if (run.Number(Es(16), row) > run.Number(Es(15), row)) run.FailAt(227, Es(16), row);
}

// ---- table 2 ---------------------------------------------------------------------------------

constexpr int kT2First = 2;
constexpr int kT2Total = 30;

struct Subtotal {
  int entry;
  int group_row;
  int first;
  int last;
};
constexpr Subtotal kT2Subtotals[] = {
    {63, 3, 4, 6},    {65, 9, 10, 13},  {66, 15, 16, 19},
    {67, 20, 21, 22}, {68, 24, 25, 26}, {69, 27, 28, 29},
};

bool IsMainType(const std::string& key) { return !key.empty() && key.back() == '0'; }

// ---- table 3 ---------------------------------------------------------------------------------

constexpr int kT3First = 2;
constexpr int kT3Total = 5;

}  // namespace

TestResult TestTeacherTable0(TestEnv& env) {
  TestRun run(env.grid, env.flags);
  MarkTested(run, {5, 10});
  CheckCodeRow(run, 1, 1);
  if (run.Text(1, 2) != env.settings.dst_nr) run.FailAt(10, 1, 2);
  MoveToErrorPosition(run, env.grid, true);
  return run.Result();
}

TestResult TestTeacherTable1(TestEnv& env) {
  TestRun run(env.grid, env.flags);
  MarkTested(run, {5, kCellValueError, 220, 226, 227});
  MarkTestedRange(run, 180, 186);
  MarkTestedRange(run, 223, 225);
  CheckCodeRow(run, kNumberCol, 59);

  const int rows = env.grid.RowCount();
  std::vector<TeacherRow> teachers;
  std::map<Value, int> first_row_of;
  for (int row = 2; row < rows; ++row) {
    const Value number = run.Number(kNumberCol, row);
    first_row_of.emplace(number, row);
    const bool numbered = !IsBlankCell(run.Text(kNumberCol, row));
    teachers.push_back({row, numbered, InRange(run.Number(kChangeCol, row), 20, 35)});
  }
  CheckNumbering(run, first_row_of);
  for (const TeacherRow& t : teachers) CheckKeyColumns(run, t);
  for (const TeacherRow& t : teachers) CheckSubjects(run, t.row);
  for (const TeacherRow& t : teachers) CheckChange(run, t);
  for (const TeacherRow& t : teachers) CheckPersonGroup(run, t);
  for (const TeacherRow& t : teachers) CheckHours(run, t.row);
  for (const TeacherRow& t : teachers) CheckContractHours(run, t.row);
  MoveToErrorPosition(run, env.grid, true);
  return run.Result();
}

TestResult TestTeacherTable2(TestEnv& env) {
  TestRun run(env.grid, env.flags);
  MarkTested(run, {5, kCellValueError, 61, 63});
  MarkTestedRange(run, 65, 69);
  MarkTestedRange(run, 190, 202);
  CheckCodeRow(run, 2, 12);
  for (int col = 3; col <= 13; ++col) {
    Value sum = 0;
    for (int row = kT2First; row < kT2Total; ++row) {
      if (IsMainType(run.Text(0, row))) sum += run.Number(col, row);
    }
    if (sum != run.Number(col, kT2Total)) run.FailAt(col + 187, col, kT2Total);
  }
  for (int row = kT2First; row <= kT2Total; ++row) {
    const Value taught = run.Number(5, row);
    if (Value{run.Number(6, row)} + run.Number(8, row) + run.Number(10, row) +
            run.Number(12, row) !=
        taught) {
      run.FailAt(201, 5, row);
    }
  }
  for (int row = kT2First; row <= kT2Total; ++row) {
    const Value women =
        Value{run.Number(7, row)} + run.Number(9, row) + run.Number(11, row) + run.Number(13, row);
    if (run.Number(5, row) < women) run.FailAt(202, 5, row);
  }
  for (int row = kT2First; row <= kT2Total; ++row) {
    for (int col = 6; col <= 12; col += 2) {
      if (run.Number(col + 1, row) > run.Number(col, row)) run.FailAt(61, col + 1, row);
    }
  }
  for (const Subtotal& s : kT2Subtotals) {
    for (int col = 3; col <= 13; ++col) {
      Value parts = 0;
      for (int row = s.first; row <= s.last; ++row) parts += run.Number(col, row);
      if (parts != run.Number(col, s.group_row)) run.FailAt(s.entry, col, s.group_row);
    }
  }
  MoveToErrorPosition(run, env.grid, true);
  return run.Result();
}

TestResult TestTeacherTable3(TestEnv& env) {
  TestRun run(env.grid, env.flags);
  MarkTested(run, {5, kCellValueError});
  MarkTestedRange(run, 210, 213);
  CheckCodeRow(run, 2, 7);
  for (int row = kT3First; row < kT3Total; ++row) {
    for (int col = 7; col <= 8; ++col) {
      if (run.Occupied(col, row)) run.FailAt(210, col, row);
    }
  }
  for (int col = 3; col <= 6; ++col) {
    Value parts = 0;
    for (int row = kT3First; row < kT3Total; ++row) parts += run.Number(col, row);
    if (parts != run.Number(col, kT3Total)) run.FailAt(211, col, kT3Total);
  }
  for (int row = kT3First; row <= kT3Total; ++row) {
    if (run.Number(5, row) > run.Number(3, row)) run.FailAt(212, 5, row);
    if (run.Number(6, row) > run.Number(4, row)) run.FailAt(213, 6, row);
  }
  MoveToErrorPosition(run, env.grid, true);
  return run.Result();
}

std::span<const SheetTest> TeacherTests() {
  static constexpr SheetTest kTests[] = {
      {0, "interner Plausi-Test: Schulbogen - Tab.: Dienststelle", TestTeacherTable0},
      {1, "interner Plausi-Test: Lehrerbogen - Tab.: Angaben je Lehrkraft (1)", TestTeacherTable1},
      {2, "interner Plausi-Test: Lehrerbogen - Tab.: Wöchentlich erteilte Stunden",
       TestTeacherTable2},
      {3, "interner Plausi-Test: Lehrerbogen - Tab.: Religionsunterricht", TestTeacherTable3},
  };
  return kTests;
}

}  // namespace tabulon

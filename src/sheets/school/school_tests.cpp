#include "sheets/school/school_tests.h"

#include <cstdint>

#include "tables/values.h"

namespace tabulon {
namespace {

using Value = std::int64_t;  // sums of several 32-bit cells must not wrap

// Row 1 must hold "ES001" ... in the data columns. Every differing code is a finding; the run
// goes on whatever it finds.
void CheckCodeRow(TestRun& run, int first_col, int count) {
  run.MarkTested(5);
  if (CodeRowMatches(run.grid(), first_col, count)) return;
  for (int i = 1; i <= count; ++i) {
    if (run.Text(first_col + i - 1, 1) != EsCode(i)) run.FailCell(5, first_col + i - 1, 1);
  }
}

Value SumOfCols(TestRun& run, int first_col, int last_col, int row) {
  Value sum = 0;
  for (int c = first_col; c <= last_col; ++c) sum += run.Number(c, row);
  return sum;
}

// ---- table 1 -------------------------------------------------------------------------------

// Cells that must stay empty for the school types of their rows. A block is checked as a whole
// and gives no error position; a single column is checked cell by cell and each occupied cell
// becomes the error position.
struct LockedCells {
  int error;
  int first_col;
  int last_col;
  int first_row;
  int last_row;
  bool block;
};

constexpr LockedCells kTable1Locked[] = {
    {30, 4, 17, 3, 3, true},     {31, 4, 4, 3, 3, false},   {31, 4, 4, 22, 22, false},
    {32, 5, 5, 3, 3, false},     {32, 5, 5, 5, 6, false},   {32, 5, 5, 8, 8, false},
    {33, 6, 6, 3, 8, false},     {33, 6, 6, 11, 11, false}, {33, 6, 6, 21, 23, false},
    {34, 7, 8, 3, 8, true},      {34, 7, 8, 10, 23, true},  {34, 7, 8, 25, 27, true},
    {34, 8, 8, 9, 9, false},     {34, 8, 8, 24, 24, false}, {35, 10, 10, 3, 3, false},
    {35, 10, 10, 22, 22, false}, {36, 11, 11, 3, 3, false}, {36, 11, 11, 5, 6, false},
    {36, 11, 11, 8, 8, false},   {37, 12, 12, 3, 8, false}, {37, 12, 12, 11, 11, false},
    {37, 12, 12, 21, 23, false}, {38, 13, 14, 3, 8, true},  {38, 13, 14, 10, 23, true},
    {38, 13, 14, 25, 27, true},
};

// Columns whose main school types must add up to the total row 31.
struct ColumnTotal {
  int col;
  int error;
};
constexpr ColumnTotal kTable1ColumnTotals[] = {
    {3, 40},  {4, 41},  {5, 42},  {6, 43},  {7, 44},  {8, 45},  {9, 51},  {10, 46},
    {11, 47}, {12, 48}, {13, 49}, {14, 50}, {15, 52}, {16, 53}, {17, 75},
};

// Rows that hold the subtotal of the rows below them.
struct Subtotal {
  int error;
  int first_part;
  int last_part;
  int subtotal_row;
};
constexpr Subtotal kTable1Subtotals[] = {
    {63, 5, 7, 4},    {65, 11, 14, 10}, {66, 17, 20, 16},
    {67, 22, 23, 21}, {68, 26, 27, 25}, {69, 29, 30, 28},
};

constexpr int kTable1FirstRow = 2;
constexpr int kTable1TotalRow = 31;
constexpr int kTable1BlockRow = 3;  // "011": classes in block instruction, part of row 2

void CheckLockedCells(TestRun& run) {
  for (const LockedCells& l : kTable1Locked) {
    run.MarkTested(l.error);
    if (l.block && RangeIsEmpty(run.grid(), l.first_col, l.first_row, l.last_row, l.last_col)) {
      continue;
    }
    for (int r = l.first_row; r <= l.last_row; ++r) {
      for (int c = l.first_col; c <= l.last_col; ++c) {
        if (!run.Occupied(c, r)) continue;
        if (l.block) {
          run.FailCell(l.error, c, r);
        } else {
          run.FailAt(l.error, c, r);
        }
      }
    }
  }
}

bool IsMainSchoolType(const std::string& key) { return !key.empty() && key.back() == '0'; }

void CheckColumnTotals(TestRun& run) {
  for (const ColumnTotal& t : kTable1ColumnTotals) {
    run.MarkTested(t.error);
    Value sum = 0;
    for (int r = kTable1FirstRow; r < kTable1TotalRow; ++r) {
      if (IsMainSchoolType(run.Text(0, r))) sum += run.Number(t.col, r);
    }
    if (sum != run.Number(t.col, kTable1TotalRow)) run.FailAt(t.error, t.col, kTable1TotalRow);
  }
}

// A total column must equal its parts (equal) or bound each of them (at most).
void CheckRowsOfTable1(TestRun& run) {
  // Classes first, then pupils, each over all rows: the last violation of the pupils' rule is
  // where the cursor goes when both fail.
  run.MarkTested(57);
  for (int r = kTable1FirstRow; r <= kTable1TotalRow; ++r) {
    // The block-instruction row counts classes that already stand in row 2 by year.
    if (r != kTable1BlockRow && run.Number(3, r) != SumOfCols(run, 4, 8, r)) run.FailAt(57, 3, r);
  }
  run.MarkTested(58);
  for (int r = kTable1FirstRow; r <= kTable1TotalRow; ++r) {
    if (run.Number(9, r) != SumOfCols(run, 10, 14, r)) run.FailAt(58, 9, r);
  }
  struct AtMost {
    int error;
    int first_col;
    int last_col;
    int bound_col;
  };
  static constexpr AtMost kAtMost[] = {
      {59, 4, 8, 3}, {60, 10, 14, 9}, {61, 15, 16, 9}, {61, 17, 17, 16}};
  for (const AtMost& a : kAtMost) run.MarkTested(a.error);
  for (int r = kTable1FirstRow; r <= kTable1TotalRow; ++r) {
    for (const AtMost& a : kAtMost) {
      const Value bound = run.Number(a.bound_col, r);
      for (int c = a.first_col; c <= a.last_col; ++c) {
        if (run.Number(c, r) > bound) run.FailAt(a.error, c, r);
      }
    }
  }
  run.MarkTested(62);
  if (run.Number(3, kTable1BlockRow) > run.Number(3, kTable1FirstRow)) {
    run.FailAt(62, 3, kTable1BlockRow);
  }
}

void CheckSubtotals(TestRun& run) {
  for (const Subtotal& s : kTable1Subtotals) {
    run.MarkTested(s.error);
    for (int c = 3; c <= 17; ++c) {
      Value parts = 0;
      for (int r = s.first_part; r <= s.last_part; ++r) parts += run.Number(c, r);
      if (parts != run.Number(c, s.subtotal_row)) run.FailAt(s.error, c, s.subtotal_row);
    }
  }
}

// ---- table 2 -------------------------------------------------------------------------------

// The school types of the leavers table; the k-th (from 1) owns the checks 6k + 74 to 6k + 79.
constexpr const char* kLeaverSchoolTypes[] = {"010", "020", "030", "060", "070", "080", "100",
                                              "110", "120", "130", "140", "160", "170"};
constexpr int kTable2Cols = 18;
using Values = std::array<Value, kTable2Cols + 1>;  // by column, index 0 unused

// A missing total or foreigners row counts as all 0; a violation then has no cell to point at.
void FailInRow(TestRun& run, int entry, int col, int row) {
  if (row >= 0) {
    run.FailAt(entry, col, row);
  } else {
    run.Fail(entry);
  }
}

void CheckSchoolType(TestRun& run, const char* code, int e) {
  Values total{}, foreigners{}, birth_years{};
  int total_row = -1;
  int foreigners_row = -1;
  bool any_row = false;
  const int rows = run.grid().RowCount();
  for (int r = 2; r < rows; ++r) {
    if (run.Text(1, r) != code) continue;
    any_row = true;
    Values v{};
    for (int c = 1; c <= kTable2Cols; ++c) v[c] = run.Number(c, r);
    for (int n : {e, e + 1, e + 3, e + 4, 61}) run.MarkTested(n);
    if (v[3] != v[5] + v[7] + v[17]) run.FailAt(e, 3, r);
    if (v[4] != v[6] + v[8] + v[18]) run.FailAt(e + 1, 4, r);
    const std::string& year = run.Text(2, r);
    if (year == "9999") {
      total = v;
      total_row = r;
    } else if (year == "8888") {
      foreigners = v;
      foreigners_row = r;
    } else {
      for (int c = 1; c <= kTable2Cols; ++c) birth_years[c] += v[c];
    }
    if (v[7] < v[9] + v[11] + v[13] + v[15]) run.FailAt(e + 3, 7, r);
    if (v[8] < v[10] + v[12] + v[14] + v[16]) run.FailAt(e + 4, 8, r);
    for (int first = 3; first < kTable2Cols; first += 2) {
      if (v[first + 1] > v[first]) run.FailAt(61, first + 1, r);
    }
  }
  if (!any_row) return;  // a type without rows is not tested at all
  run.MarkTested(e + 2);
  run.MarkTested(e + 5);
  // All columns of the totals first, then all columns of the foreigners row, so that the cursor
  // ends on the last violation of the later rule.
  for (int c = 3; c <= kTable2Cols; ++c) {
    if (total[c] != birth_years[c]) FailInRow(run, e + 2, c, total_row);
  }
  for (int c = 3; c <= kTable2Cols; ++c) {
    // Without a foreigners row its values are 0; they still exceed a sum that negative entries
    // pulled below 0.
    if (foreigners[c] > birth_years[c]) FailInRow(run, e + 5, c, foreigners_row);
  }
}

// ---- table 4 -------------------------------------------------------------------------------

struct ReligionPair {
  int error;
  int first_col;
};
constexpr ReligionPair kTable4Pairs[] = {{71, 2}, {72, 4}, {73, 6}};

}  // namespace

TestResult TestSchoolTable1(Grid& grid, ErrorFlags& flags) {
  TestRun run(grid, flags);
  // Every table's values are read as numbers; an unreadable one must show up in the protocol.
  run.MarkTested(kCellValueError);
  CheckCodeRow(run, 2, 16);
  CheckLockedCells(run);
  CheckColumnTotals(run);
  CheckRowsOfTable1(run);
  CheckSubtotals(run);
  MoveToErrorPosition(run, grid, true);
  return run.Result();
}

TestResult TestSchoolTable2(Grid& grid, ErrorFlags& flags) {
  TestRun run(grid, flags);
  run.MarkTested(kCellValueError);
  CheckCodeRow(run, 1, kTable2Cols);
  int k = 1;
  for (const char* code : kLeaverSchoolTypes) CheckSchoolType(run, code, 6 * k++ + 74);
  MoveToErrorPosition(run, grid, true);
  return run.Result();
}

TestResult TestSchoolTable3(Grid& grid, ErrorFlags& flags) {
  TestRun run(grid, flags);
  run.MarkTested(kCellValueError);
  const int rows = grid.RowCount();
  for (int r = 2; r < rows; ++r) {
    run.MarkTested(61);
    // Women ("weibl.") are part of all ("insg.") in each pair of columns.
    for (int first = 4; first <= 8; first += 2) {
      if (run.Number(first + 1, r) > run.Number(first, r)) run.FailAt(61, first + 1, r);
    }
  }
  MoveToErrorPosition(run, grid, false);
  return run.Result();
}

TestResult TestSchoolTable4(Grid& grid, ErrorFlags& flags) {
  TestRun run(grid, flags);
  run.MarkTested(kCellValueError);
  CheckCodeRow(run, 1, 7);
  constexpr int r = 2;
  const Value all = run.Number(1, r);
  run.MarkTested(70);
  if (all != SumOfCols(run, 2, 7, r)) run.FailAt(70, 1, r);
  for (const ReligionPair& p : kTable4Pairs) {
    run.MarkTested(p.error);
    const Value a = run.Number(p.first_col, r);
    const Value b = run.Number(p.first_col + 1, r);
    if (a > all) run.FailAt(p.error, p.first_col, r);
    if (b > all) run.FailAt(p.error, p.first_col + 1, r);
    if (a + b > all) run.Fail(p.error);
  }
  MoveToErrorPosition(run, grid, true);
  return run.Result();
}

namespace {
constexpr SchoolTest kSchoolTests[] = {
    {1, "interner Plausi-Test: Schulbogen - Tab.: Klassen und Schüler nach ...", TestSchoolTable1},
    {2, "interner Plausi-Test: Schulbogen - Tab.: Absolv./Abgäng. n. Schularten, ...",
     TestSchoolTable2},
    {3, "interner Plausi-Test: Schulbogen - Tab.: Absolv./Abgäng. nach Berufen", TestSchoolTable3},
    {4, "interner Plausi-Test: Schulbogen - Tab.: Religionsunterricht", TestSchoolTable4},
};
}  // namespace

const SchoolTest* FindSchoolTest(int table) {
  for (const SchoolTest& t : kSchoolTests) {
    if (t.table == table) return &t;
  }
  return nullptr;
}

}  // namespace tabulon

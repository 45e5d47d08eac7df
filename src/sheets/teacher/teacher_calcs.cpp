#include "sheets/teacher/teacher_calcs.h"

#include <array>
#include <cstdint>

#include "tables/values.h"

namespace tabulon::calc {
namespace {

constexpr int Es(int n) { return n + 1; }  // grid column of code ES<n>

std::int64_t SumCols(CalcEnv& env, int first_col, int last_col, int row) {
  std::int64_t sum = 0;
  for (int col = first_col; col <= last_col; ++col) sum += ReadValue(env, col, row);
  return sum;
}

std::int64_t SumRows(CalcEnv& env, int col, int first_row, int last_row) {
  std::int64_t sum = 0;
  for (int row = first_row; row <= last_row; ++row) sum += ReadValue(env, col, row);
  return sum;
}

bool ThirdCharIsZero(const std::string& key) { return key.size() >= 3 && key[2] == '0'; }

struct Group {
  int row;
  int first;
  int last;
};
constexpr Group kTable2Groups[] = {{3, 4, 6},    {9, 10, 13},  {15, 16, 19},
                                   {20, 21, 22}, {24, 25, 26}, {27, 28, 29}};

}  // namespace

std::string TeacherRowText(const Grid& grid, int row) {
  const std::string& name = grid.Cell(1, row);
  if (!IsBlankCell(name)) return name;
  return "Zeile: " + std::to_string(row) + "  Lehrer-Nr.: " + grid.Cell(Es(1), row);
}

void TeacherTable1HoursColumn(CalcEnv& env) {
  for (int row = 2; row < env.grid.RowCount(); ++row) {
    // The first way subtracts the reductions and can fall below 0; it stays negative.
    const std::int64_t due = ReadValue(env, Es(17), row) + ReadValue(env, Es(20), row) +
                             ReadValue(env, Es(59), row) - SumCols(env, Es(21), Es(44), row);
    const std::array<Candidate, 3> candidates = {
        Candidate{"Std.n  SOLL+ATZ-Anrechnung+MehrArb.", due},
        Candidate{"Std.n nach Schulort", SumCols(env, Es(46), Es(47), row)},
        Candidate{"Stunden nach Schularten", SumCols(env, Es(48), Es(58), row)},
    };
    SetByRuleC(env, Es(45), row, candidates, TeacherRowText(env.grid, row));
  }
}

void TeacherTable2SummaryRow(CalcEnv& env) {
  constexpr int kTotalRow = 30;
  for (int col = 3; col <= 13; ++col) {
    std::int64_t sum = 0;
    for (int row = 2; row < kTotalRow; ++row) {
      if (ThirdCharIsZero(env.grid.Cell(0, row))) sum += ReadValue(env, col, row);
    }
    SetComputedCell(env, Rule::kA, col, kTotalRow, sum, DefaultRowText(env.grid, kTotalRow));
  }
}

void TeacherTable2SubtotalRows(CalcEnv& env) {
  for (const Group& g : kTable2Groups) {
    for (int col = 3; col <= 13; ++col) {
      SetComputedCell(env, Rule::kA, col, g.row, SumRows(env, col, g.first, g.last),
                      DefaultRowText(env.grid, g.row));
    }
  }
}

void TeacherTable2SummaryColumn(CalcEnv& env) {
  for (int row = 2; row <= 35; ++row) {
    const std::int64_t sum = ReadValue(env, 6, row) + ReadValue(env, 8, row) +
                             ReadValue(env, 10, row) + ReadValue(env, 12, row);
    SetComputedCell(env, Rule::kA, 5, row, sum, DefaultRowText(env.grid, row));
  }
}

void TeacherTable3SummaryRow(CalcEnv& env) {
  for (int col = 3; col <= 6; ++col) {
    SetComputedCell(env, Rule::kA, col, 5, SumRows(env, col, 2, 4), DefaultRowText(env.grid, 5));
  }
}

}  // namespace tabulon::calc

namespace tabulon {

std::span<const CalcEntry> TeacherCalcs() {
  static constexpr CalcEntry kCalcs[] = {
      {.table = 1, .summary_columns = calc::TeacherTable1HoursColumn},
      {.table = 2,
       .summary_row = calc::TeacherTable2SummaryRow,
       .subtotal_rows = calc::TeacherTable2SubtotalRows,
       .summary_columns = calc::TeacherTable2SummaryColumn},
      {.table = 3, .summary_row = calc::TeacherTable3SummaryRow},
  };
  return kCalcs;
}

}  // namespace tabulon

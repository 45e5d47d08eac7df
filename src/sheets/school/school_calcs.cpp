#include "sheets/school/school_calcs.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "text/encoding.h"

namespace tabulon::calc {
namespace {

// Sets of rows or columns of school table 1 (indexes below 32) as bit masks.
using Set32 = std::uint32_t;
constexpr Set32 Bit(int i) { return Set32{1} << i; }
constexpr Set32 Span(int first, int last) {
  Set32 s = 0;
  for (int i = first; i <= last; ++i) s |= Bit(i);
  return s;
}
constexpr bool Has(Set32 s, int i) { return i >= 0 && i < 32 && (s & Bit(i)) != 0; }

constexpr int kT1FirstRow = 2;
constexpr int kT1LastRow = 30;
constexpr int kT1TotalRow = 31;
constexpr int kT1FirstCol = 3;
constexpr int kT1LastCol = 17;
constexpr Set32 kT1Rows = Span(kT1FirstRow, kT1LastRow);

// Which rows enter the total of each column: a school type only counts in the columns of the
// school years it has.
struct ColumnRows {
  Set32 cols;
  Set32 rows;
};
constexpr ColumnRows kSummaryRowSets[] = {
    {Bit(3), kT1Rows},
    {Bit(4) | Bit(10), kT1Rows & ~(Bit(3) | Bit(22))},
    {Bit(5) | Bit(11), kT1Rows & ~(Bit(3) | Bit(5) | Bit(6) | Bit(8))},
    {Bit(6) | Bit(12), kT1Rows & ~(Span(3, 8) | Bit(11) | Span(21, 23))},
    {Bit(7) | Bit(13), Bit(9) | Bit(24) | Span(28, 30)},
    {Bit(8) | Bit(14), Bit(2) | Span(28, 30)},
    {Bit(9) | Span(15, 17), kT1Rows & ~Bit(3)},
};

// A group row and its members; some columns take fewer members, because those members have no
// such school year.
struct Group {
  int row;
  int first;
  int last;
  Set32 cols;
  Set32 narrow_cols = 0;
  int narrow_first = 0;
  int narrow_last = -1;
};
constexpr Set32 kYears1To3 = Span(3, 6) | Span(9, 12) | Span(15, 17);
constexpr Group kGroups[] = {
    {4, 5, 7, Span(3, 5) | Span(9, 11) | Span(15, 17)},
    {10, 11, 14, kYears1To3, Bit(6) | Bit(12), 12, 14},
    {16, 17, 20, kYears1To3},
    {21, 22, 23, kYears1To3, Bit(4) | Bit(10), 23, 23},
    {25, 26, 27, kYears1To3},
    {28, 29, 30, Span(3, 17)},
};

// The school years of each row of school table 1; rows not listed have years 1 to 3.
struct RowYears {
  Set32 rows;
  int first_year;
  int last_year;
};
constexpr RowYears kRowYears[] = {
    {Bit(5) | Bit(6) | Bit(8), 1, 1},
    {Bit(4) | Bit(7) | Bit(11) | Bit(21) | Bit(23), 1, 2},
    {Bit(22), 2, 2},
    {Bit(9) | Bit(24), 1, 4},
    {Bit(2) | Span(28, 30), 1, 5},
};
constexpr int kClassesTotalCol = 3;  // "Klassen insg."; year y in column 3 + y
constexpr int kPupilsTotalCol = 9;   // "Schüler/-innen insg."; year y in column 9 + y

// A main school type's key has "0" as its third character; shorter keys are no main type.
bool IsMainType(const Grid& grid, int row) {
  const std::string& key = CellText(grid, 0, row);
  if (text::CharCount(key) < 3) return false;
  return text::CutChars(key, 3).back() == '0';
}

std::int64_t SumRows(CalcEnv& env, int col, int first, int last) {
  std::int64_t sum = 0;
  for (int row = first; row <= last; ++row) sum += ReadValue(env, col, row);
  return sum;
}

}  // namespace

void SchoolTable1SummaryRow(CalcEnv& env) {
  for (int col = kT1FirstCol; col <= kT1LastCol; ++col) {
    Set32 rows = 0;
    for (const ColumnRows& set : kSummaryRowSets) {
      if (Has(set.cols, col)) rows = set.rows;
    }
    std::int64_t sum = 0;
    for (int row = kT1FirstRow; row <= kT1LastRow; ++row) {
      if (Has(rows, row) && IsMainType(env.grid, row)) sum += ReadValue(env, col, row);
    }
    SetComputedCell(env, Rule::kA, col, kT1TotalRow, sum, DefaultRowText(env.grid, kT1TotalRow));
  }
}

void SchoolTable1SubtotalRows(CalcEnv& env) {
  for (const Group& g : kGroups) {
    for (int col = kT1FirstCol; col <= kT1LastCol; ++col) {
      if (!Has(g.cols, col)) continue;
      const bool narrow = Has(g.narrow_cols, col);
      const std::int64_t sum =
          SumRows(env, col, narrow ? g.narrow_first : g.first, narrow ? g.narrow_last : g.last);
      SetComputedCell(env, Rule::kA, col, g.row, sum, DefaultRowText(env.grid, g.row));
    }
  }
}

void SchoolTable1SummaryColumns(CalcEnv& env) {
  for (int row = kT1FirstRow; row <= kT1LastRow; ++row) {
    if (row == 3) continue;  // block-instruction classes of the row above: no years of their own
    int first = 1, last = 3;
    for (const RowYears& y : kRowYears) {
      if (Has(y.rows, row)) first = y.first_year, last = y.last_year;
    }
    const std::string row_text = DefaultRowText(env.grid, row);
    for (int total_col : {kClassesTotalCol, kPupilsTotalCol}) {
      std::int64_t sum = 0;
      for (int year = first; year <= last; ++year) sum += ReadValue(env, total_col + year, row);
      SetComputedCell(env, Rule::kA, total_col, row, sum, row_text);
    }
  }
}

namespace {

constexpr const char* kSchoolTypes[] = {"010", "020", "030", "060", "070", "080", "100",
                                        "110", "120", "130", "140", "160", "170"};
constexpr const char* kTotalYear = "9999";
constexpr const char* kForeignersYear = "8888";
constexpr int kTypeCol = 1;
constexpr int kYearCol = 2;
constexpr int kT2FirstValueCol = 3;
constexpr int kT2LastValueCol = 18;
constexpr int kT2FirstRow = 2;

bool IsListedType(const std::string& text) {
  for (const char* t : kSchoolTypes) {
    if (text == t) return true;
  }
  return false;
}

bool TypeAndYearBlank(const Grid& grid, int row) {
  return IsBlankCell(CellText(grid, kTypeCol, row)) && IsBlankCell(CellText(grid, kYearCol, row));
}

// Where new total rows go: below the last row of any listed type, into rows whose type and year
// are blank, else at the end of the grid with blank rows kept below.
class TotalRowPlacer {
 public:
  explicit TotalRowPlacer(const Grid& grid) {
    int last_listed = kT2FirstRow - 1;
    for (int row = kT2FirstRow; row < grid.RowCount(); ++row) {
      if (IsListedType(grid.Cell(kTypeCol, row))) last_listed = row;
    }
    next_ = FreeRowFrom(grid, last_listed + 1);
    had_blank_below_ = next_.has_value();
  }

  int Place(Grid& grid) {
    int row;
    if (next_) {
      row = *next_;
    } else {
      // One blank row stays below the appended total row; two when the data had none at all.
      row = grid.RowCount();
      GrowRows(grid, had_blank_below_ ? 2 : 3);
    }
    next_ = FreeRowFrom(grid, row + 1);
    return row;
  }

 private:
  static std::optional<int> FreeRowFrom(const Grid& grid, int first) {
    for (int row = first; row < grid.RowCount(); ++row) {
      if (TypeAndYearBlank(grid, row)) return row;
    }
    return std::nullopt;
  }

  std::optional<int> next_;
  bool had_blank_below_ = false;
};

void TypeTotal(CalcEnv& env, const std::string& type, TotalRowPlacer& placer) {
  Grid& grid = env.grid;
  std::optional<int> total_row;
  std::array<std::int64_t, kT2LastValueCol + 1> sums{};
  for (int row = kT2FirstRow; row < grid.RowCount(); ++row) {
    if (grid.Cell(kTypeCol, row) != type) continue;
    const std::string& year = grid.Cell(kYearCol, row);
    if (year == kTotalYear) {
      total_row = row;  // the last one wins
      continue;
    }
    if (year == kForeignersYear) continue;  // "darunter Ausländer" is part of the other rows
    for (int col = kT2FirstValueCol; col <= kT2LastValueCol; ++col) {
      sums[col] += ReadValue(env, col, row);
    }
  }
  if (!total_row) {
    total_row = placer.Place(grid);
    grid.SetCell(kTypeCol, *total_row, type);
    grid.SetCell(kYearCol, *total_row, kTotalYear);
  }
  const std::string row_text = type + "; " + grid.Cell(kYearCol, *total_row);
  for (int col = kT2FirstValueCol; col <= kT2LastValueCol; ++col) {
    SetComputedCell(env, Rule::kA, col, *total_row, sums[col], row_text);
  }
}

}  // namespace

void SchoolTable2TypeTotals(CalcEnv& env) {
  TotalRowPlacer placer(env.grid);
  for (const char* type : kSchoolTypes) {
    bool occurs = false;
    for (int row = kT2FirstRow; row < env.grid.RowCount() && !occurs; ++row) {
      occurs = env.grid.Cell(kTypeCol, row) == type;
    }
    if (occurs) TypeTotal(env, type, placer);
  }
}

}  // namespace tabulon::calc

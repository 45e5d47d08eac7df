// The structure of class table 8 (pupils by training and district of origin): which rows are
// occupation-group rows, which are detail rows of a group, and the sums per group. The group
// calculation of the table and its plausibility test both work from this one analysis.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tables/error_flags.h"
#include "tables/grid.h"

namespace tabulon::class_sheet {

inline constexpr int kT8LineCol = 1;      // "Zeilen-Nr."
inline constexpr int kT8CodeCol = 3;      // "Kennziffer Ausbildung"
inline constexpr int kT8DistrictCol = 5;  // "Kennziffer Herkunfskreis"
inline constexpr int kT8TotalCol = 6;
inline constexpr int kT8FemaleCol = 7;
inline constexpr int kT8MaxGroups = 30;     // per group table
inline constexpr int kT8CompanyLimit = 50;  // line numbers below it: company training

struct T8Group {
  int key = 0;
  std::optional<int> group_row;  // the row that represents the group (the last one found)
  std::int64_t total = 0;        // from the group row
  std::int64_t female = 0;
  std::int64_t detail_total = 0;  // over its detail rows (and group rows with a district)
  std::int64_t detail_female = 0;
};

// A finding of the analysis: the catalogue entry and the cell it points at.
struct T8Finding {
  int entry;
  int col;
  int row;
};

struct T8Structure {
  std::vector<T8Group> company;  // line numbers below 50
  std::vector<T8Group> other;
  std::optional<int> sum_row;  // the row with line number "99" (the last one)
  std::int64_t sum_total = 0;
  std::int64_t sum_female = 0;
  // 243: code not four characters or not readable; 245: detail row without district; 240: a
  // group beyond the 30th of its table (its rows count for the 30th).
  std::vector<T8Finding> findings;
};

// Analyses rows 2 to the last (rows empty in columns 1 to 7 are skipped). Counts and line numbers
// are read as cell numbers reporting to entry 7 in `flags`; nothing else is set there.
T8Structure AnalyseTable8(const Grid& grid, ErrorFlags& flags);

// The four-digit code of a group as column 3 writes it: codes below 1000 times 10.
int GroupCodeOf(int key);

}  // namespace tabulon::class_sheet

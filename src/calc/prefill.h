// Pre-filling of rows with school types and birth years: the dialogs' choices and the rows made.
#pragma once

#include <filesystem>
#include <string>

#include "base/ports.h"
#include "calc/grid_access.h"

namespace tabulon {

// The school types offered for pre-filling school table 2, in the order the dialog lists them.
struct PrefillSchoolType {
  const char* display_text;
  const char* code;
};
inline constexpr PrefillSchoolType kPrefillSchoolTypes[] = {
    {"BS...Berufsschule (ohne BVJ u. BVB) TZ", "010"},
    {"BVJ...Berufsvorbereitungsjahr VZ", "020"},
    {"BVB...Berufsvorbereitende Bildungsmaßnahme TZ", "030"},
    {"BFS...Berufsfachschule VZ", "060"},
    {"HBFS...Höhere Berufsfachschule VZ", "160"},
    {"BFS...Berufsfachschule TZ", "070"},
    {"HBFS...Höhere Berufsfachschule TZ", "170"},
    {"FOS...Fachoberschule VZ", "080"},
    {"FG...Fachgymnasium", "100"},
    {"FS...Fachschule VZ", "120"},
    {"FS...Fachschule TZ", "130"},
};

// The two year controls of the birth-year dialogs: lowest, highest and starting value.
struct YearControl {
  int min;
  int max;
  int start;
};
inline constexpr YearControl kVonYear{1950, 2010, 1990};
inline constexpr YearControl kBisYear{1950, 2050, 2000};

// The range after a click on "von" or "bis": the other end follows so that von <= bis holds.
BirthYearRange AfterVonChanged(BirthYearRange range);
BirthYearRange AfterBisChanged(BirthYearRange range);

// One row per school type and birth year: for each of von..bis and then "9999", a row of type
// `code` with that year is made unless one exists, reusing the type's first row without a year.
// Rows of other types and rows without a type are never touched. True when the grid changed.
bool FillTypeAndYearRows(Grid& grid, const std::string& code, BirthYearRange years);

}  // namespace tabulon

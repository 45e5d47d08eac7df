// Pre-filling of rows and texts, and the take-over of the basic data from the quick report.
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

// "Schulart + Geburtsjahre vortragen ...": asks for type and years, then fills the rows. True when
// the grid changed; "Abbrechen" changes nothing.
bool PrefillSchoolTable2(Grid& grid, Ui& ui);

// "Daten von SCHNELL-Meldung übernehmen": copies the quick report's basic-data file over the
// school sheet's, byte for byte, after asking when the target exists. The caller reloads the
// current table afterwards in every case. True when the file was copied.
bool TakeOverBasicData(const std::filesystem::path& school_data_dir, const std::string& dst_nr,
                       Ui& ui);

inline constexpr const char* kNoBasicDataFile =
    "Eine Datei mit den Basis-Daten (Satzart 0)\rexistiert derzeit nicht!";
inline constexpr const char* kOverwriteBasicDataQuestion =
    "Soll die vorhandene Datei\rwirklich überschrieben werden?";

}  // namespace tabulon

// The page buttons of the class tables besides PLAUSI and copying: the sorts, the look-ups of
// texts and keys, the birth-year rows of table 1.
#pragma once

#include <filesystem>

#include "base/ports.h"
#include "tables/grid.h"
#include "tables/values.h"

namespace tabulon::class_sheet {

// "nach Geburtsjahr sortieren" (table 1; column 0 stays in place), "nach Länderschlüssel
// sortieren" (table 3), "nach Zeilennummern sortieren" (table 8), "nach Berufsgruppen sortieren"
// (table 9: by group key with the total block first, then by schooling key).
void SortTable1(Grid& grid);
void SortTable3(Grid& grid);
void SortTable8(Grid& grid);
void SortTable9(Grid& grid);

// The look-ups: which key files fill which column from which.
KeyFillResult FillCountryTexts(Grid& grid, const std::filesystem::path& program_dir, Ui& ui);
KeyFillResult FillCountryKeys(Grid& grid, const std::filesystem::path& program_dir, Ui& ui);
KeyFillResult FillTrainingTexts(Grid& grid, const std::filesystem::path& program_dir, Ui& ui);
KeyFillResult FillDistrictTexts(Grid& grid, const std::filesystem::path& program_dir, Ui& ui);
KeyFillResult FillDistrictKeys(Grid& grid, const std::filesystem::path& program_dir, Ui& ui);
KeyFillResult FillGroupTexts(Grid& grid, const std::filesystem::path& program_dir, Ui& ui);

// One row per birth year of the range and a "9999" row, each unless a row has that year already;
// empty rows are used first, then the grid grows. True when the grid changed.
bool FillYearRows(Grid& grid, BirthYearRange years);

}  // namespace tabulon::class_sheet

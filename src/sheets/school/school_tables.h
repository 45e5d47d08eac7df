// The school sheet's five tables: their frames, sizes, widths, kinds, key file and data-file
// parameters, the steps that complete a table after loading, and the page commands that act on
// the grids (append rows, sort, fill in occupation texts).
#pragma once

#include <filesystem>
#include <span>

#include "base/ports.h"
#include "base/sheet.h"
#include "tables/grid.h"
#include "tables/table_def.h"
#include "tables/values.h"

namespace tabulon {

inline constexpr int kSchoolTableCount = 5;
// Table 1: rows 2 to 31 are the school-type rows that are loaded, saved and tested.
inline constexpr int kSchoolTable1LastKeyRow = 31;

// Tables 0 to 4 in order.
std::span<const TableDef> SchoolTableDefs();
const TableDef& SchoolTableDef(int table);

// "Zeilen sortieren": table 2 by school type, then birth year; table 3 by occupation code.
void SortSchoolTable2(Grid& grid);
void SortSchoolTable3(Grid& grid);

// "Texte (Beruf, Berufsgr., Fachr.) ergänzen" on table 3: occupation texts into column 1 for the
// codes in column 2.
KeyFillResult FillSchoolTable3Texts(Grid& grid, const std::filesystem::path& program_dir, Ui& ui);

}  // namespace tabulon

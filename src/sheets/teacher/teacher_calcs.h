// The calculations of the teacher sheet: the total hours of each teacher in table 1 (three ways of
// computing the same cell), the total row, subtotal rows and total column of table 2, and the
// total row of table 3.
#pragma once

#include <span>
#include <string>

#include "sheets/sheet_def.h"

namespace tabulon::calc {

// Table 1: "zu erteil. Stdn. insg." of every teacher row by the three-way rule.
void TeacherTable1HoursColumn(CalcEnv& env);
// Table 2: row 30 = the main school types (third key character "0") of rows 2 to 29.
void TeacherTable2SummaryRow(CalcEnv& env);
// Table 2: each group row = the sum of its member rows.
void TeacherTable2SubtotalRows(CalcEnv& env);
// Table 2: hours in total = the four kinds of teachers, rows 2 to 35.
void TeacherTable2SummaryColumn(CalcEnv& env);
// Table 3: row 5 = rows 2 to 4.
void TeacherTable3SummaryRow(CalcEnv& env);

// The text the three-way dialog shows for a teacher row: the clear name, or the row and number.
std::string TeacherRowText(const Grid& grid, int row);

}  // namespace tabulon::calc

namespace tabulon {
// What each command computes on each teacher table; tables not listed have no calculation.
std::span<const CalcEntry> TeacherCalcs();
}  // namespace tabulon

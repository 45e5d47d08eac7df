// The calculations of the school sheet: the total row, the subtotal rows and the total columns
// of school table 1, and the per-type total rows of school table 2.
#pragma once

#include "calc/cell_rules.h"

namespace tabulon::calc {

// School table 1: row 31 = the main school types (third key character "0") of rows 2 to 30.
void SchoolTable1SummaryRow(CalcEnv& env);
// School table 1: each group row = the sum of its member rows.
void SchoolTable1SubtotalRows(CalcEnv& env);
// School table 1: classes and pupils in total = the sum over the row's school years.
void SchoolTable1SummaryColumns(CalcEnv& env);
// School table 2: one total row ("9999") per school type over its birth-year rows.
void SchoolTable2TypeTotals(CalcEnv& env);

}  // namespace tabulon::calc

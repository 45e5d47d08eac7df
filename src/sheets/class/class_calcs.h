// The calculations of the class sheet: total rows, subtotal rows and the total column of the
// class tables. Total rows write also a 0 into a blank cell (the paper form wants every total
// filled in) and refuse to guess over a typed cell that is not a whole number.
#pragma once

#include "calc/cell_rules.h"

namespace tabulon::class_sheet {

inline constexpr const char* kTable8SubtotalQuestion =
    "Diese Berechnungen setzen eine ordnungsgmäß\rnummerierte und sortierte Tabelle "
    "voraus!\r\rSoll die Funktion jetzt ausgeführt werden?";
inline constexpr const char* kTable8NoNumbering =
    "Die Zeilen-Nummerierung fehlt mindestens 1x\roder keine auswertbaren Zeilen gefunden!";

// Table 1: the "9999" row = every other row with a birth year ("8888", the foreign pupils among
// them, excepted), columns 2 to 5.
void Table1SummaryRow(calc::CalcEnv& env);
// Table 2: row 12 = rows 2 and 6 to 11; row 2 = rows 3 to 5.
void Table2SummaryRow(calc::CalcEnv& env);
void Table2SubtotalRows(calc::CalcEnv& env);
// Table 3: the "999" row = every other row with a country key, columns 3 to 6.
void Table3SummaryRow(calc::CalcEnv& env);
// Table 5: row 7 = rows 2 to 6.
void Table5SummaryRow(calc::CalcEnv& env);
// Table 6: row 11 = rows 2, 9 and 10; row 2 = rows 3 to 8.
void Table6SummaryRow(calc::CalcEnv& env);
void Table6SubtotalRows(calc::CalcEnv& env);
// Table 7: row 13 = rows 2 to 12 (block-lesson columns: rows 2 to 10).
void Table7SummaryRow(calc::CalcEnv& env);
// Table 8: the "99" row = the occupation-group rows; each group row = its detail rows (after
// asking, since it needs a numbered and sorted table; `Table8GroupRows` without the question).
void Table8SummaryRow(calc::CalcEnv& env);
void Table8SubtotalRows(calc::CalcEnv& env);
void Table8GroupRows(calc::CalcEnv& env);
// Table 9: each "9999" row = all groups of its schooling key; each group's key-9 row = its rows
// with schooling keys below 9.
void Table9SummaryRow(calc::CalcEnv& env);
void Table9SubtotalRows(calc::CalcEnv& env);
// Table 10: pupils with foreign-language lessons = the four columns by number of languages.
void Table10SummaryColumns(calc::CalcEnv& env);

}  // namespace tabulon::class_sheet

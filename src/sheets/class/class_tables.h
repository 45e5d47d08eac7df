// The class sheet's tables: the identification table with the class notes and the eleven
// statistics tables of a class, their frames, sizes, widths, kinds, key files and data-file
// parameters, and the steps that complete a table after loading.
#pragma once

#include <span>
#include <string>

#include "tables/grid.h"
#include "tables/table_def.h"

namespace tabulon::class_sheet {

inline constexpr int kTableCount = 11;  // tables 0 to 10; the page "Tab. 4.1" shows table 10
inline constexpr const char* kClassDir = "KLASSE";
inline constexpr const char* kIdentDefinition = "Bog3Ident";

// The last key row of each key-row table: rows beyond it are neither loaded nor saved, even when
// a longer key file makes the grid longer.
inline constexpr int kTable2LastKeyRow = 12;
inline constexpr int kTable4LastKeyRow = 15;
inline constexpr int kTable5LastKeyRow = 7;
inline constexpr int kTable6LastKeyRow = 11;
inline constexpr int kTable7LastKeyRow = 13;

// Tables 0 to 10 in order, then the identification table.
std::span<const TableDef> ClassTableDefs();
const TableDef& ClassTableDef(int table);
const TableDef& IdentTableDef();

// The label in row 1, column 1 of the key-row tables and of table 9 (exact blanks count).
inline constexpr const char* kLabelA = "(Bezeichnung)  |  Erfassungsspalte";
inline constexpr const char* kLabelB = "(Bezeichnung)         |         Erfassungsspalte";
inline constexpr const char* kLabelC = "(Bezeichnung)    |    Erfassungsspalte";
inline constexpr const char* kLabelD = "(Bezeichnung)       |        Erfassungsspalte";

}  // namespace tabulon::class_sheet

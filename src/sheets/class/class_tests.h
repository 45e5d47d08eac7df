// The class sheet's internal plausibility tests of tables 0 to 10. Each reads the grid as it
// stands, sets the flags of the checks it makes and moves the grid's current cell to the last
// violation that names a cell.
#pragma once

#include <span>

#include "sheets/sheet_def.h"

namespace tabulon::class_sheet {

// Test of table `table` (0 to 10); the test of an unknown table finds nothing.
TestResult TestClassTable(int table, TestEnv& env);

}  // namespace tabulon::class_sheet

namespace tabulon {

// The eleven tests with the captions of their error windows.
std::span<const SheetTest> ClassTests();

}  // namespace tabulon

// The teacher sheet's internal plausibility tests of tables 0 to 3. Each reads the grid as it
// stands, sets the flags of the checks it makes and moves the grid's current cell to the last
// violation that names a cell.
#pragma once

#include <span>

#include "sheets/sheet_def.h"

namespace tabulon {

TestResult TestTeacherTable0(TestEnv& env);
TestResult TestTeacherTable1(TestEnv& env);
TestResult TestTeacherTable2(TestEnv& env);
TestResult TestTeacherTable3(TestEnv& env);

// The four tests with the captions of their error windows.
std::span<const SheetTest> TeacherTests();

}  // namespace tabulon

// The school sheet's own plausibility tests of tables 1 to 4. Each reads the grid as it stands
// (nothing is saved first), sets the flags of the checks it makes and moves the grid's current
// cell to the last violation that names a cell.
#pragma once

#include <string>

#include "plausi/test_run.h"
#include "tables/error_flags.h"
#include "tables/grid.h"

namespace tabulon {

TestResult TestSchoolTable1(Grid& grid, ErrorFlags& flags);
TestResult TestSchoolTable2(Grid& grid, ErrorFlags& flags);
TestResult TestSchoolTable3(Grid& grid, ErrorFlags& flags);
TestResult TestSchoolTable4(Grid& grid, ErrorFlags& flags);

struct SchoolTest {
  int table;
  const char* title;  // the caption of the error window
  TestResult (*run)(Grid&, ErrorFlags&);
};

// The test of a school table, or nullptr for a table without one (table 0).
const SchoolTest* FindSchoolTest(int table);

}  // namespace tabulon

// The teacher sheet (Lehrer-Bogen) as the program's registry sees it: its tables, pages, tests,
// calculations, page commands, tools and command-line name.
#pragma once

#include "sheets/sheet_def.h"

namespace tabulon {

const SheetDef& TeacherSheet();

}  // namespace tabulon

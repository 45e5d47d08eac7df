// The school sheet as the rest of the program sees it: one declaration.
#pragma once

#include "sheets/sheet_def.h"

namespace tabulon {

const SheetDef& SchoolSheet();

}  // namespace tabulon

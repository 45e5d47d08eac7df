// The class sheet as the registry sees it: one sheet per class, eleven tables and the
// identification table, pages, calculations and page commands.
#pragma once

#include "sheets/sheet_def.h"

namespace tabulon {

const SheetDef& ClassSheet();

}  // namespace tabulon

// The quick report: its pages are still shown, disabled, with the notice that it no longer
// belongs to the statistics; nothing of it is loaded, tested or saved.
#pragma once

#include "sheets/sheet_def.h"

namespace tabulon {

const SheetDef& QuickSheet();

}  // namespace tabulon

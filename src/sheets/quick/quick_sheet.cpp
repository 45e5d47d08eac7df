#include "sheets/quick/quick_sheet.h"

namespace tabulon {
namespace {

constexpr std::string_view kNotice =
    "die SCHNELL-Meldung gehört (ab) 2010 nicht (mehr) zum Statistik-Umfang";

constexpr PageGrid kGrid0[] = {{"StringGrid1", "Bog0Tab0"}};
constexpr PageGrid kGrid1[] = {{"StringGrid2", "Bog0Tab1"}};
constexpr PageGrid kGrid2[] = {{"StringGrid3", "Bog0Tab2"}};
constexpr PageButton kButtons[] = {{PageAction::kNone, "interne PLAUSI", kPlausiHint}};

constexpr TablePage kPages[] = {
    {.sheet = Sheet::kQuick,
     .table = 0,
     .caption = "Tabelle 0",
     .grids = kGrid0,
     .buttons = kButtons,
     .notice_text = kNotice},
    {.sheet = Sheet::kQuick,
     .table = 1,
     .caption = "Tabelle 1",
     .grids = kGrid1,
     .buttons = kButtons,
     .notice_text = kNotice},
    {.sheet = Sheet::kQuick,
     .table = 2,
     .caption = "Tabelle 2",
     .grids = kGrid2,
     .buttons = kButtons,
     .notice_text = kNotice},
};

constexpr SheetDef kSheet{
    .sheet = Sheet::kQuick,
    .caption = "Schnell",
    .hint = "",
    .enabled = false,
    .pages = kPages,
};

}  // namespace

const SheetDef& QuickSheet() { return kSheet; }

}  // namespace tabulon

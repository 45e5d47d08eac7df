#include "sheets/teacher/teacher_sheet.h"

namespace tabulon {
namespace {

using A = PageAction;

constexpr PageGrid kGrid0[] = {
    {"StringGrid10", "Bog2Ident", true, true},
    {"StringGrid9", "Bog2Tab0"},
};
constexpr PageGrid kGrid1[] = {{"StringGrid11", "Bog2Tab1"}};
constexpr PageGrid kGrid2[] = {{"StringGrid13", "Bog2Tab2"}};
constexpr PageGrid kGrid3[] = {{"StringGrid14", "Bog2Tab3"}};

constexpr PageButton kButtons0[] = {
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kSortRows, "nach Nummern sortieren"},
    {A::kPlausi, "interne PLAUSI: Tabelle 0", kPlausiHint},
};
constexpr PageButton kButtons1[] = {
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kSortRows, "nach Nr.n sortieren"},
    {A::kPlausi, "interne PLAUSI: Tabelle 1", kPlausiHint},
    {A::kConvertTeacher2008, "2008 ==> 2009, ..."},
};
constexpr PageButton kButtons2[] = {{A::kPlausi, "interne PLAUSI: Tabelle 2", kPlausiHint}};
constexpr PageButton kButtons3[] = {{A::kPlausi, "interne PLAUSI: Tabelle 3", kPlausiHint}};

constexpr TablePage kPages[] = {
    {.sheet = Sheet::kTeacher, .table = 0, .caption = "Identifizierung + Tabelle 0",
     .grids = kGrid0, .buttons = kButtons0, .save_grids_in_reverse = true},
    {.sheet = Sheet::kTeacher, .table = 1, .caption = "Tabelle 1", .grids = kGrid1,
     .buttons = kButtons1, .summary_columns = true},
    {.sheet = Sheet::kTeacher, .table = 2, .caption = "Tabelle 2", .grids = kGrid2,
     .buttons = kButtons2, .subtotals = true, .summary_columns = true, .summary_row = true},
    {.sheet = Sheet::kTeacher, .table = 3, .caption = "Tabelle 3", .grids = kGrid3,
     .buttons = kButtons3, .summary_row = true},
};

constexpr SheetDef kSheet{
    .sheet = Sheet::kTeacher,
    .caption = "Lehrer",
    .hint = "Lehrer-Bogen",
    .data_dir = "LEHRER",
    .cli_name = "lehrer",
    .unclear_table = "interner Fehler: unklare Lehrer-Tabelle",
    .pages = kPages,
};

}  // namespace

const SheetDef& TeacherSheet() { return kSheet; }

}  // namespace tabulon

#include "sheets/class/class_sheet.h"

namespace tabulon {
namespace {

using A = PageAction;

constexpr PageGrid kGrid0[] = {
    {"StringGrid17", "Bog3Tab0"},
    {"StringGrid28", "Bog3Ident", false, false, false},
};
constexpr PageGrid kGrid1[] = {{"StringGrid18", "Bog3Tab1"}};
constexpr PageGrid kGrid2[] = {{"StringGrid20", "Bog3Tab2"}};
constexpr PageGrid kGrid3[] = {{"StringGrid19", "Bog3Tab3"}};
constexpr PageGrid kGrid4[] = {{"StringGrid21", "Bog3Tab4"}};
constexpr PageGrid kGrid10[] = {{"StringGrid27", "Bog3Tab10"}};
constexpr PageGrid kGrid5[] = {{"StringGrid22", "Bog3Tab5"}};
constexpr PageGrid kGrid6[] = {{"StringGrid24", "Bog3Tab6"}};
constexpr PageGrid kGrid7[] = {{"StringGrid23", "Bog3Tab7"}};
constexpr PageGrid kGrid8[] = {{"StringGrid25", "Bog3Tab8"}};
constexpr PageGrid kGrid9[] = {{"StringGrid26", "Bog3Tab9"}};

constexpr PageButton kButtons0[] = {
    {A::kDeleteClass, "==>     Klasse löschen     ==>"},
    {A::kAddClass, "<==  Klasse hinzufügen  <=="},
    {A::kTestClassNumbering, "Klassennummerierungen testen"},
    {A::kPlausi, "interne PLAUSI: Tabelle 0", kPlausiHint},
    {A::kAllClassTests, "Alle PLAUSI's dieser Klasse"},
    {A::kFootnoteTest, "Quertest: Fußnoten (a .. h)"},
};
constexpr PageButton kButtons1[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 1", kPlausiHint},
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kSortRows, "nach Geburtsjahr sortieren"},
    {A::kPrefillBirthYears, "Geburtsjahre vortragen ..."},
};
constexpr PageButton kButtons2[] = {{A::kPlausi, "interne PLAUSI: Tabelle 2", kPlausiHint}};
constexpr PageButton kButtons3[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 3", kPlausiHint},
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kSortRows, "nach Länderschlüssel sortieren"},
    {A::kFillTexts, "Texte (Länder) ergänzen"},
    {A::kFillKeys, "Schlüssel (Länder) ergänzen"},
};
constexpr PageButton kButtons4[] = {{A::kPlausi, "interne PLAUSI: Tabelle 4", kPlausiHint}};
constexpr PageButton kButtons10[] = {{A::kPlausi, "interne PLAUSI: Tabelle 4.1", kPlausiHint}};
constexpr PageButton kButtons5[] = {{A::kPlausi, "interne PLAUSI: Tabelle 5", kPlausiHint}};
constexpr PageButton kButtons6[] = {{A::kPlausi, "interne PLAUSI: Tabelle 6", kPlausiHint}};
constexpr PageButton kButtons7[] = {{A::kPlausi, "interne PLAUSI: Tabelle 7", kPlausiHint}};
constexpr PageButton kButtons8[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 8", kPlausiHint},
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kSortRows, "nach Zeilennummern sortieren"},
    {A::kFillTexts, "Texte (Ausbildungsrichtung) ergänzen"},
    {A::kFillTexts2, "Texte (Herkunftskreise) ergänzen"},
    {A::kFillKeys2, "Schlüssel (Herkunftskreise) ergänzen"},
};
constexpr PageButton kButtons9[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 9", kPlausiHint},
    {A::kAppendRow, "+ neue Berufsgruppe"},
    {A::kSortRows, "nach Berufsgruppen sortieren"},
    {A::kFillTexts, "Texte (Berufsgruppen) ergänzen"},
};

constexpr Sheet kC = Sheet::kClass;
constexpr TablePage kPages[] = {
    {.sheet = kC, .table = 0, .caption = "Tab. 0", .grids = kGrid0, .buttons = kButtons0,
     .class_selector = true},
    {.sheet = kC, .table = 1, .caption = "Tab. 1", .grids = kGrid1, .buttons = kButtons1,
     .summary_row = true},
    {.sheet = kC, .table = 2, .caption = "Tab. 2", .grids = kGrid2, .buttons = kButtons2,
     .subtotals = true, .summary_row = true},
    {.sheet = kC, .table = 3, .caption = "Tab. 3", .grids = kGrid3, .buttons = kButtons3,
     .summary_row = true},
    {.sheet = kC, .table = 4, .caption = "Tab. 4", .grids = kGrid4, .buttons = kButtons4},
    {.sheet = kC, .table = 10, .caption = "Tab. 4.1", .grids = kGrid10, .buttons = kButtons10,
     .summary_columns = true},
    {.sheet = kC, .table = 5, .caption = "Tab. 5", .grids = kGrid5, .buttons = kButtons5,
     .summary_row = true},
    {.sheet = kC, .table = 6, .caption = "Tab. 6", .grids = kGrid6, .buttons = kButtons6,
     .subtotals = true, .summary_row = true},
    {.sheet = kC, .table = 7, .caption = "Tab. 7", .grids = kGrid7, .buttons = kButtons7,
     .summary_row = true},
    {.sheet = kC, .table = 8, .caption = "Tab. 8", .grids = kGrid8, .buttons = kButtons8,
     .subtotals = true, .summary_row = true},
    {.sheet = kC, .table = 9, .caption = "Tab. 9", .grids = kGrid9, .buttons = kButtons9,
     .subtotals = true, .summary_row = true},
};

constexpr SheetDef kSheet{
    .sheet = Sheet::kClass,
    .caption = "Klasse",
    .hint = "Klassen-Bogen",
    .data_dir = "KLASSE",
    .cli_name = "klasse",
    .unclear_table = "interner Fehler: unklare Klassen-Tabelle",
    .prefix = FilePrefix::kClassId,
    .pages = kPages,
};

}  // namespace

const SheetDef& ClassSheet() { return kSheet; }

}  // namespace tabulon

#include "sheets/school/school_sheet.h"

#include "sheets/school/school_calcs.h"
#include "sheets/school/school_prefill.h"
#include "sheets/school/school_tables.h"
#include "sheets/school/school_tests.h"
#include "tables/rows.h"

namespace tabulon {
namespace {

using A = PageAction;

constexpr PageGrid kGrid0[] = {{"StringGrid4", "Bog1Tab0"}};
constexpr PageGrid kGrid1[] = {{"StringGrid5", "Bog1Tab1"}};
constexpr PageGrid kGrid2[] = {{"StringGrid6", "Bog1Tab2"}};
constexpr PageGrid kGrid3[] = {{"StringGrid7", "Bog1Tab3"}};
constexpr PageGrid kGrid4[] = {{"StringGrid8", "Bog1Tab4"}};

constexpr PageButton kButtons0[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 0", kPlausiHint},
    {A::kTakeOverQuick, "Daten von SCHNELL-Meldung übernehmen",
     "Daten aus der Tabelle 00 der Schnell-Meldung übernehmen", true},
};
// Table 1's take-over button is hidden and has never had an action.
constexpr PageButton kButtons1[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 1", kPlausiHint},
    {A::kNone, "Daten von SCHNELL-Meldung übernehmen",
     "passende Daten aus der Tabelle 01 der Schnell-Meldung übernehmen", true},
};
constexpr PageButton kButtons2[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 2", kPlausiHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kSortRows, "Zeilen sortieren"},
    {A::kPrefillSchoolTypeYears, "Schulart + Geburtsjahre vortragen ..."},
};
constexpr PageButton kButtons3[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 3", kPlausiHint},
    {A::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {A::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {A::kSortRows, "Zeilen sortieren"},
    {A::kFillTexts, "Texte (Beruf, Berufsgr., Fachr.) ergänzen"},
};
constexpr PageButton kButtons4[] = {
    {A::kPlausi, "interne PLAUSI: Tabelle 4", kPlausiHint},
};

constexpr TablePage kPages[] = {
    {.sheet = Sheet::kSchool,
     .table = 0,
     .caption = "Tabelle 0",
     .grids = kGrid0,
     .buttons = kButtons0},
    {.sheet = Sheet::kSchool,
     .table = 1,
     .caption = "Tabelle 1",
     .grids = kGrid1,
     .buttons = kButtons1,
     .subtotals = true,
     .summary_columns = true,
     .summary_row = true},
    {.sheet = Sheet::kSchool,
     .table = 2,
     .caption = "Tabelle 2",
     .grids = kGrid2,
     .buttons = kButtons2,
     .subtotals = true,
     .summary_row = true},
    {.sheet = Sheet::kSchool,
     .table = 3,
     .caption = "Tabelle 3",
     .grids = kGrid3,
     .buttons = kButtons3},
    {.sheet = Sheet::kSchool,
     .table = 4,
     .caption = "Tabelle 4",
     .grids = kGrid4,
     .buttons = kButtons4},
};

template <TestResult (*Test)(Grid&, ErrorFlags&)>
TestResult OnGrid(TestEnv& env) {
  return Test(env.grid, env.flags);
}

constexpr SheetTest kTests[] = {
    {1, "interner Plausi-Test: Schulbogen - Tab.: Klassen und Schüler nach ...",
     OnGrid<TestSchoolTable1>},
    {2, "interner Plausi-Test: Schulbogen - Tab.: Absolv./Abgäng. n. Schularten, ...",
     OnGrid<TestSchoolTable2>},
    {3, "interner Plausi-Test: Schulbogen - Tab.: Absolv./Abgäng. nach Berufen",
     OnGrid<TestSchoolTable3>},
    {4, "interner Plausi-Test: Schulbogen - Tab.: Religionsunterricht", OnGrid<TestSchoolTable4>},
};

constexpr CalcEntry kCalcs[] = {
    {1, calc::SchoolTable1SummaryRow, calc::SchoolTable1SubtotalRows,
     calc::SchoolTable1SummaryColumns},
    {2, calc::SchoolTable2TypeTotals, calc::SchoolTable2TypeTotals, nullptr},
};

constexpr const char* kReadOnlyTakeOver =
    "Der Dateizugriff ist auf \"nur LESEN\" eingestellt!\rEs wird keine Datei überschrieben!";

// Appending and sorting leave the changed flag alone: the rows reach the file with the next save
// of the table, which every switch makes anyway.
constexpr GridCommand kCommands[] = {
    {-1, A::kAppendRow, [](CommandEnv& e) { AppendRows(e.grid, 1); }},
    {-1, A::kAppendRows, [](CommandEnv& e) { AppendRows(e.grid, 10); }},
    {2, A::kSortRows, [](CommandEnv& e) { SortSchoolTable2(e.grid); }},
    {3, A::kSortRows, [](CommandEnv& e) { SortSchoolTable3(e.grid); }},
    {2, A::kPrefillSchoolTypeYears, [](CommandEnv& e) { PrefillSchoolTable2(e.grid, e.ui); }},
    {3, A::kFillTexts,
     [](CommandEnv& e) {
       if (FillSchoolTable3Texts(e.grid, e.ctx.paths.program_dir, e.ui).marks_changed)
         e.changed = true;
     }},
    // The copy writes the table's file directly, so it obeys the read-only access as saving
    // does; the table is shown again from its file in every case.
    {0, A::kTakeOverQuick,
     [](CommandEnv& e) {
       if (e.ctx.settings.IsReadOnly()) {
         e.ui.Message(MessageKind::kInformation, kReadOnlyTakeOver);
         return;
       }
       e.reload = true;
       TakeOverBasicData(e.ctx.paths.school_data_dir, e.ctx.settings.dst_nr, e.ui);
     }},
};

constexpr SheetDef kSheet{
    .sheet = Sheet::kSchool,
    .caption = "Schule",
    .hint = "Schul-Bogen",
    .data_dir = "SCHULE",
    .cli_name = "schule",
    .unclear_table = "interner Fehler: unklare Schul-Tabelle",
    .tables = {},
    .pages = kPages,
    .tests = kTests,
    .calcs = kCalcs,
    .commands = kCommands,
};

}  // namespace

const SheetDef& SchoolSheet() {
  static const SheetDef sheet = [] {
    SheetDef s = kSheet;
    s.tables = SchoolTableDefs();
    return s;
  }();
  return sheet;
}

}  // namespace tabulon

#include "sheets/class/class_sheet.h"

#include <system_error>

#include "files/files.h"
#include "sheets/class/class_calcs.h"
#include "sheets/class/class_commands.h"
#include "sheets/class/class_ident.h"
#include "sheets/class/class_table9.h"
#include "sheets/class/class_tables.h"
#include "sheets/class/class_tests.h"
#include "tables/datafile.h"
#include "tables/rows.h"

namespace tabulon {
namespace {

using namespace class_sheet;

// ---- Table 9 and the identification table: their own readers and writers ----------------------

int LoadTable9(Grid& grid, const TableDef& def, const TableContext& ctx) {
  const std::filesystem::path path = DataFilePath(def, ctx.paths.school_data_dir, ctx.class_id);
  PrepareTable9(grid, ctx.settings);
  Table9Load loaded;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    if (ctx.create_missing_dirs) EnsureSheetDirectory(path.parent_path(), ctx.ui);
    for (int row = 2; row < grid.RowCount(); ++row) {
      for (int col = kT9GroupNameCol; col <= kT9FemaleCol; ++col) grid.SetCell(col, row, "");
    }
  } else {
    loaded = ApplyTable9Bytes(grid, ReadFileBytes(path),
                              ReadKeyFile(ctx.paths.program_dir / kT9KeyFile));
  }
  CompleteTable9(grid);
  if (loaded.unassignable > 0 && ctx.settings.report_unclear_records != 0) {
    ctx.ui.Message(MessageKind::kInformation, "Beim Einlesen der Datendatei:\r" +
                                                  DisplayPath(path) + "\rkonnte(n) " +
                                                  std::to_string(loaded.unassignable) +
                                                  " Datensatz/-sätze nicht zugeordnet werden!");
  }
  return def.data_col_count;
}

void SaveTable9(const Grid& grid, const TableDef& def, const TableContext& ctx) {
  // Without the schooling keys no line found its row when the table was loaded: the table stays
  // unwritten like every key-row table without its key file (its set-up said why).
  if (KeyRowsMissing(grid, def)) return;
  WriteFileAtomic(DataFilePath(def, ctx.paths.school_data_dir, ctx.class_id),
                  Table9Bytes(grid, ctx.settings.save_only_rows_with_data != 0));
}

int LoadIdent(Grid& grid, const TableDef&, const TableContext& ctx) {
  LoadClassNotes(grid, ctx.class_id, ctx.paths.program_dir);
  return 1;
}

void SaveIdent(const Grid& grid, const TableDef&, const TableContext& ctx) {
  SaveClassNotes(grid, ctx.class_id, ctx.paths.program_dir);
}

constexpr TableIO kIO[] = {
    {"Bog3Tab9", LoadTable9, SaveTable9},
    {kIdentDefinition, LoadIdent, SaveIdent},
};

// ---- Pages -------------------------------------------------------------------------------------

using A = PageAction;

constexpr PageGrid kGrid0[] = {
    {"StringGrid17", "Bog3Tab0"},
    {"StringGrid28", kIdentDefinition, false, false, false},
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
    {A::kDeleteClass, "==>     Klasse löschen     ==>",
     "alle Daten-Dateien, die zur Klasse gehören, löschen"},
    {A::kAddClass, "<==  Klasse hinzufügen  <==", "eine neue Klasse zur Liste hinzufügen"},
    {A::kTestClassNumbering, "Klassennummerierungen testen",
     "testen der Statistik-Bezeichnungen und der laufenden Nummerierung"},
    {A::kPlausi, "interne PLAUSI: Tabelle 0", kPlausiHint},
    {A::kAllClassTests, "Alle PLAUSI's dieser Klasse",
     "die PLAUSIs zu dieser Klasse hintereinander ausführen"},
    {A::kFootnoteTest, "Quertest: Fußnoten (a .. h)",
     "testen, ob die Fußnoten  a bis h  in anllen Tabellen übereinstimmen"},
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
    {A::kNewOccupationGroup, "+ neue Berufsgruppe"},
    {A::kSortRows, "nach Berufsgruppen sortieren"},
    {A::kFillTexts, "Texte (Berufsgruppen) ergänzen"},
};

// In the order of the tabs: the page "Tab. 4.1" shows table 10.
constexpr Sheet kC = Sheet::kClass;
constexpr TablePage kPages[] = {
    {.sheet = kC,
     .table = 0,
     .caption = "Tab. 0",
     .grids = kGrid0,
     .buttons = kButtons0,
     .class_selector = true},
    {.sheet = kC,
     .table = 1,
     .caption = "Tab. 1",
     .grids = kGrid1,
     .buttons = kButtons1,
     .summary_row = true},
    {.sheet = kC,
     .table = 2,
     .caption = "Tab. 2",
     .grids = kGrid2,
     .buttons = kButtons2,
     .subtotals = true,
     .summary_row = true},
    {.sheet = kC,
     .table = 3,
     .caption = "Tab. 3",
     .grids = kGrid3,
     .buttons = kButtons3,
     .summary_row = true},
    {.sheet = kC, .table = 4, .caption = "Tab. 4", .grids = kGrid4, .buttons = kButtons4},
    {.sheet = kC,
     .table = 10,
     .caption = "Tab. 4.1",
     .grids = kGrid10,
     .buttons = kButtons10,
     .summary_columns = true},
    {.sheet = kC,
     .table = 5,
     .caption = "Tab. 5",
     .grids = kGrid5,
     .buttons = kButtons5,
     .summary_row = true},
    {.sheet = kC,
     .table = 6,
     .caption = "Tab. 6",
     .grids = kGrid6,
     .buttons = kButtons6,
     .subtotals = true,
     .summary_row = true},
    {.sheet = kC,
     .table = 7,
     .caption = "Tab. 7",
     .grids = kGrid7,
     .buttons = kButtons7,
     .summary_row = true},
    {.sheet = kC,
     .table = 8,
     .caption = "Tab. 8",
     .grids = kGrid8,
     .buttons = kButtons8,
     .subtotals = true,
     .summary_row = true},
    {.sheet = kC,
     .table = 9,
     .caption = "Tab. 9",
     .grids = kGrid9,
     .buttons = kButtons9,
     .subtotals = true,
     .summary_row = true},
};

// "klasse:ID:4.1" names table 10 by its page, "klasse:ID:ident" the class notes.
constexpr TargetAlias kAliases[] = {
    {"4.1", "Bog3Tab10"},
    {"ident", kIdentDefinition},
};

// ---- Calculations ------------------------------------------------------------------------------

constexpr CalcEntry kCalcs[] = {
    {1, Table1SummaryRow},
    {2, Table2SummaryRow, Table2SubtotalRows},
    {3, Table3SummaryRow},
    {5, Table5SummaryRow},
    {6, Table6SummaryRow, Table6SubtotalRows},
    {7, Table7SummaryRow},
    {8, Table8SummaryRow, Table8SubtotalRows},
    {9, Table9SummaryRow, Table9SubtotalRows},
    {10, nullptr, nullptr, Table10SummaryColumns},
};

// ---- Page commands -----------------------------------------------------------------------------

void AppendOne(CommandEnv& env) { AppendRows(env.grid, 1); }
void AppendTen(CommandEnv& env) { AppendRows(env.grid, 10); }

template <void (*kSort)(Grid&)>
void Sorted(CommandEnv& env) {
  kSort(env.grid);
  env.changed = true;
}

template <KeyFillResult (*kFill)(Grid&, const std::filesystem::path&, Ui&)>
void Filled(CommandEnv& env) {
  if (kFill(env.grid, env.ctx.paths.program_dir, env.ui).marks_changed) env.changed = true;
}

void BirthYears(CommandEnv& env) {
  if (std::optional<BirthYearRange> years = env.ui.AskBirthYears()) {
    FillYearRows(env.grid, *years);
  }
  env.changed = true;  // also after "Abbrechen", as the page has always done
}

void NewGroup(CommandEnv& env) { NewOccupationGroup(env.grid, env.ui, env.ctx.paths.program_dir); }

constexpr GridCommand kCommands[] = {
    {-1, PageAction::kAppendRow, AppendOne},
    {-1, PageAction::kAppendRows, AppendTen},
    {1, PageAction::kSortRows, Sorted<SortTable1>},
    {1, PageAction::kPrefillBirthYears, BirthYears},
    {3, PageAction::kSortRows, Sorted<SortTable3>},
    {3, PageAction::kFillTexts, Filled<FillCountryTexts>},
    {3, PageAction::kFillKeys, Filled<FillCountryKeys>},
    {8, PageAction::kSortRows, Sorted<SortTable8>},
    {8, PageAction::kFillTexts, Filled<FillTrainingTexts>},
    {8, PageAction::kFillTexts2, Filled<FillDistrictTexts>},
    {8, PageAction::kFillKeys2, Filled<FillDistrictKeys>},
    {9, PageAction::kSortRows, Sorted<SortTable9>},
    {9, PageAction::kFillTexts, Filled<FillGroupTexts>},
    {9, PageAction::kNewOccupationGroup, NewGroup},
};

SheetDef MakeSheet() {
  SheetDef s{
      .sheet = Sheet::kClass,
      .caption = "Klasse",
      .hint = "Klassen-Bogen",
      .data_dir = kClassDir,
      .cli_name = "klasse",
      .unclear_table = "interner Fehler: unklare Klassen-Tabelle",
      .prefix = FilePrefix::kClassId,
  };
  s.tables = ClassTableDefs();
  s.pages = kPages;
  s.io = kIO;
  s.calcs = kCalcs;
  s.tests = ClassTests();
  s.commands = kCommands;
  s.target_aliases = kAliases;
  return s;
}

}  // namespace

const SheetDef& ClassSheet() {
  static const SheetDef sheet = MakeSheet();
  return sheet;
}

}  // namespace tabulon

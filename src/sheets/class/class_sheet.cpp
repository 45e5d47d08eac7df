#include "sheets/class/class_sheet.h"

#include <system_error>

#include "files/files.h"
#include "sheets/class/class_calcs.h"
#include "sheets/class/class_commands.h"
#include "sheets/class/class_ident.h"
#include "sheets/class/class_table9.h"
#include "sheets/class/class_tables.h"
#include "tables/datafile.h"
#include "tables/rows.h"

namespace tabulon {
namespace {

using namespace class_sheet;

// ---- Table 9 and the identification table: their own readers and writers ----------------------

void EnsureClassDir(const std::filesystem::path& dir, Ui& ui) {
  std::error_code ec;
  if (std::filesystem::is_directory(dir, ec)) return;
  std::filesystem::create_directories(dir, ec);
  if (ec || !std::filesystem::is_directory(dir, ec)) {
    ui.Message(MessageKind::kInformation,
               "Problem beim Erstellen des Datenverzeichnis:\r" + DisplayPath(dir) +
                   "\rErmöglich Sie den Zugriff auf das untergeordnete Verzeichnis!");
  }
}

int LoadTable9(Grid& grid, const TableDef& def, const TableContext& ctx) {
  const std::filesystem::path path = DataFilePath(def, ctx.paths.school_data_dir, ctx.class_id);
  PrepareTable9(grid, ctx.settings);
  Table9Load loaded;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    EnsureClassDir(path.parent_path(), ctx.ui);
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
  const std::filesystem::path path = DataFilePath(def, ctx.paths.school_data_dir, ctx.class_id);
  bool has_keys = false;
  for (int row = kT9TotalBlockFirst; row <= kT9TotalBlockLast; ++row) {
    has_keys = has_keys || !grid.Cell(0, row).empty();
  }
  if (!has_keys) {
    // Without the schooling keys no line found its row when the table was loaded; writing now
    // would replace the stored figures with an empty table.
    throw FileError(path, "Schreiben",
                    std::string("Die Schlüssel-Datei ") + kT9KeyFile +
                        " fehlt; ohne ihre Zeilen würden die gespeicherten Daten verloren gehen. "
                        "Die Datei bleibt unverändert.");
  }
  WriteFileAtomic(path, Table9Bytes(grid, ctx.settings.save_only_rows_with_data != 0));
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

constexpr const char* kAppendRowHint = "eine neue Zeile anhängen";
constexpr const char* kAppendRowsHint = "mehrere neue Zeilen anhängen";

constexpr PageGrid kGrids0[] = {
    {"StringGrid17", "Bog3Tab0"},
    {"StringGrid28", kIdentDefinition, false, false, false},
};
constexpr PageGrid kGrids1[] = {{"StringGrid18", "Bog3Tab1"}};
constexpr PageGrid kGrids2[] = {{"StringGrid20", "Bog3Tab2"}};
constexpr PageGrid kGrids3[] = {{"StringGrid19", "Bog3Tab3"}};
constexpr PageGrid kGrids4[] = {{"StringGrid21", "Bog3Tab4"}};
constexpr PageGrid kGrids10[] = {{"StringGrid27", "Bog3Tab10"}};
constexpr PageGrid kGrids5[] = {{"StringGrid22", "Bog3Tab5"}};
constexpr PageGrid kGrids6[] = {{"StringGrid24", "Bog3Tab6"}};
constexpr PageGrid kGrids7[] = {{"StringGrid23", "Bog3Tab7"}};
constexpr PageGrid kGrids8[] = {{"StringGrid25", "Bog3Tab8"}};
constexpr PageGrid kGrids9[] = {{"StringGrid26", "Bog3Tab9"}};

constexpr PageButton kButtons0[] = {
    {PageAction::kAddClass, "<==  Klasse hinzufügen  <==", "eine neue Klasse zur Liste hinzufügen"},
    {PageAction::kDeleteClass, "==>     Klasse löschen     ==>",
     "alle Daten-Dateien, die zur Klasse gehören, löschen"},
    {PageAction::kTestClassNumbering, "Klassennummerierungen testen",
     "testen der Statistik-Bezeichnungen und der laufenden Nummerierung"},
};
constexpr PageButton kButtons1[] = {
    {PageAction::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {PageAction::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {PageAction::kSortRows, "nach Geburtsjahr sortieren"},
    {PageAction::kPrefillBirthYears, "Geburtsjahre vortragen ..."},
};
constexpr PageButton kButtons3[] = {
    {PageAction::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {PageAction::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {PageAction::kSortRows, "nach Länderschlüssel sortieren"},
    {PageAction::kFillTexts, "Texte (Länder) ergänzen"},
    {PageAction::kFillKeys, "Schlüssel (Länder) ergänzen"},
};
constexpr PageButton kButtons8[] = {
    {PageAction::kAppendRow, "+ neue Zeile", kAppendRowHint},
    {PageAction::kAppendRows, "++ neue Zeilen", kAppendRowsHint},
    {PageAction::kSortRows, "nach Zeilennummern sortieren"},
    {PageAction::kFillTexts, "Texte (Ausbildungsrichtung) ergänzen"},
    {PageAction::kFillTexts2, "Texte (Herkunftskreise) ergänzen"},
    {PageAction::kFillKeys2, "Schlüssel (Herkunftskreise) ergänzen"},
};
constexpr PageButton kButtons9[] = {
    {PageAction::kNewOccupationGroup, "+ neue Berufsgruppe"},
    {PageAction::kSortRows, "nach Berufsgruppen sortieren"},
    {PageAction::kFillTexts, "Texte (Berufsgruppen) ergänzen"},
};

constexpr Sheet kClass = Sheet::kClass;

// Page order on the tabs; "Tab. 4.1" shows table 10. Flags: subtotals, summary columns, summary
// row.
constexpr TablePage kPages[] = {
    {kClass, 0, "Tab. 0", kGrids0, kButtons0, false, false, false, {}, false, true},
    {kClass, 1, "Tab. 1", kGrids1, kButtons1, false, false, true},
    {kClass, 2, "Tab. 2", kGrids2, {}, true, false, true},
    {kClass, 3, "Tab. 3", kGrids3, kButtons3, false, false, true},
    {kClass, 4, "Tab. 4", kGrids4, {}, false, false, false},
    {kClass, 10, "Tab. 4.1", kGrids10, {}, false, true, false},
    {kClass, 5, "Tab. 5", kGrids5, {}, false, false, true},
    {kClass, 6, "Tab. 6", kGrids6, {}, true, false, true},
    {kClass, 7, "Tab. 7", kGrids7, {}, false, false, true},
    {kClass, 8, "Tab. 8", kGrids8, kButtons8, true, false, true},
    {kClass, 9, "Tab. 9", kGrids9, kButtons9, true, false, true},
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
  SheetDef s{};
  s.sheet = Sheet::kClass;
  s.caption = "Klasse";
  s.hint = "Klassen-Bogen";
  s.cli_name = "klasse";
  s.unclear_table = "interner Fehler: unklare Klassen-Tabelle";
  s.prefix = FilePrefix::kClassId;
  s.tables = ClassTableDefs();
  s.pages = kPages;
  s.io = kIO;
  s.calcs = kCalcs;
  s.commands = kCommands;
  return s;
}

}  // namespace

const SheetDef& ClassSheet() {
  static const SheetDef sheet = MakeSheet();
  return sheet;
}

}  // namespace tabulon

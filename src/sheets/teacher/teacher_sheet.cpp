#include "sheets/teacher/teacher_sheet.h"

#include <system_error>

#include "sheets/teacher/teacher_calcs.h"
#include "sheets/teacher/teacher_convert.h"
#include "sheets/teacher/teacher_list.h"
#include "sheets/teacher/teacher_tables.h"
#include "sheets/teacher/teacher_tests.h"
#include "tables/rows.h"

namespace tabulon {
namespace {

using A = PageAction;

// ---- page commands ---------------------------------------------------------------------------

// The identification table numbers its rows from row 1, table 1 from row 2 (its first teacher).
void AppendIdentRows(CommandEnv& env, int n) {
  AppendRows(env.grid, n);
  NumberRows(env.grid, 1);
}
void AppendTable1Rows(CommandEnv& env, int n) {
  AppendRows(env.grid, n);
  env.grid.SetCurrentCell(2, env.grid.RowCount() - 1);
  NumberRows(env.grid, 2);
}

constexpr std::string_view kIdent = "Bog2Ident";

constexpr GridCommand kCommands[] = {
    {0, A::kAppendRow, [](CommandEnv& env) { AppendIdentRows(env, 1); }, kIdent},
    {0, A::kAppendRows, [](CommandEnv& env) { AppendIdentRows(env, 10); }, kIdent},
    {0, A::kSortRows,
     [](CommandEnv& env) {
       SortRows(env.grid, 1, env.grid.RowCount() - 1, 1, 1);
       env.changed = true;
     },
     kIdent},
    {1, A::kAppendRow, [](CommandEnv& env) { AppendTable1Rows(env, 1); }},
    {1, A::kAppendRows, [](CommandEnv& env) { AppendTable1Rows(env, 10); }},
    {1, A::kSortRows,
     [](CommandEnv& env) {
       SortRows(env.grid, 2, env.grid.RowCount() - 1, 2, 2);
       env.changed = true;
     }},
    {1, A::kConvertTeacher2008, Convert2008Command},
};

// ---- notices ---------------------------------------------------------------------------------

bool Table1FileExists(const TableContext& ctx) {
  std::error_code ec;
  return std::filesystem::exists(TeacherFilePath(ctx, 1), ec);
}

// Eight lines beside the identification grid; the blanks at some line ends are part of them.
constexpr std::string_view kIdentText =
    "Identifizierungs-Tabelle:\n"
    "\n"
    "Diese Tabelle verbleibt an der Schule und wird nicht mit den \n"
    "Statistik-Daten exportiert. \n"
    "Alle Eintragungen dienen der Übersichtlichkeit.\n"
    "\n"
    "Nur Tabellenbereiche im Farbton der Statistik-Papierbögen \n"
    "werden an das Statistische Landesamt geliefert.";

constexpr PageNotice kPage0Notices[] = {
    {"OldTeacherNotice",
     "Alte Lehrer-Tabelle 1 gefunden!!!\n"
     "Überführen Sie die Tabellen in die neue Struktur\n"
     "mit der Funktion \"Überführen Lehrer-Tabellen (2003) in Version ab 2004\"\n"
     "im Menü \"Tools\".",
     [](const TableContext& ctx, int) { return OldTeacherTablesPresent(ctx); }},
};

// Without a file nothing old was found, so the hint would only mislead.
bool OldLayoutHint(const TableContext& ctx, int max_fields) {
  return max_fields < 59 && Table1FileExists(ctx);
}

constexpr PageNotice kPage1Notices[] = {
    {"Hinweis", "Hinweis!!!", OldLayoutHint},
    {"OldLayoutHint", "Wahrscheinlich Tabelle (Version bis 2008) gefunden!", OldLayoutHint},
};

// ---- pages -----------------------------------------------------------------------------------

constexpr PageGrid kGrids0[] = {
    {.name = "StringGrid10",
     .definition = "Bog2Ident",
     .copy_data_with_first_row = true,
     .hint = "Zuordnungstabelle Nr. <==> Lehrer / Hilfsinformationen (verbleiben an der Schule)"},
    {"StringGrid9", "Bog2Tab0"},
};
constexpr PageGrid kGrids1[] = {{"StringGrid11", "Bog2Tab1"}};
constexpr PageGrid kGrids2[] = {{"StringGrid13", "Bog2Tab2"}};
constexpr PageGrid kGrids3[] = {{"StringGrid14", "Bog2Tab3"}};

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
    {A::kConvertTeacher2008, "2008 ==> 2009, ...", {}, false, "OldLayoutHint"},
};
constexpr PageButton kButtons2[] = {{A::kPlausi, "interne PLAUSI: Tabelle 2", kPlausiHint}};
constexpr PageButton kButtons3[] = {{A::kPlausi, "interne PLAUSI: Tabelle 3", kPlausiHint}};

constexpr TablePage kPages[] = {
    {.sheet = Sheet::kTeacher,
     .table = 0,
     .caption = "Identifizierung + Tabelle 0",
     .grids = kGrids0,
     .buttons = kButtons0,
     .notices = kPage0Notices,
     .save_grids_in_reverse = true,
     .notice_text = kIdentText},
    {.sheet = Sheet::kTeacher,
     .table = 1,
     .caption = "Tabelle 1",
     .grids = kGrids1,
     .buttons = kButtons1,
     .summary_columns = true,
     .notices = kPage1Notices},
    {.sheet = Sheet::kTeacher,
     .table = 2,
     .caption = "Tabelle 2",
     .grids = kGrids2,
     .buttons = kButtons2,
     .subtotals = true,
     .summary_columns = true,
     .summary_row = true},
    {.sheet = Sheet::kTeacher,
     .table = 3,
     .caption = "Tabelle 3",
     .grids = kGrids3,
     .buttons = kButtons3,
     .summary_row = true},
};

// ---- loading and saving that differ from the common rules -----------------------------------

constexpr TableIO kIO[] = {
    {"Bog2Ident", LoadIdent, SaveIdent},
    {"Bog2Tab0", LoadTable0, SaveTable0},
    {"Bog2Tab1", LoadTable1, SaveTable1},
    {"Bog2Tab2", LoadTable2},
};

// ---- tools -----------------------------------------------------------------------------------

// The conversion of the 2003 files is offered while the notice that sends the person to it is
// shown; hidden, the notice would point at nothing.
constexpr ToolCommand kTools[] = {
    {.caption = "&Überführen Lehrer-Tabellen (2003) in Version ab 2004",
     .visible = OldTeacherTablesPresent,
     .run =
         [](const TableContext& ctx) {
           switch (Convert2003Files(ctx)) {
             case ConversionOutcome::kDone:
               return ToolOutcome::kDone;
             case ConversionOutcome::kIncomplete:
               return ToolOutcome::kIncomplete;
             case ConversionOutcome::kDeclined:
               break;
           }
           return ToolOutcome::kDeclined;
         },
     .table = 1,
     .cli_name = "2003"},
    {.caption = "Überführen Lehrer-Tabelle 1 (2008) in aktuelle Version",
     .table = 1,
     .action = A::kConvertTeacher2008,
     .cli_name = "2008"},
};

constexpr TargetAlias kAliases[] = {{"ident", "Bog2Ident"}};

}  // namespace

const SheetDef& TeacherSheet() {
  static const SheetDef sheet{
      .sheet = Sheet::kTeacher,
      .caption = "Lehrer",
      .hint = "Lehrer-Bogen",
      .data_dir = kTeacherDir,
      .cli_name = "lehrer",
      .unclear_table = "interner Fehler: unklare Lehrer-Tabelle",
      .prefix = FilePrefix::kDstNr,
      .tables = TeacherTableDefs(),
      .pages = kPages,
      .io = kIO,
      .tests = TeacherTests(),
      .calcs = TeacherCalcs(),
      .commands = kCommands,
      .tools = kTools,
      .target_aliases = kAliases,
  };
  return sheet;
}

}  // namespace tabulon

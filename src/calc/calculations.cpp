#include "calc/calculations.h"

#include "calc/cell_rules.h"
#include "sheets/school/school_calcs.h"

namespace tabulon {
namespace {

using CalcFunction = void (*)(calc::CalcEnv&);

// What each command computes on each table; a table without an entry, or an entry without a
// function for the command, has no sensible calculation. The teacher and class calculations
// join this table as their sheets arrive.
struct CalcEntry {
  int sheet;
  int table;
  CalcFunction summary_row;
  CalcFunction subtotal_rows;
  CalcFunction summary_columns;
};

constexpr CalcEntry kCalculations[] = {
    {kSchoolSheet, 1, calc::SchoolTable1SummaryRow, calc::SchoolTable1SubtotalRows,
     calc::SchoolTable1SummaryColumns},
    {kSchoolSheet, 2, calc::SchoolTable2TypeTotals, calc::SchoolTable2TypeTotals, nullptr},
};

// The tables each sheet has, and the box for an index beyond them.
struct SheetTables {
  int sheet;
  int last_table;
  const char* unknown_table;
};
constexpr SheetTables kSheets[] = {
    {kSchoolSheet, 4, "interner Fehler: unklare Schul-Tabelle"},
    {kTeacherSheet, 3, "interner Fehler: unklare Lehrer-Tabelle"},
    {kClassSheet, 10, "interner Fehler: unklare Klassen-Tabelle"},
};
constexpr const char* kUnknownSheet = "interner Fehler: unklarer Statistik-Bogen";

CalcFunction FunctionOf(const CalcEntry& e, CalcCommand command) {
  switch (command) {
    case CalcCommand::kSummaryRow:
      return e.summary_row;
    case CalcCommand::kSubtotalRows:
      return e.subtotal_rows;
    case CalcCommand::kSummaryColumns:
      return e.summary_columns;
  }
  return nullptr;
}

CalcFunction Lookup(int sheet, int table, CalcCommand command) {
  for (const CalcEntry& e : kCalculations) {
    if (e.sheet == sheet && e.table == table) return FunctionOf(e, command);
  }
  return nullptr;
}

// Before computing: a read-only warning (the calculation still runs, the person may want to see
// the sums), else the table counts as changed whether or not a value changes.
bool Prepare(CalcCommand command, const Settings& settings, Ui& ui) {
  if (!settings.IsReadOnly()) return true;
  if (settings.warn_unsuitable_access != 0) {
    if (command == CalcCommand::kSummaryRow) {
      ui.Message(MessageKind::kWarning, kReadOnlySummaryRowWarning);
    } else {
      ui.Message(MessageKind::kInformation, kReadOnlyCalcInformation);
    }
  }
  return false;
}

}  // namespace

CalcResult RunCalculation(CalcCommand command, const CalcTarget& target, Grid& grid,
                          const Settings& settings, Ui& ui, ErrorFlags& flags) {
  CalcResult result;
  result.mark_changed = Prepare(command, settings, ui);
  if (target.sheet == kQuickReportSheet) return result;
  const SheetTables* sheet = nullptr;
  for (const SheetTables& s : kSheets) {
    if (s.sheet == target.sheet) sheet = &s;
  }
  if (sheet == nullptr) {
    ui.Message(MessageKind::kError, kUnknownSheet);
    return result;
  }
  if (target.table < 0 || target.table > sheet->last_table) {
    ui.Message(MessageKind::kError, sheet->unknown_table);
    return result;
  }
  if (target.sheet == kClassSheet && target.current_class == kNoClass) return result;
  CalcFunction run = Lookup(target.sheet, target.table, command);
  if (run == nullptr) {
    ui.Message(MessageKind::kInformation, kNoSensibleCalculation);
    return result;
  }
  calc::CalcEnv env{grid, flags, ui, settings.ask_after_calculations != 0};
  result.computed = true;
  try {
    run(env);
  } catch (const calc::CalcStopped& stop) {
    ui.Message(MessageKind::kError, stop.Message());
  }
  return result;
}

}  // namespace tabulon

#include "app/calculations.h"

#include "app/registry.h"
#include "calc/cell_rules.h"

namespace tabulon {
namespace {

constexpr const char* kUnknownSheet = "interner Fehler: unklarer Statistik-Bogen";

CalcFunction FunctionOf(const CalcEntry* e, CalcCommand command) {
  if (e == nullptr) return nullptr;
  switch (command) {
    case CalcCommand::kSummaryRow:
      return e->summary_row;
    case CalcCommand::kSubtotalRows:
      return e->subtotal_rows;
    case CalcCommand::kSummaryColumns:
      return e->summary_columns;
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
  if (target.sheet == Sheet::kQuick) return result;
  const int index = static_cast<int>(target.sheet);
  if (index < 0 || index >= kSheetCount) {
    ui.Message(MessageKind::kError, kUnknownSheet);
    return result;
  }
  const SheetDef& sheet = SheetOf(target.sheet);
  if (sheet.FindPage(target.table) == nullptr) {
    ui.Message(MessageKind::kError, std::string(sheet.unclear_table));
    return result;
  }
  if (sheet.prefix == FilePrefix::kClassId && target.current_class == kNoClass) return result;
  CalcFunction run = FunctionOf(sheet.FindCalc(target.table), command);
  if (run == nullptr) {
    ui.Message(MessageKind::kInformation, kNoSensibleCalculation);
    return result;
  }
  calc::CalcEnv env{grid, flags, ui, settings.ask_after_calculations != 0,
                    target.command_confirmed};
  result.computed = true;
  try {
    run(env);
  } catch (const calc::CalcStopped& stop) {
    ui.Message(MessageKind::kError, stop.Message());
  }
  return result;
}

}  // namespace tabulon

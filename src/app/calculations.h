// The three calculation commands ("zusammenfassende Zeile", "Zwischensummen-Zeile(n)",
// "zusammenfassende Spalte(n)") on the current table. Menu items and tool buttons call the same
// entry point; what each command computes is declared by each sheet for its tables.
#pragma once

#include <string>

#include "base/ports.h"
#include "base/settings.h"
#include "base/sheet.h"
#include "sheets/sheet_def.h"

namespace tabulon {

struct CalcTarget {
  Sheet sheet = Sheet::kQuick;
  int table = 0;
  std::string current_class = kNoClass;
  // The calculation's own opening question counts as "Ja" (the command line's call).
  bool command_confirmed = false;
};

struct CalcResult {
  // The table is to be marked as changed: access is not read-only. The caller sets its changed
  // flag and then refreshes the unsaved-changes indicator (ShowChangeState) in every case.
  bool mark_changed = false;
  // A calculation ran (possibly without changing a cell).
  bool computed = false;
};

// Messages of the commands.
inline constexpr const char* kReadOnlySummaryRowWarning =
    "Der Dateizugriff ist auf \"nur LESEN\" eingestellt!\r\rÄnderungen werden NICHT gespeichert!";
inline constexpr const char* kReadOnlyCalcInformation =
    "Der Dateizugriff ist auf \"nur LESEN\" eingestellt!\rÄnderungen werden nicht gespeichert!";
inline constexpr const char* kNoSensibleCalculation = "Keine sinnvolle Berechnung möglich!";

// Runs one command on the grid of the current table. Cells that are not numbers set error 7 in
// `flags`; questions and messages go to `ui`.
CalcResult RunCalculation(CalcCommand command, const CalcTarget& target, Grid& grid,
                          const Settings& settings, Ui& ui, ErrorFlags& flags);

}  // namespace tabulon

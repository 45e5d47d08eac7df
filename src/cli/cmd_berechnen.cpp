// tabulon-cli berechnen ZIEL zeile|zwischensummen|spalten [--speichern]: sets up and loads a
// table, runs a calculation as the program's menu does, prints the grid as "anzeigen" does, and
// with --speichern saves it. The command line answers every question "Nein": a computed value
// never replaces a typed one that the person would have been asked about.
#include <ostream>

#include "app/calculations.h"
#include "cli/cli.h"
#include "cli/targets.h"

namespace tabulon::cli {
namespace {

struct CommandWord {
  const char* word;
  CalcCommand command;
};
constexpr CommandWord kCommandWords[] = {
    {"zeile", CalcCommand::kSummaryRow},
    {"zwischensummen", CalcCommand::kSubtotalRows},
    {"spalten", CalcCommand::kSummaryColumns},
};

constexpr const char* kArgError =
    "ein Ziel und zeile, zwischensummen oder spalten, z. B. berechnen schule:1 zeile";

int CmdBerechnen(Context& ctx) {
  const auto& args = ctx.options.positional;
  const CommandWord* command = nullptr;
  for (const CommandWord& c : kCommandWords) {
    if (args[1] == c.word) command = &c;
  }
  if (command == nullptr) {
    ctx.err << "Fehler: berechnen erwartet " << kArgError << "\n";
    return kExitUsage;
  }
  CliUi ui(ctx.err);
  LoadedTable loaded;
  // Refused before anything is computed, as the program's save command refuses.
  const int status = LoadTarget(ctx, args[0], loaded, ui, ctx.options.save);
  if (status != kExitOk) return status;
  ErrorFlags flags;
  const CalcTarget where{loaded.target.sheet->sheet, loaded.target.def->table,
                         loaded.target.class_id.empty() ? kNoClass : loaded.target.class_id,
                         /*command_confirmed=*/true};
  RunCalculation(command->command, where, loaded.grid, loaded.settings, ui, flags);
  PrintGrid(loaded.grid, ctx.out);
  if (!ctx.options.save) return kExitOk;
  return SaveLoaded(loaded, ui);
}

}  // namespace

const Verb kVerbBerechnen{"berechnen",
                          "ZIEL zeile|zwischensummen|spalten",
                          "Summen berechnen, Tabelle ausgeben (und speichern)",
                          kOptSpeichern,
                          2,
                          2,
                          kArgError,
                          CmdBerechnen};

}  // namespace tabulon::cli

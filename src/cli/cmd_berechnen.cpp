// tabulon-cli berechnen ZIEL zeile|zwischensummen|spalten [--speichern]: sets up and loads a
// table, runs a calculation as the program's menu does, prints the grid as "anzeigen" does, and
// with --speichern saves it. The command line answers every question "Nein": a computed value
// never replaces a typed one that the person would have been asked about.
#include <ostream>

#include "calc/calculations.h"
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

}  // namespace

int CmdBerechnen(Context& ctx) {
  const auto& args = ctx.options.positional;
  const CommandWord* command = nullptr;
  if (args.size() == 2) {
    for (const CommandWord& c : kCommandWords) {
      if (args[1] == c.word) command = &c;
    }
  }
  if (command == nullptr) {
    ctx.err << "Fehler: berechnen erwartet ein Ziel und zeile, zwischensummen oder spalten, "
               "z. B. berechnen schule:1 zeile\n";
    return kExitUsage;
  }
  CliUi ui(ctx.err);
  TableTarget target;
  LoadedTable loaded;
  int status = PrepareTableTarget(ctx, args[0], target, loaded);
  if (status != kExitOk) return status;
  // Refused before anything is computed, as the program's save command refuses.
  if (ctx.options.save && !CheckMaySave(loaded, ui)) return kExitUsage;
  status = SetUpAndLoad(target, loaded, ui);
  if (status != kExitOk) return status;
  ErrorFlags flags;
  const CalcTarget where{target.def->sheet, target.def->table, kNoClass};
  RunCalculation(command->command, where, loaded.grid, loaded.settings, ui, flags);
  PrintGrid(loaded.grid, ctx.out);
  if (!ctx.options.save) return kExitOk;
  return SaveLoaded(target, loaded, ui);
}

}  // namespace tabulon::cli

// tabulon-cli berechnen ZIEL zeile|zwischensummen|spalten [--speichern]: sets up and loads a
// table, runs a calculation as the program's menu does, prints the grid as "anzeigen" does, and
// with --speichern saves it. The command line answers every question "Nein": a computed value
// never replaces a typed one that the person would have been asked about.
#include <ostream>

#include "calc/calculations.h"
#include "cli/cli.h"
#include "cli/targets.h"
#include "files/files.h"
#include "tables/datafile.h"

namespace tabulon::cli {
namespace {

constexpr const char* kReadOnlyRefusal =
    "SPEICHERN nicht möglich!!!\r\rSie haben bei Einstellungen als Programm-Option\rden "
    "\"Dateizugriff: NUR LESEN\" gesetzt!";

struct CommandWord {
  const char* word;
  CalcCommand command;
};
constexpr CommandWord kCommandWords[] = {
    {"zeile", CalcCommand::kSummaryRow},
    {"zwischensummen", CalcCommand::kSubtotalRows},
    {"spalten", CalcCommand::kSummaryColumns},
};

void PrintGrid(const Grid& g, std::ostream& out) {
  for (int row = 0; row < g.RowCount(); ++row) {
    for (int col = 0; col < g.ColCount(); ++col) {
      if (col > 0) out << '\t';
      out << g.Cell(col, row);
    }
    out << '\n';
  }
}

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
  std::optional<TableTarget> target = ParseTableTarget(args[0], ctx.err);
  if (!target) return kExitUsage;
  CliUi ui(ctx.err);
  LoadedTable loaded;
  int status = PrepareTableTarget(ctx, *target, loaded);
  if (status != kExitOk) return status;
  // Refused before anything is computed, as the program's save command refuses.
  if (ctx.options.save && loaded.settings.IsReadOnly()) {
    ui.Message(MessageKind::kError, kReadOnlyRefusal);
    return kExitUsage;
  }
  status = SetUpAndLoad(*target, loaded, ui);
  if (status != kExitOk) return status;
  ErrorFlags flags;
  const CalcTarget where{target->def->sheet, target->def->table, kNoClass};
  RunCalculation(command->command, where, loaded.grid, loaded.settings, ui, flags);
  PrintGrid(loaded.grid, ctx.out);
  if (!ctx.options.save) return kExitOk;
  try {
    WriteDataFile(loaded.grid, *target->def, ContextOf(loaded, ui));
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace tabulon::cli

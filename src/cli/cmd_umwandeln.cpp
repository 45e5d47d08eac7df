// tabulon-cli umwandeln ART [--speichern]: the conversions of the "T&ools" menu that the sheets
// declare. A conversion of stored files runs as the menu item does, the call being the "Ja" to
// its question; a conversion of a table's grid loads the table, converts it, prints it as
// "anzeigen" does and, with --speichern, saves it.
#include <ostream>
#include <string>

#include "app/registry.h"
#include "cli/cli.h"
#include "cli/targets.h"
#include "files/files.h"

namespace tabulon::cli {
namespace {

constexpr const char* kArgError = "genau eine Umwandlung, z. B. umwandeln 2003";

// The call has answered the conversion's own question; every later one stays a "Nein".
class ConvertUi : public CliUi {
 public:
  using CliUi::CliUi;
  bool Ask(MessageKind kind, const std::string& text) override {
    if (answered_) return CliUi::Ask(kind, text);
    answered_ = true;
    Message(kind == MessageKind::kConfirmation ? MessageKind::kInformation : kind,
            text + "\r=> Ja");
    return true;
  }

 private:
  bool answered_ = false;
};

std::string KnownConversions() {
  std::string names;
  for (const SheetDef* sheet : Sheets()) {
    for (const ToolCommand& t : sheet->tools) {
      if (!t.cli_name.empty()) names += (names.empty() ? "" : ", ") + std::string(t.cli_name);
    }
  }
  return names;
}

int ConvertFiles(Context& ctx, const ToolCommand& tool, ConvertUi& ui) {
  Settings settings;
  DataPaths paths;
  const int status = PrepareSettings(ctx, settings, paths);
  if (status != kExitOk) return status;
  const std::string no_class;
  try {
    const ToolOutcome outcome = tool.run(TableContext{settings, paths, no_class, ui});
    return outcome == ToolOutcome::kDone ? kExitOk : kExitFailed;
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
}

int ConvertGrid(Context& ctx, const SheetDef& sheet, const ToolCommand& tool, ConvertUi& ui) {
  const GridCommand* command = sheet.FindCommand(tool.table, tool.action);
  if (command == nullptr) return kExitUsage;
  LoadedTable loaded;
  const std::string target = std::string(sheet.cli_name) + ":" + std::to_string(tool.table);
  const int status = LoadTarget(ctx, target, loaded, ui, ctx.options.save);
  if (status != kExitOk) return status;
  bool changed = false;
  bool reload = false;
  const TableContext tc = ContextOf(loaded, ui);
  CommandEnv env{loaded.grid, ui, tc, changed, reload};
  command->run(env);
  PrintGrid(loaded.grid, ctx.out);
  return ctx.options.save ? SaveLoaded(loaded, ui) : kExitOk;
}

int CmdUmwandeln(Context& ctx) {
  const std::string& name = ctx.options.positional[0];
  for (const SheetDef* sheet : Sheets()) {
    for (const ToolCommand& tool : sheet->tools) {
      if (tool.cli_name.empty() || tool.cli_name != name) continue;
      ConvertUi ui(ctx.err);
      if (tool.action != PageAction::kNone) return ConvertGrid(ctx, *sheet, tool, ui);
      if (ctx.options.save) {
        ctx.err << "Fehler: umwandeln " << name << " schreibt die Dateien selbst; --speichern "
                << "gilt nur für Umwandlungen einer Tabelle\n";
        return kExitUsage;
      }
      return ConvertFiles(ctx, tool, ui);
    }
  }
  ctx.err << "Fehler: unbekannte Umwandlung " << name << " (möglich: " << KnownConversions()
          << ")\n";
  return kExitUsage;
}

}  // namespace

const Verb kVerbUmwandeln{
    "umwandeln",   "ART",       "Tabellen älterer Fassung umwandeln (ART: 2003 oder 2008)",
    kOptSpeichern, 1,           1,
    kArgError,     CmdUmwandeln};

}  // namespace tabulon::cli

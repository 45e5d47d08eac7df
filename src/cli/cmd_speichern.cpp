// tabulon-cli speichern ZIEL: sets up, loads and saves a table again, as the program does when the
// user leaves it; so a data file comes out in the program's own form (completion steps applied,
// rows without data dropped or kept as the settings say).
#include <ostream>

#include "cli/cli.h"
#include "cli/targets.h"
#include "files/files.h"
#include "tables/datafile.h"

namespace tabulon::cli {

namespace {

constexpr const char* kReadOnlyRefusal =
    "SPEICHERN nicht möglich!!!\r\rSie haben bei Einstellungen als Programm-Option\rden "
    "\"Dateizugriff: NUR LESEN\" gesetzt!";

}  // namespace

int CmdSpeichern(Context& ctx) {
  if (ctx.options.positional.size() != 1) {
    ctx.err << "Fehler: speichern erwartet genau ein Ziel, z. B. schule:1\n";
    return kExitUsage;
  }
  std::optional<TableTarget> target = ParseTableTarget(ctx.options.positional[0], ctx.err);
  if (!target) return kExitUsage;
  CliUi ui(ctx.err);
  LoadedTable loaded;
  int status = PrepareTableTarget(ctx, *target, loaded);
  if (status != kExitOk) return status;
  // Refused before anything is touched, as the save command does.
  if (loaded.settings.IsReadOnly()) {
    ui.Message(MessageKind::kError, kReadOnlyRefusal);
    return kExitUsage;
  }
  status = SetUpAndLoad(*target, loaded, ui);
  if (status != kExitOk) return status;
  try {
    WriteDataFile(loaded.grid, *target->def, ContextOf(loaded, ui));
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace tabulon::cli

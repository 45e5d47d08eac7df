// tabulon-cli klasse-loeschen ID: the delete button, with the call as the "Ja" to its question:
// the class's table files and its notes file go to the person's trash.
#include <ostream>

#include "cli/cli.h"
#include "cli/targets.h"
#include "cli/trash.h"
#include "sheets/class/class_list.h"

namespace tabulon::cli {
namespace {

int CmdKlasseLoeschen(Context& ctx) {
  const std::string& id = ctx.options.positional[0];
  CliUi ui(ctx.err);
  Settings settings;
  DataPaths paths;
  const int status = PrepareSettings(ctx, settings, paths);
  if (status != kExitOk) return status;
  if (!RequireListedClass(ctx, paths, id)) return kExitUsage;
  CliPlatform platform;
  const auto left =
      class_sheet::MoveClassToTrash(id, ClassDirOf(paths), paths.program_dir, platform);
  if (left.empty()) return kExitOk;
  ui.Message(
      MessageKind::kError,
      class_sheet::NotMovedMessage(left, class_sheet::ClassHasTable0File(id, ClassDirOf(paths))));
  return kExitFailed;
}

}  // namespace

const Verb kVerbKlasseLoeschen{"klasse-loeschen",
                               "ID",
                               "eine Klasse mit allen Dateien in den Papierkorb verschieben",
                               0,
                               1,
                               1,
                               "genau eine Klassenkennung, z. B. ZIM003",
                               CmdKlasseLoeschen};

}  // namespace tabulon::cli

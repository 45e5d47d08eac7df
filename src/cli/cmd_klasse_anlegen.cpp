// tabulon-cli klasse-anlegen ID [--schulintern TEXT]: what the add button and the following save
// of class table 0 do: the class's table 0 (with the DST-Nr.) and its notes file are written, and
// from then on the class is in the list.
#include <ostream>

#include "app/registry.h"
#include "app/session_tables.h"
#include "cli/cli.h"
#include "cli/targets.h"
#include "files/files.h"
#include "sheets/class/class_ident.h"
#include "sheets/class/class_list.h"
#include "sheets/class/class_tables.h"

namespace tabulon::cli {
namespace {

int CmdKlasseAnlegen(Context& ctx) {
  const std::string& id = ctx.options.positional[0];
  CliUi ui(ctx.err);
  Settings settings;
  DataPaths paths;
  int status = PrepareSettings(ctx, settings, paths);
  if (status != kExitOk) return status;
  if (settings.IsReadOnly()) {
    ui.Message(MessageKind::kError, kReadOnlySaveRefusal);
    return kExitUsage;
  }
  if (auto refusal =
          class_sheet::CheckNewClass(class_sheet::ReadClassList(ClassDirOf(paths)), id)) {
    ui.Message(MessageKind::kError, *refusal);
    return kExitUsage;
  }
  const SheetDef& sheet = SheetOf(Sheet::kClass);
  const TableContext tc{settings, paths, id, ui};
  try {
    Grid table0;
    Grid ident;
    SetUpAndLoadTable(table0, sheet, class_sheet::ClassTableDef(0), tc);
    SetUpAndLoadTable(ident, sheet, class_sheet::IdentTableDef(), tc);
    ident.SetCell(1, class_sheet::kIdentIdRow, id);
    ident.SetCell(1, class_sheet::kIdentSchoolNameRow, ctx.options.school_name);
    SaveTable(table0, sheet, class_sheet::ClassTableDef(0), tc);
    SaveTable(ident, sheet, class_sheet::IdentTableDef(), tc);
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace

const Verb kVerbKlasseAnlegen{"klasse-anlegen",
                              "ID",
                              "eine Klasse anlegen (Tabelle 0 und Notizdatei schreiben)",
                              kOptSchulintern,
                              1,
                              1,
                              "genau eine Klassenkennung, z. B. ZIM003",
                              CmdKlasseAnlegen};

}  // namespace tabulon::cli

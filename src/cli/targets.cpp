#include "cli/targets.h"

#include <span>
#include <string_view>

#include "cli/common.h"
#include "files/files.h"
#include "sheets/school/school_tables.h"
#include "tables/datafile.h"
#include "tables/definition.h"

namespace tabulon::cli {

namespace {

struct SheetTargets {
  std::string_view name;
  std::span<const TableDef> (*tables)();
};

// One line per sheet whose tables the command line can show.
constexpr SheetTargets kSheets[] = {
    {"schule", SchoolTableDefs},
};

constexpr const char* kReadOnlyRefusal =
    "SPEICHERN nicht möglich!!!\r\rSie haben bei Einstellungen als Programm-Option\rden "
    "\"Dateizugriff: NUR LESEN\" gesetzt!";

}  // namespace

std::optional<TableTarget> ParseTableTarget(const std::string& text, std::ostream& err) {
  const std::size_t colon = text.find(':');
  const std::string sheet = text.substr(0, colon);
  const std::string rest = colon == std::string::npos ? "" : text.substr(colon + 1);
  for (const SheetTargets& s : kSheets) {
    if (sheet != s.name) continue;
    std::span<const TableDef> tables = s.tables();
    for (const TableDef& def : tables) {
      if (rest == std::to_string(def.table)) return TableTarget{&def, ""};
    }
    err << "Fehler: unbekannte Tabelle \"" << rest << "\" in " << text << " (" << s.name << ":0 bis "
        << s.name << ":" << tables.size() - 1 << ")\n";
    return std::nullopt;
  }
  err << "Fehler: unbekanntes Ziel " << text << " (möglich: schule:0 bis schule:4)\n";
  return std::nullopt;
}

DataFileContext ContextOf(const LoadedTable& loaded, Ui& ui) {
  return DataFileContext{loaded.settings, loaded.paths.school_data_dir, loaded.prefix, ui};
}

int PrepareTableTarget(Context& ctx, const TableTarget& target, LoadedTable& loaded) {
  int status = LoadSettingsForCli(ctx, loaded.settings);
  if (status != kExitOk) return status;
  loaded.paths = FormDataPaths(loaded.settings, ctx.options.program_dir);
  loaded.prefix = !target.prefix.empty()        ? target.prefix
                  : loaded.settings.dst_nr.empty() ? std::string("00000")
                                                   : loaded.settings.dst_nr;
  return kExitOk;
}

int SetUpAndLoad(const TableTarget& target, LoadedTable& loaded, Ui& ui) {
  try {
    SetUpGrid(loaded.grid, *target.def, loaded.paths.program_dir, ui);
    ReadDataFile(loaded.grid, *target.def, ContextOf(loaded, ui));
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
  return kExitOk;
}

int PrepareTableTarget(Context& ctx, const std::string& text, TableTarget& target,
                       LoadedTable& loaded) {
  std::optional<TableTarget> parsed = ParseTableTarget(text, ctx.err);
  if (!parsed) return kExitUsage;
  target = *parsed;
  return PrepareTableTarget(ctx, target, loaded);
}

bool CheckMaySave(const LoadedTable& loaded, Ui& ui) {
  if (!loaded.settings.IsReadOnly()) return true;
  ui.Message(MessageKind::kError, kReadOnlyRefusal);
  return false;
}

int SaveLoaded(const TableTarget& target, const LoadedTable& loaded, Ui& ui) {
  try {
    WriteDataFile(loaded.grid, *target.def, ContextOf(loaded, ui));
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
  return kExitOk;
}

void PrintGrid(const Grid& g, std::ostream& out) {
  for (int row = 0; row < g.RowCount(); ++row) {
    for (int col = 0; col < g.ColCount(); ++col) {
      if (col > 0) out << '\t';
      out << g.Cell(col, row);
    }
    out << '\n';
  }
}

}  // namespace tabulon::cli

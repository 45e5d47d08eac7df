#include "cli/targets.h"

#include <string_view>

#include "app/registry.h"
#include "app/session_tables.h"
#include "cli/common.h"
#include "files/files.h"
#include "sheets/class/class_list.h"

namespace tabulon::cli {

namespace {

// "Bog" + sheet number + "Tab" + T names table T of the sheet.
const TableDef* TableByNumber(const SheetDef& sheet, const std::string& t) {
  const std::string name = "Bog" + std::to_string(SheetIndex(sheet.sheet)) + "Tab" + t;
  return sheet.FindTable(name);
}

}  // namespace

const char* const kReadOnlySaveRefusal =
    "SPEICHERN nicht möglich!!!\r\rSie haben bei Einstellungen als Programm-Option\rden "
    "\"Dateizugriff: NUR LESEN\" gesetzt!";

std::filesystem::path ClassDirOf(const DataPaths& paths) {
  return paths.school_data_dir / std::string(SheetOf(Sheet::kClass).data_dir);
}

bool RequireListedClass(Context& ctx, const DataPaths& paths, const std::string& id) {
  if (class_sheet::IsValidClassId(id) &&
      class_sheet::FindClass(class_sheet::ReadClassList(ClassDirOf(paths)), id) >= 0) {
    return true;
  }
  ctx.err << "Fehler: keine Klasse \"" << id << "\" in der Klassenliste\n";
  return false;
}

TargetError ParseTarget(const std::string& text, TableTarget& target, std::string& table_text) {
  const std::size_t colon = text.find(':');
  const SheetDef* sheet = FindSheetByCliName(text.substr(0, colon));
  if (sheet == nullptr) return TargetError::kUnknownTarget;
  target = TableTarget{sheet, nullptr, "", text};
  std::string rest = colon == std::string::npos ? "" : text.substr(colon + 1);
  if (sheet->prefix == FilePrefix::kClassId) {
    const std::size_t second = rest.rfind(':');
    if (second == std::string::npos) {
      table_text = rest;
      return TargetError::kUnknownTable;
    }
    target.class_id = rest.substr(0, second);
    rest = rest.substr(second + 1);
  }
  table_text = rest;
  // Numbers are written without leading zeros: "01" names no table.
  const bool plain_number = !rest.empty() && !(rest[0] == '0' && rest.size() > 1);
  const TableDef* def = plain_number ? TableByNumber(*sheet, rest) : nullptr;
  for (const TargetAlias& alias : sheet->target_aliases) {
    if (alias.name == rest) def = sheet->FindTable(alias.definition);
  }
  if (def == nullptr) return TargetError::kUnknownTable;
  target.def = def;
  return TargetError::kNone;
}

std::string TargetRange(const SheetDef& sheet) {
  int first = -1, last = -1;
  for (const TablePage& p : sheet.pages) {
    if (first < 0 || p.table < first) first = p.table;
    if (p.table > last) last = p.table;
  }
  const std::string lead =
      std::string(sheet.cli_name) + (sheet.prefix == FilePrefix::kClassId ? ":ID:" : ":");
  return lead + std::to_string(first) + " bis " + lead + std::to_string(last);
}

std::string AllTargetRanges() {
  std::string all;
  for (const SheetDef* s : Sheets()) {
    if (s->cli_name.empty() || s->tables.empty()) continue;
    all += (all.empty() ? "" : ", ") + TargetRange(*s);
  }
  return all;
}

TableContext ContextOf(const LoadedTable& loaded, Ui& ui) {
  return TableContext{loaded.settings, loaded.paths, loaded.target.class_id, ui, loaded.for_save};
}

int PrepareSettings(Context& ctx, Settings& settings, DataPaths& paths) {
  int status = LoadSettingsForCli(ctx, settings);
  if (status != kExitOk) return status;
  paths = FormDataPaths(settings, ctx.options.program_dir);
  return CheckDataBase(ctx, paths);
}

void EnsureSchoolDataDir(const DataPaths& paths, Ui& ui) {
  if (CreateOneDirectory(paths.school_data_dir)) return;
  ui.Message(MessageKind::kInformation, "Problem beim Erstellen des Datenverzeichnis:\r" +
                                            DisplayPath(paths.school_data_dir) + "\r" +
                                            "Legen Sie sofort einen Ort (Laufwerk, Pfad) für "
                                            "Ihre Daten fest!");
}

int LoadTarget(Context& ctx, const std::string& text, LoadedTable& loaded, Ui& ui, bool for_save) {
  std::string table_text;
  switch (ParseTarget(text, loaded.target, table_text)) {
    case TargetError::kNone:
      break;
    case TargetError::kUnknownTarget:
      ctx.err << "Fehler: unbekanntes Ziel " << text << " (möglich: " << AllTargetRanges() << ")\n";
      return kExitUsage;
    case TargetError::kUnknownTable:
      ctx.err << "Fehler: unbekannte Tabelle \"" << table_text << "\" in " << text << " ("
              << TargetRange(*loaded.target.sheet) << ")\n";
      return kExitUsage;
  }
  int status = PrepareSettings(ctx, loaded.settings, loaded.paths);
  if (status != kExitOk) return status;
  if (for_save && loaded.settings.IsReadOnly()) {
    ui.Message(MessageKind::kError, kReadOnlySaveRefusal);
    return kExitUsage;
  }
  // A class target names a class of the list; nothing is read or written for any other.
  if (loaded.target.sheet->prefix == FilePrefix::kClassId &&
      !RequireListedClass(ctx, loaded.paths, loaded.target.class_id)) {
    return kExitUsage;
  }
  loaded.for_save = for_save;
  if (for_save) EnsureSchoolDataDir(loaded.paths, ui);
  try {
    loaded.max_fields = SetUpAndLoadTable(loaded.grid, *loaded.target.sheet, *loaded.target.def,
                                          ContextOf(loaded, ui));
    PrintPageNotices(*loaded.target.sheet, loaded.target.def->name, ContextOf(loaded, ui),
                     loaded.max_fields, ctx.err);
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
  return kExitOk;
}

int SaveLoaded(const LoadedTable& loaded, Ui& ui) {
  try {
    if (!SaveTable(loaded.grid, *loaded.target.sheet, *loaded.target.def, ContextOf(loaded, ui))) {
      return kExitUsage;
    }
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
  return kExitOk;
}

void PrintPageNotices(const SheetDef& sheet, std::string_view definition, const TableContext& ctx,
                      int max_fields, std::ostream& err) {
  std::string line;
  for (const TablePage& page : sheet.pages) {
    bool on_page = false;
    for (const PageGrid& g : page.grids) on_page = on_page || g.definition == definition;
    if (!on_page) continue;
    for (const PageNotice& n : page.notices) {
      if (n.visible == nullptr || !n.visible(ctx, max_fields)) continue;
      std::string text(n.text);
      for (char& c : text) {
        if (c == '\n') c = ' ';
      }
      line += (line.empty() ? "" : " ") + text;
    }
  }
  if (!line.empty()) err << "Hinweis: " << line << "\n";
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

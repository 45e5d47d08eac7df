#include "app/pupil_import.h"

#include <algorithm>
#include <ctime>
#include <map>

#include "app/registry.h"
#include "app/session_tables.h"
#include "files/files.h"
#include "sheets/class/class_ident.h"
#include "sheets/class/class_list.h"
#include "sheets/class/class_tables.h"
#include "tables/values.h"

namespace tabulon {
namespace {

using class_sheet::PupilColumn;

class_sheet::PupilKeys ReadPupilKeys(const std::filesystem::path& program_dir) {
  class_sheet::PupilKeys keys;
  keys.vorbildung = ReadKeyFile(program_dir / "SSVB.SSD");
  keys.land = ReadKeyFile(program_dir / "SLAND.SSD");
  keys.status = ReadKeyFile(program_dir / "SSAS.SSD");
  keys.berufsfeld = ReadKeyFile(program_dir / "SSLTF.SSD");
  keys.vorbildung_az = ReadKeyFile(program_dir / "SSVB0.SSD");
  return keys;
}

class_sheet::PupilReport ClassReport(const class_sheet::Pupil& p, std::string reason) {
  return {p.line, class_sheet::PupilColumnHeader(PupilColumn::kKlasse),
          p.Field(PupilColumn::kKlasse), std::move(reason)};
}

std::string Quoted(std::string_view text) { return "„" + std::string(text) + "“"; }

}  // namespace

bool PupilImportPlan::NeedsConfirmation() const {
  return std::any_of(changes.begin(), changes.end(),
                     [](const PupilTableChange& c) { return c.overwrites; });
}

int CurrentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  gmtime_r(&now, &tm);
  return tm.tm_year + 1900;
}

PupilImportPlan PlanPupilImport(const class_sheet::PupilList& list, const Settings& settings,
                                const DataPaths& paths, Ui& ui, int current_year,
                                bool create_classes, const PupilProgress& progress,
                                const std::string& create_hint) {
  PupilImportPlan plan;
  plan.table_lines = class_sheet::TablePlanLines(list);
  plan.pupils_read = static_cast<int>(list.pupils.size());
  const class_sheet::PupilKeys keys = ReadPupilKeys(paths.program_dir);
  std::vector<std::string> existing =
      class_sheet::ReadClassList(paths.school_data_dir / class_sheet::kClassDir);

  // The pupils of each class, in the order the classes first appear.
  std::vector<std::string> order;
  std::map<std::string, std::vector<const class_sheet::Pupil*>> by_class;
  std::map<std::string, std::string> refusals;
  for (const class_sheet::Pupil& p : list.pupils) {
    const std::string& id = p.Field(PupilColumn::kKlasse);
    if (id.empty()) {
      plan.reports.push_back(ClassReport(p, "keine Klasse angegeben"));
      continue;
    }
    auto [it, inserted] = by_class.try_emplace(id);
    if (inserted) order.push_back(id);
    it->second.push_back(&p);
  }

  const SheetDef& sheet = SheetOf(Sheet::kClass);
  int done = 0;
  for (const std::string& id : order) {
    if (progress && !progress(done++, static_cast<int>(order.size()))) {
      plan.cancelled = true;
      break;
    }
    const auto& pupils = by_class[id];
    const bool exists = class_sheet::FindClass(existing, id) >= 0;
    if (!exists) {
      std::optional<std::string> refusal;
      if (!create_classes) {
        refusal = "die Klasse gibt es nicht (anlegen mit " + create_hint + ")";
      } else if (auto box = class_sheet::CheckNewClass(existing, id)) {
        refusal = "die Klasse kann nicht angelegt werden: " + *box;
        for (char& c : *refusal) {
          if (c == '\r') c = ' ';
        }
      }
      if (refusal) {
        for (const class_sheet::Pupil* p : pupils)
          plan.reports.push_back(ClassReport(*p, *refusal));
        continue;
      }
      class_sheet::InsertClass(existing, id);
      plan.new_classes.push_back(id);
    }
    plan.classes.push_back(id);
    // Planning changes nothing on disk: the class directory is not created here.
    TableContext tc{settings, paths, id, ui, /*create_missing_dirs=*/false};
    std::map<int, Grid> loaded;
    for (int t : class_sheet::kPupilTables) {
      if (!class_sheet::FillsTable(list, t)) continue;
      SetUpAndLoadTable(loaded[t], sheet, class_sheet::ClassTableDef(t), tc);
    }
    std::map<int, Grid> derived = loaded;
    class_sheet::ClassDerivation d =
        class_sheet::DeriveClassTables(pupils, list, keys, current_year, derived, ui);
    plan.assigned += d.assigned;
    plan.reports.insert(plan.reports.end(), d.reports.begin(), d.reports.end());
    for (auto& [t, grid] : derived) {
      PupilTableChange change;
      change.class_id = id;
      change.table = t;
      change.cells = class_sheet::ChangedCells(loaded[t], grid, t);
      if (change.cells.empty() && exists) continue;
      change.overwrites = class_sheet::HoldsCounts(loaded[t], t);
      change.derived = std::move(grid);
      plan.changes.push_back(std::move(change));
    }
  }
  std::stable_sort(plan.reports.begin(), plan.reports.end(),
                   [](const auto& a, const auto& b) { return a.line < b.line; });
  return plan;
}

int WritePupilImport(const PupilImportPlan& plan, const Settings& settings, const DataPaths& paths,
                     Ui& ui, const PupilProgress& progress) {
  const SheetDef& sheet = SheetOf(Sheet::kClass);
  for (const std::string& id : plan.new_classes) {
    // As adding a class does: table 0 with the DST-Nr. and the notes file with the identifier.
    const TableContext tc{settings, paths, id, ui};
    Grid table0;
    Grid ident;
    SetUpAndLoadTable(table0, sheet, class_sheet::ClassTableDef(0), tc);
    SetUpAndLoadTable(ident, sheet, class_sheet::IdentTableDef(), tc);
    ident.SetCell(1, class_sheet::kIdentIdRow, id);
    SaveTable(table0, sheet, class_sheet::ClassTableDef(0), tc);
    SaveTable(ident, sheet, class_sheet::IdentTableDef(), tc);
  }
  int written = 0;
  int done = 0;
  for (const PupilTableChange& change : plan.changes) {
    if (progress) progress(done++, static_cast<int>(plan.changes.size()));
    const TableContext tc{settings, paths, change.class_id, ui};
    if (SaveTable(change.derived, sheet, class_sheet::ClassTableDef(change.table), tc)) ++written;
  }
  return written;
}

std::vector<std::string> PreviewLines(const PupilImportPlan& plan) {
  std::vector<std::string> lines;
  for (const PupilTableChange& c : plan.changes) {
    std::string head = "Klasse " + c.class_id + ", Tabelle " + std::to_string(c.table) + ": " +
                       std::to_string(c.cells.size()) +
                       (c.cells.size() == 1 ? " Zelle ändert sich" : " Zellen ändern sich");
    if (c.overwrites) head += " (überschreibt erfasste Daten)";
    lines.push_back(head);
    if (!c.overwrites) continue;
    for (const class_sheet::CellChange& cell : c.cells) {
      lines.push_back("  Spalte " + std::to_string(cell.col) + ", Zeile " +
                      std::to_string(cell.row) + ": " + Quoted(cell.old_text) + " → " +
                      Quoted(cell.new_text));
    }
  }
  return lines;
}

namespace {

// The tests after the import load every table of a class, also those the list does not fill;
// their loading messages (a missing key file, say) belong to showing those tables, not here.
class SilentUi : public Ui {
 public:
  void Message(MessageKind /*kind*/, const std::string& /*text*/) override {}
  bool Ask(MessageKind /*kind*/, const std::string& /*text*/) override { return false; }
  std::optional<std::filesystem::path> ChooseDirectory(
      const std::string& /*caption*/, const std::filesystem::path& /*start*/) override {
    return std::nullopt;
  }
  OverwriteChoice AskOverwrite(const std::string& /*text*/) override {
    return OverwriteChoice::kCancel;
  }
};

}  // namespace

class_sheet::PupilList ReadPupilListFile(const std::filesystem::path& file) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(file, ec);
  if (!ec && size > class_sheet::kMaxListBytes) {
    throw class_sheet::PupilListError("Die Schülerliste ist größer als " +
                                      std::to_string(class_sheet::kMaxListBytes >> 20) + " MB.");
  }
  return class_sheet::ParsePupilList(ReadFileBytes(file));
}

WholeCheckResult CheckImportedClasses(const PupilImportPlan& plan, const Settings& settings,
                                      const DataPaths& paths, bool preview) {
  WholeCheckLoader stored = StoredTableLoader(settings, paths);
  WholeCheckLoader load = stored;
  if (preview) {
    load = [&plan, stored](Sheet sheet, int table, const std::string& class_id, Ui& load_ui) {
      for (const PupilTableChange& c : plan.changes) {
        if (sheet == Sheet::kClass && c.class_id == class_id && c.table == table) return c.derived;
      }
      return stored(sheet, table, class_id, load_ui);
    };
  }
  WholeCheck check(plan.classes, load, settings, /*log_all_tests=*/false, /*school_wide=*/false);
  SilentUi silent;
  try {
    // The first step checks the class list's numbering, which an import of some classes cannot
    // judge.
    check.Step(silent);
  } catch (const FileError&) {
    // The class list is no matter of this import.
  }
  WholeCheckResult result = RunWholeCheck(check, silent);
  std::erase_if(result.runs, [](const WholeCheckRun& r) {
    return r.sheet != Sheet::kClass || r.kind == WholeCheckKind::kNumbering;
  });
  return result;
}

std::vector<std::string> ClassCheckLines(const WholeCheckResult& result) {
  const std::vector<WholeCheckFinding> findings = FindingsOf(result, /*hints=*/false);
  std::vector<std::string> lines;
  std::function<void(const FindingGroup&, int)> add = [&](const FindingGroup& g, int depth) {
    lines.push_back(std::string(2 * static_cast<std::size_t>(depth), ' ') + g.caption);
    for (std::size_t i : g.findings) {
      lines.push_back(std::string(2 * static_cast<std::size_t>(depth) + 2, ' ') +
                      FindingLine(findings[i]));
    }
    for (const FindingGroup& c : g.children) add(c, depth + 1);
  };
  for (const FindingGroup& g : GroupFindings(findings)) add(g, 0);
  return lines;
}

std::string ImportSummary(const PupilImportPlan& plan, int tables_written, bool saved) {
  return "Zugeordnet: " + std::to_string(plan.assigned) + " von " +
         std::to_string(plan.pupils_read) +
         " Schülern; Meldungen: " + std::to_string(plan.reports.size()) +
         "; Klassen: " + std::to_string(plan.classes.size()) +
         "; Tabellen geschrieben: " + std::to_string(tables_written) +
         (saved ? "" : " (nur Vorschau)") + ".";
}

}  // namespace tabulon

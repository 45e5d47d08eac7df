// tabulon-cli schuelerliste DATEI [--speichern] [--ueberschreiben] [--klassen-anlegen] [--json]:
// fills the class tables from a pupil list. Without --speichern it only shows what would change;
// tables that hold typed counts are overwritten only with --ueberschreiben.
// tabulon-cli schuelerliste --vorlage DATEI writes an empty list with every header.
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "app/pupil_import.h"
#include "cli/cli.h"
#include "cli/common.h"
#include "cli/targets.h"
#include "files/files.h"
#include "sheets/class/pupil_list.h"

namespace tabulon::cli {
namespace {

constexpr const char* kArgError = "eine Schülerliste (CSV-Datei) oder --vorlage DATEI";

int WriteTemplate(Context& ctx) {
  const std::filesystem::path target = ctx.options.template_file;
  std::error_code ec;
  if (std::filesystem::exists(target, ec) && !ctx.options.overwrite) {
    ctx.err << "Fehler: " << DisplayPath(target)
            << " ist schon vorhanden (ersetzen mit --ueberschreiben)\n";
    return kExitUsage;
  }
  try {
    WriteFileAtomic(target, class_sheet::PupilListTemplate());
  } catch (const FileError& e) {
    CliUi(ctx.err).Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
  return kExitOk;
}

// The class tests after the import, as the whole-school check lists their failures.
void PrintChecks(std::ostream& out, const WholeCheckResult& checks) {
  out << "Klassentests: " << (checks.AnyFailed() ? "Test nicht bestanden!" : "Tests bestanden!")
      << "\n";
  for (const std::string& l : ClassCheckLines(checks)) out << l << "\n";
}

void PrintText(std::ostream& out, const class_sheet::PupilList& list, const PupilImportPlan& plan,
               bool saved, int written, const WholeCheckResult& checks) {
  out << "Schülerliste: " << plan.pupils_read << " Schüler gelesen ("
      << (list.encoding == class_sheet::PupilEncoding::kUtf8 ? "UTF-8" : "Windows-1252")
      << ", Trennzeichen "
      << (list.separator == '\t' ? std::string("Tabulator")
                                 : "\"" + std::string(1, list.separator) + "\"")
      << ").\n";
  for (const std::string& l : plan.table_lines) out << l << "\n";
  for (const std::string& id : plan.new_classes) out << "Neue Klasse: " << id << "\n";
  for (const auto& r : plan.reports) out << "Gemeldet: " << r.Text() << "\n";
  for (const std::string& l : PreviewLines(plan)) out << l << "\n";
  out << ImportSummary(plan, written, saved) << "\n";
  PrintChecks(out, checks);
}

void PrintChecksJson(std::ostream& out, const WholeCheckResult& checks) {
  out << ",\"klassentests\":{\"bestanden\":" << (checks.AnyFailed() ? "false" : "true")
      << ",\"fundstellen\":[";
  const std::vector<WholeCheckFinding> findings = FindingsOf(checks, /*hints=*/false);
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const WholeCheckFinding& f = findings[i];
    if (i > 0) out << ',';
    out << "{\"klasse\":";
    WriteJsonString(out, f.class_id);
    out << ",\"tabelle\":" << f.table << ",\"nr\":" << f.entry << ",\"text\":";
    WriteJsonString(out, FindingLine(f));
    out << '}';
  }
  out << "]}";
}

void PrintJson(std::ostream& out, const PupilImportPlan& plan, int written,
               const WholeCheckResult& checks) {
  out << "{\"schueler\":" << plan.pupils_read << ",\"zugeordnet\":" << plan.assigned
      << ",\"tabellen_geschrieben\":" << written << ",\"tabellen\":[";
  for (std::size_t i = 0; i < plan.table_lines.size(); ++i) {
    if (i > 0) out << ',';
    WriteJsonString(out, plan.table_lines[i]);
  }
  out << "],\"klassen\":[";
  for (std::size_t i = 0; i < plan.classes.size(); ++i) {
    if (i > 0) out << ',';
    WriteJsonString(out, plan.classes[i]);
  }
  out << "],\"meldungen\":[";
  for (std::size_t i = 0; i < plan.reports.size(); ++i) {
    const auto& r = plan.reports[i];
    if (i > 0) out << ',';
    out << "{\"zeile\":" << r.line << ",\"spalte\":";
    WriteJsonString(out, r.column);
    out << ",\"wert\":";
    WriteJsonString(out, r.value);
    out << ",\"grund\":";
    WriteJsonString(out, r.reason);
    out << '}';
  }
  out << "],\"aenderungen\":[";
  for (std::size_t i = 0; i < plan.changes.size(); ++i) {
    const PupilTableChange& c = plan.changes[i];
    if (i > 0) out << ',';
    out << "{\"klasse\":";
    WriteJsonString(out, c.class_id);
    out << ",\"tabelle\":" << c.table << ",\"ueberschreibt\":" << (c.overwrites ? "true" : "false")
        << ",\"zellen\":[";
    for (std::size_t k = 0; k < c.cells.size(); ++k) {
      const class_sheet::CellChange& cell = c.cells[k];
      if (k > 0) out << ',';
      out << "{\"spalte\":" << cell.col << ",\"zeile\":" << cell.row << ",\"alt\":";
      WriteJsonString(out, cell.old_text);
      out << ",\"neu\":";
      WriteJsonString(out, cell.new_text);
      out << '}';
    }
    out << "]}";
  }
  out << "]";
  PrintChecksJson(out, checks);
  out << "}\n";
}

int CmdSchuelerliste(Context& ctx) {
  const Options& o = ctx.options;
  if (o.has_template) {
    if (!o.positional.empty() || o.save || o.json || o.create_classes) {
      ctx.err << "Fehler: --vorlage DATEI steht allein (nur mit --ueberschreiben)\n";
      return kExitUsage;
    }
    return WriteTemplate(ctx);
  }
  if (o.positional.size() != 1) {
    ctx.err << "Fehler: schuelerliste erwartet " << kArgError << "\n";
    return kExitUsage;
  }
  CliUi ui(ctx.err);
  const std::filesystem::path file = o.positional[0];
  class_sheet::PupilList list;
  try {
    list = ReadPupilListFile(file);
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  } catch (const class_sheet::PupilListError& e) {
    ctx.err << "Fehler: " << DisplayPath(file) << ": " << e.what() << "\n";
    return kExitUsage;
  }

  Settings settings;
  DataPaths paths;
  if (int status = PrepareSettings(ctx, settings, paths); status != kExitOk) return status;
  if (o.save && settings.IsReadOnly()) {
    ui.Message(MessageKind::kError, kReadOnlySaveRefusal);
    return kExitUsage;
  }
  PupilImportPlan plan;
  int written = 0;
  WholeCheckResult checks;
  try {
    plan = PlanPupilImport(list, settings, paths, ui, CurrentYear(), o.create_classes);
    const bool refused = plan.NeedsConfirmation() && !o.overwrite;
    if (o.save && refused) {
      checks = CheckImportedClasses(plan, settings, paths, /*preview=*/true);
      if (o.json) {
        PrintJson(ctx.out, plan, 0, checks);
      } else {
        PrintText(ctx.out, list, plan, false, 0, checks);
      }
      ctx.err << "Fehler: Tabellen mit erfassten Daten würden überschrieben; nichts gespeichert "
                 "(bestätigen mit --ueberschreiben)\n";
      return kExitFailed;
    }
    if (o.save) {
      EnsureSchoolDataDir(paths, ui);
      written = WritePupilImport(plan, settings, paths, ui);
    }
    // Before writing the tests look at the derived tables, afterwards at the files written.
    checks = CheckImportedClasses(plan, settings, paths, /*preview=*/!o.save);
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
  if (o.json) {
    PrintJson(ctx.out, plan, written, checks);
  } else {
    PrintText(ctx.out, list, plan, o.save, written, checks);
  }
  return kExitOk;
}

}  // namespace

const Verb kVerbSchuelerliste{
    "schuelerliste",
    "DATEI | --vorlage DATEI",
    "Klassentabellen aus einer Schülerliste füllen (ohne --speichern nur Vorschau)",
    kOptSpeichern | kOptUeberschreiben | kOptKlassenAnlegen | kOptJson | kOptVorlage,
    0,
    1,
    kArgError,
    CmdSchuelerliste};

}  // namespace tabulon::cli

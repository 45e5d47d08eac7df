// tabulon-cli pruefen: runs the internal plausibility tests of stored tables and prints what the
// error window would show, or the box that says there was nothing to show.
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/registry.h"
#include "app/session_plausi.h"
#include "app/session_tables.h"
#include "app/whole_check.h"
#include "base/data_paths.h"
#include "base/settings.h"
#include "cli/cli.h"
#include "cli/targets.h"
#include "files/files.h"
#include "plausi/protocol.h"
#include "sheets/class/class_list.h"

namespace tabulon::cli {
namespace {

constexpr const char* kArgError = "mindestens ein Ziel (schule:T oder alles)";

struct Target {
  std::string name;       // as the user wrote it, e.g. "schule:2"
  const SheetDef* sheet;  // nullptr: "alles", the whole-school check
  const TableDef* def;
  std::string class_id;
};

// Parses the targets; false after a message on standard error. "alles" stands for the
// whole-school check: every tested table of the sheets named by the DST-Nr., then every class.
bool ParseTargets(const std::vector<std::string>& args, std::vector<Target>& out,
                  std::ostream& err) {
  if (args.empty()) {
    err << "Fehler: pruefen erwartet " << kArgError << "\n";
    return false;
  }
  const std::string hint = " (" + AllTargetRanges() + " oder alles)";
  for (const std::string& a : args) {
    if (a == "alles") {
      out.push_back({a, nullptr, nullptr, ""});
      continue;
    }
    TableTarget target;
    std::string table_text;
    if (ParseTarget(a, target, table_text) == TargetError::kNone) {
      if (target.sheet->tests.empty()) {
        err << "Fehler: Ziel " << a << " kann noch nicht geprüft werden\n";
        return false;
      }
      out.push_back({a, target.sheet, target.def, target.class_id});
      continue;
    }
    if (target.sheet != nullptr && target.sheet->tests.empty()) {
      err << "Fehler: Ziel " << a << " kann noch nicht geprüft werden\n";
    } else {
      err << "Fehler: unbekanntes Ziel " << a << hint << "\n";
    }
    return false;
  }
  return true;
}

using RunRecord = WholeCheckRun;

void WriteJsonString(std::ostream& o, const std::string& s) {
  o << '"';
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      o << '\\' << c;
    } else if (c < 0x20 || c == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      o << buf;
    } else {
      o << c;
    }
  }
  o << '"';
}

const char* ColourName(ProtocolColour c) {
  static const char* const kNames[] = {"schwarz", "gruen", "rot", "blau"};
  return kNames[static_cast<int>(c)];
}

const char* LineKindName(ProtocolLineKind k) {
  static const char* const kNames[] = {"ueberschrift", "bestanden", "fehler", "hinweis"};
  return kNames[static_cast<int>(k)];
}

void PrintText(std::ostream& o, const RunRecord& run) {
  const PlausiReport& r = run.report;
  o << r.title << "\n";
  if (!r.window) {
    o << kTestPassedMessage << "\n";
    return;
  }
  for (const ProtocolLine& l : r.protocol.lines) o << l.text << "\n";
  o << r.protocol.verdict_label << " " << r.protocol.verdict << "\n";
}

void PrintJsonRun(std::ostream& o, const RunRecord& run) {
  const PlausiReport& r = run.report;
  o << "{\"ziel\":";
  WriteJsonString(o, run.target);
  o << ",\"titel\":";
  WriteJsonString(o, r.title);
  o << ",\"fenster\":" << (r.window ? "true" : "false");
  o << ",\"meldung\":";
  if (r.window) {
    o << "null";
  } else {
    WriteJsonString(o, kTestPassedMessage);
  }
  o << ",\"zeilen\":[";
  if (r.window) {
    for (std::size_t i = 0; i < r.protocol.lines.size(); ++i) {
      const ProtocolLine& l = r.protocol.lines[i];
      o << (i ? "," : "") << "{\"nummer\":" << l.number << ",\"art\":\"" << LineKindName(l.kind)
        << "\",\"farbe\":\"" << ColourName(l.colour) << "\",\"text\":";
      WriteJsonString(o, l.text);
      o << "}";
    }
  }
  o << "],\"ergebnis\":";
  if (r.window) {
    WriteJsonString(o, r.protocol.verdict);
    o << ",\"ergebnis_farbe\":\"" << ColourName(r.protocol.verdict_colour) << "\"";
  } else {
    o << "null,\"ergebnis_farbe\":null";
  }
  o << ",\"bestanden\":" << (AnyErrorFailed(run.flags) ? "false" : "true");
  o << ",\"eintraege\":[";
  for (int n = 1; n <= kErrorCount; ++n) {
    o << (n > 1 ? "," : "") << "{\"nummer\":" << n
      << ",\"geprueft\":" << (run.flags.tested[n] ? "true" : "false")
      << ",\"fehlerhaft\":" << (run.flags.failed[n] ? "true" : "false")
      << ",\"hinweis\":" << (run.flags.hint[n] ? "true" : "false") << "}";
  }
  o << "],\"bogen\":";
  WriteJsonString(o, std::string(SheetOf(run.sheet).cli_name));
  o << ",\"klasse\":";
  if (run.class_id.empty()) {
    o << "null";
  } else {
    WriteJsonString(o, run.class_id);
  }
  o << ",\"tabelle\":" << run.table << ",\"tabellenname\":";
  WriteJsonString(o, run.table_name);
  o << ",\"befunde\":[";
  for (std::size_t i = 0; i < r.result.findings.size(); ++i) {
    const Finding& f = r.result.findings[i];
    o << (i ? "," : "") << "{\"nummer\":" << f.entry << ",\"spalte\":";
    if (f.col < 0) {
      o << "null,\"zeile\":null}";
    } else {
      o << f.col << ",\"zeile\":" << f.row << "}";
    }
  }
  o << "],\"fehlerposition\":";
  if (r.result.error_position) {
    o << "{\"spalte\":" << r.result.error_position->col
      << ",\"zeile\":" << r.result.error_position->row << "}";
  } else {
    o << "null";
  }
  o << "}";
}

}  // namespace

int RunPruefen(Context& ctx, bool log_all_tests, const WholeCheckLoader& load,
               const Settings& settings, const std::vector<std::string>& classes) {
  std::vector<Target> targets;
  if (!ParseTargets(ctx.options.positional, targets, ctx.err)) return kExitUsage;
  CliUi ui(ctx.err);
  std::vector<RunRecord> runs;
  bool any_failed = false;
  auto take = [&](RunRecord r) {
    any_failed = any_failed || AnyErrorFailed(r.flags);
    if (!ctx.options.json) PrintText(ctx.out, r);
    runs.push_back(std::move(r));
  };
  for (const Target& t : targets) {
    try {
      if (t.sheet == nullptr) {
        // The whole-school check, the same run as the window's "Gesamtprüfung".
        WholeCheck check(classes, load, settings, log_all_tests, ProgramClassWideTests());
        while (!check.Done()) {
          const std::size_t before = check.result().runs.size();
          check.Step(ui);
          for (std::size_t i = before; i < check.result().runs.size(); ++i) {
            take(check.result().runs[i]);
          }
        }
        continue;
      }
      const SheetTest* test = t.sheet->FindTest(t.def->table);
      if (test == nullptr) continue;  // a table without a test, such as school table 0
      Grid grid = load(*t.sheet, *t.def, t.class_id, ui);
      // The same run as the table page's button: reset, test, title, window or box.
      RunRecord r;
      r.target = t.name;
      r.sheet = t.sheet->sheet;
      r.class_id = t.class_id;
      r.table = t.def->table;
      if (const TablePage* page = t.sheet->FindPage(t.def->table)) {
        r.table_name = std::string(page->caption);
      }
      TestEnv env{grid, r.flags, settings, t.class_id};
      r.report = RunPlausi(*test, env, log_all_tests);
      take(std::move(r));
    } catch (const FileError& e) {
      ui.Message(MessageKind::kError, e.Message());
      return kExitUsage;
    }
  }
  if (ctx.options.json) {
    ctx.out << "{\"laeufe\":[";
    for (std::size_t i = 0; i < runs.size(); ++i) {
      if (i) ctx.out << ",";
      PrintJsonRun(ctx.out, runs[i]);
    }
    ctx.out << "],\"bestanden\":" << (any_failed ? "false" : "true") << "}\n";
  }
  return any_failed ? kExitFailed : kExitOk;
}

namespace {

int CmdPruefen(Context& ctx) {
  // Settings and paths once for all runs; each table is set up and loaded as its page would be.
  Settings settings;
  DataPaths paths;
  int status = PrepareSettings(ctx, settings, paths);
  if (status != kExitOk) return status;
  const bool log_all = ctx.options.all || settings.log_all_tests == 1;
  const std::vector<std::string> classes = class_sheet::ReadClassList(
      paths.school_data_dir / std::string(SheetOf(Sheet::kClass).data_dir));
  return RunPruefen(
      ctx, log_all,
      [&](const SheetDef& sheet, const TableDef& def, const std::string& class_id, Ui& ui) {
        Grid grid;
        // Testing looks at the stored files and changes nothing on disk.
        const TableContext tc{settings, paths, class_id, ui, /*create_missing_dirs=*/false};
        const int max_fields = SetUpAndLoadTable(grid, sheet, def, tc);
        PrintPageNotices(sheet, def.name, tc, max_fields, ctx.err);
        return grid;
      },
      settings, classes);
}

}  // namespace

const Verb kVerbPruefen{
    "pruefen",           "ZIEL...", "interne PLAUSI-Tests der gespeicherten Tabellen",
    kOptAlle | kOptJson, 1,         -1,
    kArgError,           CmdPruefen};

}  // namespace tabulon::cli

// tabulon-cli pruefen: runs the internal plausibility tests of stored tables and prints what the
// error window would show, or the box that says there was nothing to show.
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/data_paths.h"
#include "base/settings.h"
#include "cli/cli.h"
#include "cli/common.h"
#include "cli/targets.h"
#include "files/files.h"
#include "plausi/catalogue.h"
#include "plausi/protocol.h"
#include "plausi/test_run.h"
#include "sheets/school/school_tables.h"
#include "sheets/school/school_tests.h"
#include "tables/datafile.h"
#include "tables/definition.h"

namespace tabulon::cli {
namespace {

struct Target {
  std::string name;  // as the user wrote it, e.g. "schule:2"
  int sheet;
  int table;
};

// What "alles" runs: every school table that has a test.
constexpr int kAllSchoolTables[] = {1, 2, 3, 4};

// Parses the targets; false after a message on standard error.
bool ParseTargets(const std::vector<std::string>& args, std::vector<Target>& out,
                  std::ostream& err) {
  if (args.empty()) {
    err << "Fehler: pruefen erwartet mindestens ein Ziel (schule:T oder alles)\n";
    return false;
  }
  for (const std::string& a : args) {
    if (a == "alles") {
      for (int t : kAllSchoolTables) out.push_back({"schule:" + std::to_string(t), 1, t});
      continue;
    }
    const std::string prefix = "schule:";
    if (a.size() == prefix.size() + 1 && a.compare(0, prefix.size(), prefix) == 0 &&
        a.back() >= '0' && a.back() <= '4') {
      out.push_back({a, kSchoolSheet, a.back() - '0'});
      continue;
    }
    if (a.rfind("lehrer:", 0) == 0 || a.rfind("klasse:", 0) == 0) {
      err << "Fehler: Ziel " << a << " kann noch nicht geprüft werden\n";
    } else {
      err << "Fehler: unbekanntes Ziel " << a << " (schule:0 bis schule:4 oder alles)\n";
    }
    return false;
  }
  return true;
}

struct RunRecord {
  std::string target;
  std::string title;
  bool window = false;
  ErrorProtocol protocol;
  ErrorFlags flags;
  TestResult result;
};

void WriteJsonString(std::ostream& o, const std::string& s) {
  o << '"';
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      o << '\\' << c;
    } else if (c < 0x20) {
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

void PrintText(std::ostream& o, const RunRecord& r) {
  o << r.title << "\n";
  if (!r.window) {
    o << kTestPassedMessage << "\n";
    return;
  }
  for (const ProtocolLine& l : r.protocol.lines) o << l.text << "\n";
  o << r.protocol.verdict_label << " " << r.protocol.verdict << "\n";
}

void PrintJsonRun(std::ostream& o, const RunRecord& r) {
  o << "{\"ziel\":";
  WriteJsonString(o, r.target);
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
  o << ",\"bestanden\":" << (AnyErrorFailed(r.flags) ? "false" : "true");
  o << ",\"eintraege\":[";
  for (int n = 1; n <= kErrorCount; ++n) {
    o << (n > 1 ? "," : "") << "{\"nummer\":" << n
      << ",\"geprueft\":" << (r.flags.tested[n] ? "true" : "false")
      << ",\"fehlerhaft\":" << (r.flags.failed[n] ? "true" : "false")
      << ",\"hinweis\":" << (r.flags.hint[n] ? "true" : "false") << "}";
  }
  o << "],\"befunde\":[";
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

int RunPruefen(Context& ctx, bool log_all_tests, const TableLoader& load) {
  std::vector<Target> targets;
  if (!ParseTargets(ctx.options.positional, targets, ctx.err)) return kExitUsage;
  CliUi ui(ctx.err);
  std::vector<RunRecord> runs;
  bool any_failed = false;
  for (const Target& t : targets) {
    const SchoolTest* test = FindSchoolTest(t.table);
    if (test == nullptr) continue;  // school table 0 has no test
    Grid grid;
    try {
      grid = load(t.sheet, t.table, ui);
    } catch (const FileError& e) {
      ui.Message(MessageKind::kError, e.Message());
      return kExitUsage;
    }
    // The same steps as the table page's button: reset, test, title, window or box.
    RunRecord r;
    r.target = t.name;
    r.title = test->title;
    ResetErrorFlags(r.flags);
    r.result = test->run(grid, r.flags);
    r.window = ErrorWindowOpens(r.flags, log_all_tests);
    if (r.window) {
      r.protocol = ShowErrorProtocol(ErrorWindowKind::kFehlerfenster, r.title, r.flags,
                                     TheErrorCatalogue(), log_all_tests);
    }
    any_failed = any_failed || AnyErrorFailed(r.flags);
    if (!ctx.options.json) PrintText(ctx.out, r);
    runs.push_back(std::move(r));
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

int CmdPruefen(Context& ctx) {
  // Settings and paths once for all runs; each table is set up and loaded as its page would be.
  LoadedTable base;
  TableTarget school{&SchoolTableDef(0), ""};
  int status = PrepareTableTarget(ctx, school, base);
  if (status != kExitOk) return status;
  const bool log_all = ctx.options.all || base.settings.log_all_tests == 1;
  return RunPruefen(ctx, log_all, [&](int, int table, Ui& ui) {
    const TableDef& def = SchoolTableDef(table);
    LoadedTable loaded{base.settings, base.paths, Grid{}, base.prefix};
    SetUpGrid(loaded.grid, def, loaded.paths.program_dir, ui);
    ReadDataFile(loaded.grid, def, ContextOf(loaded, ui));
    return std::move(loaded.grid);
  });
}

}  // namespace tabulon::cli

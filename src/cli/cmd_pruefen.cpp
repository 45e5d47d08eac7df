// tabulon-cli pruefen: runs the internal plausibility tests of stored tables and prints what the
// error window would show, or the box that says there was nothing to show.
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/class_wide_run.h"
#include "app/registry.h"
#include "app/session_plausi.h"
#include "app/session_tables.h"
#include "app/whole_check.h"
#include "base/data_paths.h"
#include "base/settings.h"
#include "cli/cli.h"
#include "cli/common.h"
#include "cli/targets.h"
#include "files/files.h"
#include "plausi/protocol.h"
#include "sheets/class/class_list.h"

namespace tabulon::cli {
namespace {

constexpr const char* kMoreTargets =
    "klasse:ID:alle, klasse:ID:fussnoten, klassennummern, klassen oder alles";
constexpr const char* kArgError =
    "mindestens ein Ziel (schule:T, klasse:ID:T, klasse:ID:alle, klasse:ID:fussnoten, "
    "klassennummern, klassen oder alles)";

enum class JobKind { kTable, kClassSummary, kFootnotes, kWhole, kClasses, kNumbering };

struct Target {
  JobKind kind = JobKind::kTable;
  std::string name;  // as the user wrote it, e.g. "schule:2"
  const SheetDef* sheet = nullptr;
  const TableDef* def = nullptr;
  std::string class_id;
};

class Parser {
 public:
  Parser(const PruefenSource& source, std::ostream& err) : source_(source), err_(err) {}

  // Parses the targets; false after a message on standard error.
  bool Parse(const std::vector<std::string>& args, std::vector<Target>& out) {
    if (args.empty()) {
      err_ << "Fehler: pruefen erwartet " << kArgError << "\n";
      return false;
    }
    for (const std::string& a : args) {
      if (!ParseOne(a, out)) return false;
    }
    return true;
  }

 private:
  const PruefenSource& source_;
  std::ostream& err_;
  std::optional<std::vector<std::string>> list_;

  const std::vector<std::string>& List() {
    if (!list_) list_ = source_.class_list ? source_.class_list() : std::vector<std::string>{};
    return *list_;
  }

  bool Listed(const std::string& id) {
    if (id != kNoClass && class_sheet::FindClass(List(), id) >= 0) return true;
    err_ << "Fehler: keine Klasse \"" << id << "\" in der Klassenliste\n";
    return false;
  }

  bool ParseOne(const std::string& a, std::vector<Target>& out) {
    // "alles": every table with a test of every sheet named by the DST-Nr., the numbering and
    // every class; "klassen" the numbering and every class. One run with the window's check.
    if (a == "alles" || a == "klassen") {
      out.push_back({.kind = a == "alles" ? JobKind::kWhole : JobKind::kClasses, .name = a});
      return true;
    }
    if (a == "klassennummern") {
      out.push_back({.kind = JobKind::kNumbering, .name = a});
      return true;
    }
    TableTarget target;
    std::string table_text;
    const TargetError error = ParseTarget(a, target, table_text);
    const bool class_target =
        target.sheet != nullptr && target.sheet->prefix == FilePrefix::kClassId;
    if (class_target && error == TargetError::kUnknownTable &&
        (table_text == "alle" || table_text == "fussnoten") && a.rfind(':') > a.find(':')) {
      if (!Listed(target.class_id)) return false;
      out.push_back({table_text == "alle" ? JobKind::kClassSummary : JobKind::kFootnotes, a,
                     target.sheet, nullptr, target.class_id});
      return true;
    }
    if (error == TargetError::kNone) {
      if (target.sheet->tests.empty()) {
        err_ << "Fehler: Ziel " << a << " kann noch nicht geprüft werden\n";
        return false;
      }
      if (class_target && !Listed(target.class_id)) return false;
      out.push_back({JobKind::kTable, a, target.sheet, target.def, target.class_id});
      return true;
    }
    if (target.sheet != nullptr && target.sheet->tests.empty()) {
      err_ << "Fehler: Ziel " << a << " kann noch nicht geprüft werden\n";
    } else {
      err_ << "Fehler: unbekanntes Ziel " << a << " (" << AllTargetRanges() << ", " << kMoreTargets
           << ")\n";
    }
    return false;
  }
};

// Shows the boxes as the command line does and keeps them for the exit status.
class RecordingUi : public CliUi {
 public:
  using CliUi::CliUi;
  void Message(MessageKind kind, const std::string& text) override {
    boxes.push_back({kind, text});
    CliUi::Message(kind, text);
  }
  std::vector<WholeCheckBox> boxes;
};

const char* ColourName(ProtocolColour c) {
  static const char* const kNames[] = {"schwarz", "gruen", "rot", "blau"};
  return kNames[static_cast<int>(c)];
}

const char* LineKindName(ProtocolLineKind k) {
  static const char* const kNames[] = {"ueberschrift", "bestanden", "fehler", "hinweis"};
  return kNames[static_cast<int>(k)];
}

void PrintText(std::ostream& o, const WholeCheckRun& run) {
  const PlausiReport& r = run.report;
  o << r.title << "\n";
  if (!r.window) {
    o << kTestPassedMessage << "\n";
    return;
  }
  for (const ProtocolLine& l : r.protocol.lines) o << l.text << "\n";
  for (const StatusLine& l : r.protocol.statuses) o << l.label << ": " << l.text << "\n";
  o << r.protocol.verdict_label << " " << r.protocol.verdict << "\n";
}

void PrintJsonNullable(std::ostream& o, const std::string& s, bool null) {
  if (null) {
    o << "null";
  } else {
    WriteJsonString(o, s);
  }
}

// A line of the findings list with its place: sheet, class, table, entry, kind, texts, cell.
void PrintJsonFinding(std::ostream& o, const WholeCheckFinding& f) {
  o << "{\"bogen\":\"" << SheetOf(f.sheet).cli_name << "\",\"klasse\":";
  PrintJsonNullable(o, f.class_id, f.class_id.empty());
  o << ",\"tabelle\":";
  if (f.table < 0) {
    o << "null";
  } else {
    o << f.table;
  }
  o << ",\"tabellenname\":";
  WriteJsonString(o, f.table_name);
  o << ",\"nummer\":" << f.entry << ",\"art\":\"" << (f.hint ? "hinweis" : "fehler")
    << "\",\"pruefung\":";
  WriteJsonString(o, f.entry_text);
  o << ",\"status\":";
  WriteJsonString(o, f.status_text);
  const bool none = f.col < 0;
  if (none) {
    o << ",\"spalte\":null,\"zeile\":null";
  } else {
    o << ",\"spalte\":" << f.col << ",\"zeile\":" << f.row;
  }
  o << ",\"spaltenkopf\":";
  PrintJsonNullable(o, f.column_header, none);
  o << ",\"zeilenbeschriftung\":";
  PrintJsonNullable(o, f.row_label, none);
  o << "}";
}

void PrintJsonRun(std::ostream& o, const WholeCheckRun& run) {
  const PlausiReport& r = run.report;
  o << "{\"ziel\":";
  WriteJsonString(o, run.target);
  o << ",\"klasse\":";
  if (run.class_id.empty()) {
    o << "null";
  } else {
    WriteJsonString(o, run.class_id);
  }
  if (run.kind == WholeCheckKind::kSummary) {
    o << ",\"tabellen\":{";
    for (int t = 0; t < kSummaryTableCount; ++t) {
      const std::uint16_t st = run.statuses[static_cast<std::size_t>(t)];
      o << (t ? "," : "") << "\"" << (t < 10 ? "0" : "") << t << "\":\""
        << (st == kTableFaulty      ? "fehlerhaft"
            : st == kTableFaultFree ? "fehlerfrei"
                                    : "")
        << "\"";
    }
    o << "}";
  }
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
  o << "],\"fundstellen\":[";
  const std::vector<WholeCheckFinding> findings = FindingsOfRun(run, true);
  for (std::size_t i = 0; i < findings.size(); ++i) {
    if (i) o << ",";
    PrintJsonFinding(o, findings[i]);
  }
  o << "],\"befunde\":[";
  for (std::size_t i = 0; i < r.result.findings.size(); ++i) {
    const Finding& f = r.result.findings[i];
    o << (i ? "," : "") << "{\"nummer\":" << f.entry;
    if (i < run.place_tables.size()) o << ",\"tabelle\":" << run.place_tables[i];
    o << ",\"spalte\":";
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

int RunPruefen(Context& ctx, bool log_all_tests, const TableLoader& load,
               const Settings& settings) {
  PruefenSource source;
  source.load = [&load](Sheet sheet, int table, const std::string&, Ui& ui) {
    return load(sheet, table, ui);
  };
  return RunPruefen(ctx, log_all_tests, source, settings);
}

int RunPruefen(Context& ctx, bool log_all_tests, const PruefenSource& source,
               const Settings& settings) {
  std::vector<Target> targets;
  Parser parser(source, ctx.err);
  if (!parser.Parse(ctx.options.positional, targets)) return kExitUsage;
  RecordingUi ui(ctx.err);
  std::vector<WholeCheckRun> runs;
  std::optional<std::vector<WholeCheckBox>> numbering;
  bool any_failed = false;
  const auto add = [&](WholeCheckRun r) {
    if (r.kind == WholeCheckKind::kNumbering) {
      for (const WholeCheckBox& b : r.boxes) ui.Message(b.kind, b.text);
      numbering = r.boxes;
      any_failed = any_failed || RunFailed(r);
      return;
    }
    any_failed = any_failed || RunFailed(r);
    if (!ctx.options.json) PrintText(ctx.out, r);
    // Text goes out as it comes; only the JSON document needs the runs at its end.
    if (ctx.options.json) runs.push_back(std::move(r));
  };
  // The whole-school check, printed step by step: what ran before a file error is printed too.
  const auto run_whole = [&](bool school_wide) {
    WholeCheck check(source.class_list ? source.class_list() : std::vector<std::string>{},
                     source.load, settings, log_all_tests, school_wide);
    std::size_t printed = 0;
    const auto flush = [&] {
      const std::vector<WholeCheckRun>& done = check.result().runs;
      for (; printed < done.size(); ++printed) add(done[printed]);
    };
    while (!check.Done()) {
      const std::string id = check.NextClass();
      if (!id.empty() && !ctx.options.json) ctx.out << "Klasse: " << id << "\n";
      try {
        check.Step(ui);
      } catch (const FileError&) {
        flush();
        throw;
      }
      flush();
    }
  };
  try {
    for (const Target& t : targets) {
      const ClassTableLoad class_load = [&](int table) {
        return source.load(Sheet::kClass, table, t.class_id, ui);
      };
      switch (t.kind) {
        case JobKind::kTable: {
          const SheetTest* test = t.sheet->FindTest(t.def->table);
          if (test == nullptr) break;  // a table without a test, such as school table 0
          Grid grid = source.load(t.sheet->sheet, t.def->table, t.class_id, ui);
          // The same run as the table page's button: reset, test, title, window or box.
          ErrorFlags flags;
          TestEnv env{grid, flags, settings, t.class_id};
          PlausiReport report = RunPlausi(*test, env, log_all_tests);
          add(TableRun(t.name, t.sheet->sheet, t.class_id, t.def->table, std::move(report), flags));
          break;
        }
        case JobKind::kClassSummary:
          add(SummaryRun(t.name, t.class_id,
                         RunClassSummary(class_load, settings, t.class_id, log_all_tests)));
          break;
        case JobKind::kFootnotes:
          add(FootnoteRun(t.name, t.class_id, RunClassFootnotes(class_load, log_all_tests)));
          break;
        case JobKind::kWhole:
        case JobKind::kClasses:
          run_whole(t.kind == JobKind::kWhole);
          break;
        case JobKind::kNumbering: {
          const std::size_t first = ui.boxes.size();
          ErrorFlags flags;
          class_sheet::TestClassNumbering(
              source.class_list ? source.class_list() : std::vector<std::string>{}, ui, flags);
          numbering.emplace(ui.boxes.begin() + static_cast<std::ptrdiff_t>(first), ui.boxes.end());
          for (const WholeCheckBox& b : *numbering) {
            any_failed = any_failed || b.kind == MessageKind::kError;
          }
          break;
        }
      }
    }
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return kExitUsage;
  }
  if (ctx.options.json) {
    ctx.out << "{\"laeufe\":[";
    for (std::size_t i = 0; i < runs.size(); ++i) {
      if (i) ctx.out << ",";
      PrintJsonRun(ctx.out, runs[i]);
    }
    ctx.out << "],\"nummerierung\":";
    if (numbering) {
      ctx.out << "[";
      for (std::size_t i = 0; i < numbering->size(); ++i) {
        const WholeCheckBox& b = (*numbering)[i];
        ctx.out << (i ? "," : "") << "{\"art\":\""
                << (b.kind == MessageKind::kError ? "Fehler" : "Information") << "\",\"text\":";
        WriteJsonString(ctx.out, b.text);
        ctx.out << "}";
      }
      ctx.out << "]";
    } else {
      ctx.out << "null";
    }
    ctx.out << ",\"bestanden\":" << (any_failed ? "false" : "true") << "}\n";
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
  PruefenSource source;
  source.load = [&](Sheet sheet, int table, const std::string& class_id, Ui& ui) {
    const SheetDef& def = SheetOf(sheet);
    Grid grid;
    // Testing looks at the stored files and changes nothing on disk.
    const TableContext tc{settings, paths, class_id, ui, /*create_missing_dirs=*/false};
    const TableDef& table_def = *def.FindTableNumber(table);
    const int max_fields = SetUpAndLoadTable(grid, def, table_def, tc);
    PrintPageNotices(def, table_def.name, tc, max_fields, ctx.err);
    return grid;
  };
  source.class_list = [&] { return class_sheet::ReadClassList(ClassDirOf(paths)); };
  return RunPruefen(ctx, log_all, source, settings);
}

}  // namespace

const Verb kVerbPruefen{
    "pruefen",           "ZIEL...", "interne PLAUSI-Tests der gespeicherten Tabellen",
    kOptAlle | kOptJson, 1,         -1,
    kArgError,           CmdPruefen};

}  // namespace tabulon::cli

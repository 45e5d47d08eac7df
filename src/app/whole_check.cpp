#include "app/whole_check.h"

#include <set>

#include "app/pdf.h"
#include "app/print.h"
#include "app/registry.h"
#include "app/session_tables.h"
#include "plausi/catalogue.h"
#include "sheets/class/class_list.h"
#include "sheets/class/class_wide.h"

namespace tabulon {
namespace {

constexpr char kFootnoteRunName[] = "Fußnoten a..h (Tab. 1, 2, 3, 5, 7, 8, 9)";
constexpr char kNumberingRunName[] = "Klassen-Nummern";

// Catalogue texts begin with a blank; the list shows them trimmed.
std::string Trimmed(const std::string& s) {
  const auto b = s.find_first_not_of(' ');
  return b == std::string::npos ? "" : s.substr(b);
}

std::string PageCaption(Sheet sheet, int table) {
  const TablePage* page = FindTablePage(sheet, table);
  return page != nullptr ? std::string(page->caption) : "Tabelle " + std::to_string(table);
}

// The numbering test speaks in boxes; the check keeps them instead of showing them.
class BoxRecorder : public Ui {
 public:
  void Message(MessageKind kind, const std::string& text) override {
    boxes.push_back({kind, text});
  }
  bool Ask(MessageKind, const std::string&) override { return false; }
  std::optional<std::filesystem::path> ChooseDirectory(const std::string&,
                                                       const std::filesystem::path&) override {
    return std::nullopt;
  }
  OverwriteChoice AskOverwrite(const std::string&) override { return OverwriteChoice::kNo; }
  std::vector<WholeCheckBox> boxes;
};

}  // namespace

bool RunFailed(const WholeCheckRun& run) {
  if (run.kind == WholeCheckKind::kNumbering) {
    for (const WholeCheckBox& b : run.boxes) {
      if (b.kind == MessageKind::kError) return true;
    }
    return false;
  }
  return AnyErrorFailed(run.flags);
}

bool WholeCheckResult::AnyFailed() const {
  for (const WholeCheckRun& r : runs) {
    if (RunFailed(r)) return true;
  }
  return false;
}

WholeCheckRun TableRun(const std::string& target, Sheet sheet, const std::string& class_id,
                       int table, PlausiReport report, const ErrorFlags& flags) {
  WholeCheckRun run;
  run.target = target;
  run.sheet = sheet;
  run.class_id = class_id;
  run.table = table;
  run.table_name = PageCaption(sheet, table);
  run.report = std::move(report);
  run.flags = flags;
  return run;
}

WholeCheckRun SummaryRun(const std::string& target, const std::string& class_id,
                         ClassSummaryReport summary) {
  WholeCheckRun run =
      TableRun(target, Sheet::kClass, class_id, 0, std::move(summary.report), summary.flags);
  run.kind = WholeCheckKind::kSummary;
  run.table_name = class_sheet::kSummaryTitle;
  run.statuses = summary.statuses;
  for (const TableFinding& f : summary.findings) run.place_tables.push_back(f.table);
  run.table_entries = std::move(summary.entries);
  return run;
}

WholeCheckRun FootnoteRun(const std::string& target, const std::string& class_id,
                          ClassRunReport footnotes) {
  WholeCheckRun run =
      TableRun(target, Sheet::kClass, class_id, 0, std::move(footnotes.report), footnotes.flags);
  run.kind = WholeCheckKind::kFootnotes;
  run.table = kFootnoteRunTable;
  run.table_name = kFootnoteRunName;
  return run;
}

WholeCheckCounts CountFailures(const WholeCheckResult& result) {
  WholeCheckCounts c;
  std::set<std::string> classes;
  std::set<std::string> footnote_classes;
  for (const WholeCheckRun& r : result.runs) {
    if (!RunFailed(r)) continue;
    switch (r.kind) {
      case WholeCheckKind::kNumbering:
        c.numbering = true;
        break;
      case WholeCheckKind::kFootnotes:
        footnote_classes.insert(r.class_id);
        break;
      case WholeCheckKind::kSummary:
        for (std::uint16_t s : r.statuses) c.class_tables += s == kTableFaulty ? 1 : 0;
        classes.insert(r.class_id);
        break;
      case WholeCheckKind::kTable:
        if (r.sheet == Sheet::kClass) {
          ++c.class_tables;
          classes.insert(r.class_id);
        } else {
          ++c.school_tables;
        }
        break;
    }
  }
  c.classes = static_cast<int>(classes.size());
  c.footnote_classes = static_cast<int>(footnote_classes.size());
  return c;
}

namespace {

std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string WholeCheckSummary(const WholeCheckResult& result) {
  const WholeCheckCounts c = CountFailures(result);
  std::string lines;
  if (c.class_tables > 0) {
    lines += Count(c.class_tables, "Tabelle", "Tabellen") + " in " +
             Count(c.classes, "Klasse", "Klassen") + (c.class_tables == 1 ? " ist" : " sind") +
             " fehlerhaft.\r";
  }
  if (c.footnote_classes > 0) {
    lines += "In " + Count(c.footnote_classes, "Klasse", "Klassen") +
             " stimmen die Fußnoten der Tabellen nicht überein.\r";
  }
  if (c.school_tables > 0) {
    lines += Count(c.school_tables, "Tabelle", "Tabellen") + " des Schul- und Lehrer-Bogens" +
             (c.school_tables == 1 ? " ist" : " sind") + " fehlerhaft.\r";
  }
  if (c.numbering) lines += "Die Klassen-Nummern sind nicht fortlaufend.\r";
  std::string text;
  if (!lines.empty()) text = "Die Gesamtprüfung hat Fehler gefunden:\r" + lines;
  if (result.cancelled) {
    text += "Die Gesamtprüfung wurde abgebrochen: " + std::to_string(result.classes_done) +
            " von " + Count(result.classes_total, "Klasse", "Klassen") + " geprüft.\r";
  }
  return text;
}

WholeCheckLoader StoredTableLoader(const Settings& settings, const DataPaths& paths) {
  return [&settings, &paths](Sheet sheet, int table, const std::string& class_id, Ui& ui) {
    const SheetDef& def = SheetOf(sheet);
    const TableDef* table_def = def.FindTableNumber(table);
    Grid grid;
    if (table_def == nullptr) return grid;
    // Checking looks at the stored files and changes nothing on disk.
    const TableContext tc{settings, paths, class_id, ui, /*create_missing_dirs=*/false};
    SetUpAndLoadTable(grid, def, *table_def, tc);
    return grid;
  };
}

WholeCheck::WholeCheck(std::vector<std::string> classes, WholeCheckLoader load,
                       const Settings& settings, bool log_all_tests, bool school_wide)
    : classes_(std::move(classes)),
      load_(std::move(load)),
      settings_(settings),
      log_all_tests_(log_all_tests),
      school_wide_(school_wide) {
  result_.classes_total = static_cast<int>(classes_.size());
}

std::string WholeCheck::NextClass() const {
  if (next_ <= 0 || next_ > static_cast<int>(classes_.size())) return "";
  return classes_[next_ - 1];
}

// Every table with a test of every sheet named by the DST-Nr., in page order; then the
// numbering (a school without classes has none to test).
void WholeCheck::RunSchoolWide(Ui& ui) {
  for (const SheetDef* sheet : Sheets()) {
    if (!school_wide_ || sheet->prefix != FilePrefix::kDstNr) continue;
    for (const TablePage& page : sheet->pages) {
      const SheetTest* test = sheet->FindTest(page.table);
      if (test == nullptr || sheet->FindTableNumber(page.table) == nullptr) continue;
      Grid grid = load_(sheet->sheet, page.table, "", ui);
      ErrorFlags flags;
      TestEnv env{grid, flags, settings_, ""};
      PlausiReport report = RunPlausi(*test, env, log_all_tests_);
      result_.runs.push_back(
          TableRun(std::string(sheet->cli_name) + ":" + std::to_string(page.table), sheet->sheet,
                   "", page.table, std::move(report), flags));
    }
  }
  if (classes_.empty()) return;
  BoxRecorder boxes;
  WholeCheckRun run;
  run.kind = WholeCheckKind::kNumbering;
  run.target = "klassennummern";
  run.sheet = Sheet::kClass;
  run.table = kNumberingRunTable;
  run.table_name = kNumberingRunName;
  class_sheet::TestClassNumbering(classes_, boxes, run.flags);
  ResetErrorFlags(run.flags);  // what counts are the boxes
  run.boxes = std::move(boxes.boxes);
  result_.runs.push_back(std::move(run));
}

void WholeCheck::RunClass(const std::string& id, Ui& ui) {
  const ClassTableLoad load = [&](int table) { return load_(Sheet::kClass, table, id, ui); };
  ClassWideReport w = RunClassWideTests(load, settings_, id, log_all_tests_);
  const std::string lead = "klasse:" + id + ":";
  result_.runs.push_back(SummaryRun(lead + "alle", id, std::move(w.summary)));
  result_.runs.push_back(
      TableRun(lead + "4.1", Sheet::kClass, id, 10, std::move(w.table41.report), w.table41.flags));
  result_.runs.push_back(FootnoteRun(lead + "fussnoten", id, std::move(w.footnotes)));
}

void WholeCheck::Step(Ui& ui) {
  if (Done()) return;
  const int step = next_++;
  if (step == 0) {
    RunSchoolWide(ui);
    return;
  }
  RunClass(classes_[static_cast<std::size_t>(step - 1)], ui);
  ++result_.classes_done;
}

WholeCheckResult RunWholeCheck(
    WholeCheck& check, Ui& ui,
    const std::function<bool(int index, int total, const std::string& class_id)>& progress) {
  while (!check.Done()) {
    if (check.next_step() > 0 && progress &&
        !progress(check.next_step(), check.step_count() - 1, check.NextClass())) {
      check.Cancel();
      break;
    }
    check.Step(ui);
  }
  return check.TakeResult();
}

namespace {

// An entry flagged in a run, as its window lists it: an error entry stays an error, the others
// are hints, whichever flag the test set.
void AddEntry(const WholeCheckRun& run, int table, int entry, bool hints,
              std::vector<WholeCheckFinding>& out) {
  const CatalogueEntry& e = TheErrorCatalogue()[entry];
  if (!e.is_error && !hints) return;
  WholeCheckFinding f;
  f.sheet = run.sheet;
  f.class_id = run.class_id;
  f.table = table;
  f.table_name = table == run.table ? run.table_name : PageCaption(run.sheet, table);
  f.entry = entry;
  f.hint = !e.is_error;
  f.entry_text = Trimmed(e.title);
  f.status_text = Trimmed(e.failed);
  const bool summary = run.kind == WholeCheckKind::kSummary;
  for (std::size_t i = 0; i < run.report.places.size(); ++i) {
    const FindingPlace& p = run.report.places[i];
    if (p.entry != entry || p.col < 0) continue;
    if (summary && (i >= run.place_tables.size() || run.place_tables[i] != table)) continue;
    f.col = p.col;
    f.row = p.row;
    f.column_header = p.column_header;
    f.row_label = p.row_label;
    break;
  }
  out.push_back(std::move(f));
}

}  // namespace

std::vector<WholeCheckFinding> FindingsOfRun(const WholeCheckRun& run, bool hints) {
  std::vector<WholeCheckFinding> out;
  switch (run.kind) {
    case WholeCheckKind::kNumbering:
      for (const WholeCheckBox& b : run.boxes) {
        if (b.kind != MessageKind::kError) continue;
        WholeCheckFinding f;
        f.sheet = run.sheet;
        f.table = run.table;
        f.table_name = run.table_name;
        f.entry_text = "Klassennummerierungen testen";
        f.status_text = b.text;
        out.push_back(std::move(f));
      }
      break;
    case WholeCheckKind::kSummary:
      for (const TableEntry& e : run.table_entries) AddEntry(run, e.table, e.entry, hints, out);
      break;
    case WholeCheckKind::kTable:
    case WholeCheckKind::kFootnotes:
      for (int n = 1; n <= kErrorCount; ++n) {
        if (run.flags.failed[n] || run.flags.hint[n]) AddEntry(run, run.table, n, hints, out);
      }
      break;
  }
  return out;
}

std::vector<WholeCheckFinding> FindingsOf(const WholeCheckResult& result, bool hints) {
  std::vector<WholeCheckFinding> out;
  for (const WholeCheckRun& run : result.runs) {
    std::vector<WholeCheckFinding> some = FindingsOfRun(run, hints);
    out.insert(out.end(), std::make_move_iterator(some.begin()),
               std::make_move_iterator(some.end()));
  }
  return out;
}

namespace {

std::string Counted(const std::string& caption, int count) {
  return caption + " (" + std::to_string(count) + ")";
}

}  // namespace

std::vector<FindingGroup> GroupFindings(const std::vector<WholeCheckFinding>& findings) {
  std::vector<FindingGroup> sheets;
  // Findings come in run order, and the findings of one sheet, class and table follow each
  // other; a new group starts where one of them changes.
  const WholeCheckFinding* last = nullptr;
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const WholeCheckFinding& f = findings[i];
    const bool new_sheet = last == nullptr || last->sheet != f.sheet;
    const bool new_class = new_sheet || last->class_id != f.class_id;
    const bool new_table = new_class || last->table != f.table;
    if (new_sheet) sheets.push_back({std::string(SheetOf(f.sheet).caption), {}, {}, 0});
    FindingGroup* parent = &sheets.back();
    if (f.sheet == Sheet::kClass) {
      if (new_class) {
        parent->children.push_back(
            {f.class_id.empty() ? "Klassenliste" : "Klasse " + f.class_id, {}, {}, 0});
      }
      parent = &parent->children.back();
    }
    if (new_table) parent->children.push_back({f.table_name, {}, {}, 0});
    parent->children.back().findings.push_back(i);
    last = &f;
  }
  // Counts from the bottom up, then into the captions.
  for (FindingGroup& sheet : sheets) {
    for (FindingGroup& mid : sheet.children) {
      if (!mid.findings.empty()) {
        mid.count = static_cast<int>(mid.findings.size());
      } else {
        for (FindingGroup& table : mid.children) {
          table.count = static_cast<int>(table.findings.size());
          table.caption = Counted(table.caption, table.count);
          mid.count += table.count;
        }
      }
      mid.caption = Counted(mid.caption, mid.count);
      sheet.count += mid.count;
    }
    sheet.caption = Counted(sheet.caption, sheet.count);
  }
  return sheets;
}

std::string FindingLine(const WholeCheckFinding& f) {
  std::string line = "[" + std::to_string(f.entry) + "]  " + f.entry_text + "  --->  " +
                     (f.hint ? "Hinweis: " : "") + f.status_text;
  if (f.col >= 0) line += "  |  Spalte: " + f.column_header + "  |  " + f.row_label;
  return line;
}

PrintDocument WholeCheckDocument(const WholeCheckResult& result, bool hints) {
  const std::vector<WholeCheckFinding> findings = FindingsOf(result, hints);
  ErrorProtocol protocol;
  protocol.caption = kWholeCheckTitle;
  protocol.verdict_label = "Gesamtergebnis:";
  std::function<void(const FindingGroup&, int)> add = [&](const FindingGroup& g, int depth) {
    protocol.lines.push_back({0, ProtocolLineKind::kHeading,
                              std::string(2 * depth, ' ') + g.caption, ProtocolColour::kBlack});
    for (std::size_t i : g.findings) {
      const WholeCheckFinding& f = findings[i];
      protocol.lines.push_back({f.entry,
                                f.hint ? ProtocolLineKind::kHint : ProtocolLineKind::kFailed,
                                std::string(2 * depth + 2, ' ') + FindingLine(f),
                                f.hint ? ProtocolColour::kBlue : ProtocolColour::kRed});
    }
    for (const FindingGroup& c : g.children) add(c, depth + 1);
  };
  for (const FindingGroup& g : GroupFindings(findings)) add(g, 0);
  const bool failed = result.AnyFailed();
  protocol.verdict = failed ? "Test nicht bestanden!" : "Tests bestanden!";
  if (result.cancelled) protocol.verdict += " (abgebrochen)";
  protocol.verdict_colour = failed ? ProtocolColour::kRed : ProtocolColour::kGreen;
  PaperFormat portrait;
  std::swap(portrait.width, portrait.height);
  PrintDocument doc = LayoutProtocol(protocol, {}, TodayText(), portrait);
  doc.pdf = PdfBytes(doc);
  doc.pdf_name = "Gesamtpruefung.pdf";
  return doc;
}

}  // namespace tabulon

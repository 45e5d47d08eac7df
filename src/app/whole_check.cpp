#include "app/whole_check.h"

#include <set>

#include "app/pdf.h"
#include "app/print.h"
#include "app/registry.h"
#include "app/session_tables.h"
#include "plausi/catalogue.h"

namespace tabulon {

bool WholeCheckResult::AnyFailed() const {
  for (const WholeCheckRun& r : runs) {
    if (AnyErrorFailed(r.flags)) return true;
  }
  return false;
}

int WholeCheckResult::FailedTables() const {
  int n = 0;
  for (const WholeCheckRun& r : runs) n += AnyErrorFailed(r.flags) ? 1 : 0;
  return n;
}

int WholeCheckResult::FailedClasses() const {
  std::set<std::string> classes;
  for (const WholeCheckRun& r : runs) {
    if (r.sheet == Sheet::kClass && AnyErrorFailed(r.flags)) classes.insert(r.class_id);
  }
  return static_cast<int>(classes.size());
}

WholeCheckLoader StoredTableLoader(const Settings& settings, const DataPaths& paths) {
  return [&settings, &paths](const SheetDef& sheet, const TableDef& def,
                             const std::string& class_id, Ui& ui) {
    Grid grid;
    // Checking looks at the stored files and changes nothing on disk.
    const TableContext tc{settings, paths, class_id, ui, /*create_missing_dirs=*/false};
    SetUpAndLoadTable(grid, sheet, def, tc);
    return grid;
  };
}

ClassWideTests ProgramClassWideTests() { return {}; }

WholeCheck::WholeCheck(std::vector<std::string> classes, WholeCheckLoader load,
                       const Settings& settings, bool log_all_tests, ClassWideTests class_wide)
    : classes_(std::move(classes)),
      load_(std::move(load)),
      settings_(settings),
      log_all_tests_(log_all_tests),
      class_wide_(std::move(class_wide)) {
  result_.classes_total = static_cast<int>(classes_.size());
}

std::string WholeCheck::NextClass() const {
  if (next_ <= 0 || next_ > static_cast<int>(classes_.size())) return "";
  return classes_[next_ - 1];
}

// Every table of the sheet that declares a test, in the order of its pages: the same run as the
// page's button on the stored table.
void WholeCheck::RunSheetTests(const SheetDef& sheet, const std::string& class_id, Ui& ui) {
  for (const TablePage& page : sheet.pages) {
    const SheetTest* test = sheet.FindTest(page.table);
    const TableDef* def = sheet.FindTableNumber(page.table);
    if (test == nullptr || def == nullptr) continue;
    WholeCheckRun run;
    run.sheet = sheet.sheet;
    run.class_id = class_id;
    run.table = page.table;
    run.table_name = std::string(page.caption);
    run.target = std::string(sheet.cli_name) + ":" + (class_id.empty() ? "" : class_id + ":") +
                 std::to_string(page.table);
    Grid grid = load_(sheet, *def, class_id, ui);
    TestEnv env{grid, run.flags, settings_, class_id};
    run.report = RunPlausi(*test, env, log_all_tests_);
    result_.runs.push_back(std::move(run));
  }
}

void WholeCheck::Step(Ui& ui) {
  if (Done()) return;
  const int step = next_++;
  if (step == 0) {
    for (const SheetDef* sheet : Sheets()) {
      if (sheet->prefix == FilePrefix::kDstNr) RunSheetTests(*sheet, "", ui);
    }
    return;
  }
  const std::string& id = classes_[step - 1];
  for (const SheetDef* sheet : Sheets()) {
    if (sheet->prefix == FilePrefix::kClassId) RunSheetTests(*sheet, id, ui);
  }
  if (class_wide_) class_wide_(id, load_, ui, result_);
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

std::vector<WholeCheckFinding> FindingsOf(const WholeCheckResult& result, bool hints) {
  const ErrorCatalogue& cat = TheErrorCatalogue();
  std::vector<WholeCheckFinding> out;
  for (std::size_t i = 0; i < result.runs.size(); ++i) {
    const WholeCheckRun& run = result.runs[i];
    for (int n = 1; n <= kErrorCount; ++n) {
      const bool failed = run.flags.failed[n];
      const bool hint = run.flags.hint[n];
      if (!failed && !(hints && hint)) continue;
      WholeCheckFinding f;
      f.run = i;
      f.entry = n;
      f.hint = !failed;
      f.entry_text = cat[n].title;
      f.status_text = cat[n].failed;
      for (const FindingPlace& p : run.report.places) {
        if (p.entry == n && p.col >= 0) {
          f.col = p.col;
          f.row = p.row;
          f.column_header = p.column_header;
          f.row_label = p.row_label;
          break;
        }
      }
      out.push_back(std::move(f));
    }
  }
  return out;
}

namespace {

std::string Counted(const std::string& caption, int count) {
  return caption + " (" + std::to_string(count) + ")";
}

// Catalogue texts begin with a blank; the list shows them trimmed.
std::string Trimmed(const std::string& s) {
  const auto b = s.find_first_not_of(' ');
  return b == std::string::npos ? "" : s.substr(b);
}

}  // namespace

std::vector<FindingGroup> GroupFindings(const WholeCheckResult& result,
                                        const std::vector<WholeCheckFinding>& findings) {
  std::vector<FindingGroup> sheets;
  // Findings come in run order, and the runs of one sheet, class and table follow each other;
  // a new group starts where one of them changes.
  const WholeCheckRun* last = nullptr;
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const WholeCheckRun& run = result.runs[findings[i].run];
    const bool new_sheet = last == nullptr || last->sheet != run.sheet;
    const bool new_class = new_sheet || last->class_id != run.class_id;
    const bool new_table = new_class || last->table != run.table;
    if (new_sheet) sheets.push_back({std::string(SheetOf(run.sheet).caption), {}, {}, 0});
    FindingGroup* parent = &sheets.back();
    if (run.sheet == Sheet::kClass) {
      if (new_class) parent->children.push_back({"Klasse " + run.class_id, {}, {}, 0});
      parent = &parent->children.back();
    }
    if (new_table) {
      parent->children.push_back(
          {run.table_name.empty() ? "Tabelle " + std::to_string(run.table) : run.table_name,
           {},
           {},
           0});
    }
    parent->children.back().findings.push_back(i);
    last = &run;
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
  std::string line = "[" + std::to_string(f.entry) + "]  " + Trimmed(f.entry_text) + "  --->  " +
                     (f.hint ? "Hinweis: " : "") + Trimmed(f.status_text);
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
  for (const FindingGroup& g : GroupFindings(result, findings)) add(g, 0);
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

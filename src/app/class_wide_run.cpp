#include "app/class_wide_run.h"

#include "app/registry.h"
#include "app/session_tables.h"
#include "plausi/catalogue.h"
#include "sheets/class/class_wide.h"
#include "sheets/sheet_def.h"

namespace tabulon {

ClassTableLoad StoredClassTables(const Settings& settings, const DataPaths& paths,
                                 const std::string& class_id, Ui& ui) {
  return [&settings, &paths, &class_id, &ui](int table) {
    const SheetDef& sheet = SheetOf(Sheet::kClass);
    const TableDef* def = sheet.FindTableNumber(table);
    Grid grid;
    if (def == nullptr) return grid;
    // Testing looks at the stored files and changes nothing on disk.
    const TableContext ctx{settings, paths, class_id, ui, /*create_missing_dirs=*/false};
    SetUpAndLoadTable(grid, sheet, *def, ctx);
    return grid;
  };
}

namespace {

std::vector<FindingPlace> PlacesOf(const TestResult& result, const Grid& grid) {
  std::vector<FindingPlace> places;
  for (const Finding& f : result.findings) {
    places.push_back({f.entry, f.col, f.row, ColumnHeaderOf(grid, f.col), RowLabelOf(grid, f.row)});
  }
  return places;
}

}  // namespace

ClassSummaryReport RunClassSummary(const ClassTableLoad& load, const Settings& settings,
                                   const std::string& class_id, bool log_all_tests) {
  ClassSummaryReport out;
  ErrorFlags accumulator;
  ResetErrorFlags(accumulator);
  for (int t = 0; t < class_sheet::kSummaryTables; ++t) {
    Grid grid = load(t);
    ErrorFlags flags;
    TestEnv env{grid, flags, settings, class_id};
    TestResult result;
    out.statuses[static_cast<std::size_t>(t)] =
        class_sheet::SummaryStep(t, env, accumulator, &result);
    const TablePage* page = FindTablePage(Sheet::kClass, t);
    for (FindingPlace& p : PlacesOf(result, grid)) {
      if (page != nullptr) p.table = std::string(page->caption);
      out.findings.push_back({t, std::move(p)});
    }
    for (int n = 1; n <= kErrorCount; ++n) {
      if (flags.failed[n] || flags.hint[n])
        out.entries.push_back({t, n, flags.failed[n], flags.hint[n]});
    }
  }
  ResetErrorFlags(out.flags);
  out.flags = accumulator;
  PlausiReport& r = out.report;
  r.title = class_sheet::kSummaryTitle;
  r.window = ErrorWindowOpens(out.flags, log_all_tests);
  if (r.window) {
    r.protocol = ShowErrorProtocol(ErrorWindowKind::kFehlerAnzeigeAlle, r.title, out.flags,
                                   TheErrorCatalogue(), log_all_tests, out.statuses);
  }
  for (const TableFinding& f : out.findings) {
    r.result.findings.push_back({f.place.entry, f.place.col, f.place.row});
    r.places.push_back(f.place);
  }
  return out;
}

ClassRunReport RunClassTableTest(int table, const ClassTableLoad& load, const Settings& settings,
                                 const std::string& class_id, bool log_all_tests) {
  ClassRunReport out;
  const SheetTest* test = SheetOf(Sheet::kClass).FindTest(table);
  if (test == nullptr) return out;
  Grid grid = load(table);
  TestEnv env{grid, out.flags, settings, class_id};
  out.report = RunPlausi(*test, env, log_all_tests);
  return out;
}

ClassRunReport RunClassFootnotes(const ClassTableLoad& load, bool log_all_tests) {
  ClassRunReport out;
  ResetErrorFlags(out.flags);
  class_sheet::FootnoteRefs refs;
  for (int t : class_sheet::kFootnoteTables) {
    const Grid grid = load(t);
    class_sheet::ReportFootnotes(t, grid, out.flags, refs);
  }
  PlausiReport& r = out.report;
  r.title = class_sheet::kFootnoteTitle;
  r.window = ErrorWindowOpens(out.flags, log_all_tests);
  if (r.window) {
    r.protocol = ShowErrorProtocol(ErrorWindowKind::kFehlerfenster, r.title, out.flags,
                                   TheErrorCatalogue(), log_all_tests);
  }
  return out;
}

ClassWideReport RunClassWideTests(const ClassTableLoad& load, const Settings& settings,
                                  const std::string& class_id, bool log_all_tests) {
  // Each file is set up and loaded once; the footnotes read the grids the summary tested (the
  // tests change no cell).
  std::vector<Grid> grids;
  for (int t = 0; t <= 10; ++t) grids.push_back(load(t));
  const ClassTableLoad cached = [&grids](int table) {
    return grids[static_cast<std::size_t>(table)];
  };
  ClassWideReport out;
  out.summary = RunClassSummary(cached, settings, class_id, log_all_tests);
  out.table41 = RunClassTableTest(10, cached, settings, class_id, log_all_tests);
  out.footnotes = RunClassFootnotes(cached, log_all_tests);
  return out;
}

}  // namespace tabulon

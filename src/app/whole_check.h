// The whole-school check: every declared test of every sheet on the stored tables, the class
// sheet's once per class, as one run that the command line's "pruefen alles" and the window's
// "Gesamtprüfung" share. It walks in steps (the school-wide sheets, then one class per step), so
// the window can run it in slices on its event loop and stop after the current class.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/session_plausi.h"
#include "base/data_paths.h"
#include "base/ports.h"
#include "base/print_document.h"
#include "base/settings.h"
#include "sheets/sheet_def.h"
#include "tables/error_flags.h"
#include "tables/grid.h"

namespace tabulon {

// One test run on one stored table.
struct WholeCheckRun {
  std::string target;  // as the command line names it: "schule:2", "klasse:1A2B3C:4"
  Sheet sheet = Sheet::kSchool;
  std::string class_id;  // empty outside the class sheet
  int table = 0;
  std::string table_name;  // the page's caption
  PlausiReport report;
  ErrorFlags flags;
};

// One line of the findings list: a failed or hint entry of a run.
struct WholeCheckFinding {
  std::size_t run = 0;  // index into WholeCheckResult::runs
  int entry = 0;
  bool hint = false;
  std::string entry_text;   // the catalogue's title of the entry
  std::string status_text;  // the catalogue's text for its failure
  int col = -1;
  int row = -1;
  std::string column_header;
  std::string row_label;
};

struct WholeCheckResult {
  std::vector<WholeCheckRun> runs;
  int classes_total = 0;
  int classes_done = 0;
  bool cancelled = false;
  bool AnyFailed() const;
  // Tables with a failed error entry, and the classes among them.
  int FailedTables() const;
  int FailedClasses() const;
};

// Loads a stored table of a sheet (for the class sheet: of the named class) into a grid set up
// from its definition. May throw FileError.
using WholeCheckLoader = std::function<Grid(const SheetDef& sheet, const TableDef& def,
                                            const std::string& class_id, Ui& ui)>;

// The loader of the stored files: set-up and load as the page would, creating nothing on disk.
WholeCheckLoader StoredTableLoader(const Settings& settings, const DataPaths& paths);

// The tests that span a whole class (its summary test, table 4.1, the footnote cross test)
// plug in here; they are called once per class after the class's own table tests and append
// their runs to the result.
using ClassWideTests = std::function<void(const std::string& class_id, const WholeCheckLoader& load,
                                          Ui& ui, WholeCheckResult& result)>;

// The class-wide tests both the command line and the window run per class. Nothing yet: the
// class sheet's summary test, table 4.1 and the footnote cross test are to be returned here.
ClassWideTests ProgramClassWideTests();

class WholeCheck {
 public:
  WholeCheck(std::vector<std::string> classes, WholeCheckLoader load, const Settings& settings,
             bool log_all_tests, ClassWideTests class_wide = {});

  // Step 0 runs the sheets named by the DST-Nr.; step k > 0 runs class k-1.
  int step_count() const { return static_cast<int>(classes_.size()) + 1; }
  int next_step() const { return next_; }
  bool Done() const { return next_ >= step_count() || result_.cancelled; }
  // The class the next step checks, or "" for the school-wide step.
  std::string NextClass() const;
  // Runs the next step. A FileError of a load passes through; the step counts as done.
  void Step(Ui& ui);
  // Stops before the next step; what was checked stays in the result.
  void Cancel() { result_.cancelled = true; }
  const WholeCheckResult& result() const { return result_; }
  WholeCheckResult TakeResult() { return std::move(result_); }

 private:
  void RunSheetTests(const SheetDef& sheet, const std::string& class_id, Ui& ui);

  std::vector<std::string> classes_;
  WholeCheckLoader load_;
  const Settings& settings_;
  bool log_all_tests_;
  ClassWideTests class_wide_;
  int next_ = 0;
  WholeCheckResult result_;
};

// The whole run at once. `progress` is told before each class (1-based index, count, class) and
// stops the run when it returns false.
WholeCheckResult RunWholeCheck(
    WholeCheck& check, Ui& ui,
    const std::function<bool(int index, int total, const std::string& class_id)>& progress = {});

// The findings list of a result: one line per failed or hint entry, in run order; `hints`
// false leaves the hint entries out.
std::vector<WholeCheckFinding> FindingsOf(const WholeCheckResult& result, bool hints);

// The findings list in groups: sheet, then class (class sheet only), then table, each group with
// its findings' count in its caption.
struct FindingGroup {
  std::string caption;  // "Klasse 1A2B3C (2)"
  std::vector<FindingGroup> children;
  std::vector<std::size_t> findings;  // indices into the list, at the table level only
  int count = 0;
};
std::vector<FindingGroup> GroupFindings(const WholeCheckResult& result,
                                        const std::vector<WholeCheckFinding>& findings);
// A finding's line as the list shows it: "[70]  title  --->  status  |  Spalte ... | Zeile ...".
std::string FindingLine(const WholeCheckFinding& finding);
// The findings list for the print preview, with its PDF.
PrintDocument WholeCheckDocument(const WholeCheckResult& result, bool hints);

inline constexpr char kWholeCheckTitle[] = "Gesamtprüfung (alle Bögen und Klassen)";

}  // namespace tabulon

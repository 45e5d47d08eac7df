// The whole-school check: the school's and the teacher's table tests, the numbering of the class
// list and, per class, its summary test, table 4.1 and the footnote cross test, all on the
// stored files. The command line's "pruefen alles" and "klassen", the window's "Gesamtprüfung"
// and the check before the export for the statistical office are this one run. It walks in
// steps (the school-wide part, then one class per step), so the window can run it in slices on
// its event loop and stop after the current class.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/class_wide_run.h"
#include "app/session_plausi.h"
#include "base/data_paths.h"
#include "base/ports.h"
#include "base/print_document.h"
#include "base/settings.h"
#include "base/sheet.h"
#include "plausi/protocol.h"
#include "tables/error_flags.h"
#include "tables/grid.h"

namespace tabulon {

enum class WholeCheckKind { kTable, kSummary, kFootnotes, kNumbering };

// The table numbers of the runs that span several tables of a class or the class list.
inline constexpr int kFootnoteRunTable = -1;
inline constexpr int kNumberingRunTable = -2;

// A box a run showed (the numbering test says what it found in boxes).
struct WholeCheckBox {
  MessageKind kind = MessageKind::kInformation;
  std::string text;
};

// One test run on stored tables.
struct WholeCheckRun {
  WholeCheckKind kind = WholeCheckKind::kTable;
  std::string target;  // as the command line names it: "schule:2", "klasse:1A2B3C:alle"
  Sheet sheet = Sheet::kSchool;
  std::string class_id;  // empty outside the class sheet
  int table = 0;         // the table tested; kFootnoteRunTable, kNumberingRunTable
  std::string table_name;
  PlausiReport report;
  ErrorFlags flags;
  // The summary: the statuses of tables 0 to 9, the table of each of report.places, and what
  // each table left.
  TableStatuses statuses{};
  std::vector<int> place_tables;
  std::vector<TableEntry> table_entries;
  // The numbering test's boxes.
  std::vector<WholeCheckBox> boxes;
};

// A failed error entry, or an error box of the numbering test.
bool RunFailed(const WholeCheckRun& run);

// The runs of one table's test, of a class's summary, of its footnote cross test.
WholeCheckRun TableRun(const std::string& target, Sheet sheet, const std::string& class_id,
                       int table, PlausiReport report, const ErrorFlags& flags);
WholeCheckRun SummaryRun(const std::string& target, const std::string& class_id,
                         ClassSummaryReport summary);
WholeCheckRun FootnoteRun(const std::string& target, const std::string& class_id,
                          ClassRunReport footnotes);

// One line of the findings list: a failed or hint entry of a run, with where it was found.
struct WholeCheckFinding {
  Sheet sheet = Sheet::kSchool;
  std::string class_id;
  int table = 0;  // as WholeCheckRun::table
  std::string table_name;
  int entry = 0;  // 0: a box of the numbering test
  bool hint = false;
  std::string entry_text;   // the catalogue's title of the entry, trimmed
  std::string status_text;  // the catalogue's text for its failure, trimmed
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
};

// How much failed, for the summary before the export.
struct WholeCheckCounts {
  int class_tables = 0;      // faulty class tables (0 to 9 and 4.1)
  int classes = 0;           // classes with a faulty table
  int footnote_classes = 0;  // classes whose footnotes disagree
  int school_tables = 0;     // faulty tables of the school and the teacher sheet
  bool numbering = false;    // the class numbering has a gap or a repeat
};
WholeCheckCounts CountFailures(const WholeCheckResult& result);
// The summary the export shows before it asks (empty when everything passed and the check ran
// to its end). Lines end in "\r".
std::string WholeCheckSummary(const WholeCheckResult& result);

// Loads a stored table (of the class named, on the class sheet) into a grid set up from its
// definition. May throw FileError.
using WholeCheckLoader =
    std::function<Grid(Sheet sheet, int table, const std::string& class_id, Ui& ui)>;

// The loader of the stored files: set-up and load as the page would, creating nothing on disk.
// The references must outlive the loader.
WholeCheckLoader StoredTableLoader(const Settings& settings, const DataPaths& paths);

class WholeCheck {
 public:
  // `school_wide` false checks only the class list and the classes (the command line's
  // "klassen").
  WholeCheck(std::vector<std::string> classes, WholeCheckLoader load, const Settings& settings,
             bool log_all_tests, bool school_wide = true);

  // Step 0 runs the sheets named by the DST-Nr. and the numbering; step k > 0 runs class k-1.
  int step_count() const { return static_cast<int>(classes_.size()) + 1; }
  int next_step() const { return next_; }
  bool Done() const { return next_ >= step_count() || result_.cancelled; }
  // The class the next step checks, or "" for the school-wide step.
  std::string NextClass() const;
  // Runs the next step. A FileError of a load passes through; the runs before it stay in the
  // result and the step counts as done.
  void Step(Ui& ui);
  // Stops before the next step; what was checked stays in the result.
  void Cancel() { result_.cancelled = true; }
  const WholeCheckResult& result() const { return result_; }
  WholeCheckResult TakeResult() { return std::move(result_); }

 private:
  void RunSchoolWide(Ui& ui);
  void RunClass(const std::string& id, Ui& ui);

  std::vector<std::string> classes_;
  WholeCheckLoader load_;
  const Settings& settings_;
  bool log_all_tests_;
  bool school_wide_;
  int next_ = 0;
  WholeCheckResult result_;
};

// The whole run at once. `progress` is told before each class (1-based index, count, class) and
// stops the run when it returns false.
WholeCheckResult RunWholeCheck(
    WholeCheck& check, Ui& ui,
    const std::function<bool(int index, int total, const std::string& class_id)>& progress = {});

// The findings of one run and of a whole result, in run order; `hints` false leaves the hint
// entries out.
std::vector<WholeCheckFinding> FindingsOfRun(const WholeCheckRun& run, bool hints);
std::vector<WholeCheckFinding> FindingsOf(const WholeCheckResult& result, bool hints);

// The findings list in groups: sheet, then class (class sheet only), then table, each group with
// its findings' count in its caption.
struct FindingGroup {
  std::string caption;  // "Klasse 1A2B3C (2)"
  std::vector<FindingGroup> children;
  std::vector<std::size_t> findings;  // indices into the list, at the table level only
  int count = 0;
};
std::vector<FindingGroup> GroupFindings(const std::vector<WholeCheckFinding>& findings);
// A finding's line as the printed list shows it: "[70]  title  --->  status  |  Spalte ...".
std::string FindingLine(const WholeCheckFinding& finding);
// The findings list for the print preview, with its PDF.
PrintDocument WholeCheckDocument(const WholeCheckResult& result, bool hints);

inline constexpr char kWholeCheckTitle[] = "Gesamtprüfung (alle Bögen und Klassen)";
// Added to the summary when a stored table could not be read.
inline constexpr char kWholeCheckUnreadable[] =
    "Mindestens eine Tabelle konnte nicht gelesen werden.";
// The question before the export, below the summary.
inline constexpr char kExportAnywayQuestion[] = "Trotzdem exportieren?";

}  // namespace tabulon

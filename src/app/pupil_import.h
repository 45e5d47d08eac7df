// Filling the class tables from a pupil list: every class of the list has its tables loaded as
// showing their pages does, derived from its pupils, compared with what is stored, and written
// through the tables' own saves. Planning writes nothing; writing follows only the plan.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/whole_check.h"
#include "base/data_paths.h"
#include "base/ports.h"
#include "base/settings.h"
#include "sheets/class/pupil_list.h"
#include "tables/grid.h"

namespace tabulon {

// One class table whose derived content differs from the stored one.
struct PupilTableChange {
  std::string class_id;
  int table = 0;
  // The stored table held typed counts: writing it overwrites data and needs confirmation.
  bool overwrites = false;
  std::vector<class_sheet::CellChange> cells;
  Grid derived;
};

struct PupilImportPlan {
  std::vector<std::string> table_lines;  // which tables are filled, which stay untouched
  int pupils_read = 0;
  int assigned = 0;
  std::vector<class_sheet::PupilReport> reports;  // in line order
  std::vector<std::string> classes;               // classes whose pupils were counted
  std::vector<std::string> new_classes;           // of them, the ones to be created
  std::vector<PupilTableChange> changes;
  bool cancelled = false;  // the progress callback stopped the planning: the plan is partial
  bool NeedsConfirmation() const;
};

// Told how far a long step has come (classes planned or tables written, of `total`); returning
// false stops the planning. Writing is not stopped half-way.
using PupilProgress = std::function<bool(int done, int total)>;

// Reads and parses the pupil list in `file`; a list beyond the size limit is refused before it
// is read. Throws FileError or class_sheet::PupilListError.
class_sheet::PupilList ReadPupilListFile(const std::filesystem::path& file);

// Loads and derives the tables of every class in the list. Classes that do not exist are
// planned for creation only with `create_classes` and a safe identifier; otherwise their pupils
// are reported, with `create_hint` naming how to have them created. Throws FileError when a
// table cannot be read.
PupilImportPlan PlanPupilImport(const class_sheet::PupilList& list, const Settings& settings,
                                const DataPaths& paths, Ui& ui, int current_year,
                                bool create_classes, const PupilProgress& progress = {},
                                const std::string& create_hint = "--klassen-anlegen");

// Writes the planned tables (new classes first get their table 0 and notes file, as adding a
// class does). Returns the number of class tables written. Throws FileError; tables written
// before the failure stay written, each of them whole.
int WritePupilImport(const PupilImportPlan& plan, const Settings& settings, const DataPaths& paths,
                     Ui& ui, const PupilProgress& progress = {});

// The class tests of every class the import touched, run and listed as the whole-school check
// runs and lists them. With `preview` the derived tables stand in for the stored ones, so the
// result says what the tests would find after writing; otherwise the stored files are tested.
WholeCheckResult CheckImportedClasses(const PupilImportPlan& plan, const Settings& settings,
                                      const DataPaths& paths, bool preview);
// The failures of that run as the whole-school check's findings list shows them: the group
// captions indented by depth, each finding's line below its table; empty when all passed.
std::vector<std::string> ClassCheckLines(const WholeCheckResult& result);

// The report after the import: pupils read, assigned and reported, classes and tables.
std::string ImportSummary(const PupilImportPlan& plan, int tables_written, bool saved);

// The preview as lines: per class and table the cells that change, old → new (all of them for
// tables that overwrite typed counts, a count for the others).
std::vector<std::string> PreviewLines(const PupilImportPlan& plan);

// The current calendar year, the upper bound of birth years.
int CurrentYear();

}  // namespace tabulon

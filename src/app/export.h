// Moving the school's data as wholes: the export of the official files for the state statistical
// office, the export and import of everything (including the files with personal data that stay
// at the school), and the backup into BAK at start-up.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "app/copy.h"
#include "base/data_paths.h"
#include "base/ports.h"
#include "base/settings.h"

namespace tabulon {

inline constexpr const char* kExportDialogCaption = "Speicherort der Statistik-Datenbank";
inline constexpr const char* kImportDialogCaption = "Quell-Statistik-Datenbank";
inline constexpr const char* kBackupDirName = "BAK";
inline constexpr const char* kTeacherListName = "LEHRER.CSV";
inline constexpr const char* kClassNotesPattern = "??????ID.CSV";

// What the commands need of the running program. The session wires the two callbacks: saving
// the table that is shown, and showing it again from its file (with the change indicator).
struct ExportContext {
  const Settings& settings;  // DST-Nr. and the backup option
  DataPaths& paths;          // kept as found: every command puts both directories back
  Ui& ui;
  std::function<void()> save_current_table;
  std::function<void()> reload_current_table;
};

enum class ExportOutcome {
  kDone,              // the copies ran (see the failures for what did not arrive)
  kNotConfirmed,      // "Abbrechen" in the directory dialog or "Nein" at the question
  kDirectoryProblem,  // the target's directory structure could not be created
  kUnsafeDstNr,       // the DST-Nr. cannot name a directory
};

struct ExportResult {
  ExportOutcome outcome = ExportOutcome::kNotConfirmed;
  std::vector<std::filesystem::path> copied;
  std::vector<std::filesystem::path> left_out;  // already there, kept after "Nein"/"Abbrechen"
  std::vector<CopyFailure> failures;
  bool cancelled = false;  // "Abbrechen" at an overwrite question
};

// Only the official files: the school and teacher tables of this DST-Nr. and the class tables.
ExportResult ExportStaLA(ExportContext& ctx);
// The whole school data directory, the class notes files and the teacher list.
ExportResult ExportAll(ExportContext& ctx);
// The counterpart of ExportAll; the shown table is reloaded afterwards, whatever happened.
ExportResult ImportAll(ExportContext& ctx);
// Everything into the backup directory, replacing the previous backup without questions.
ExportResult BackupDatabase(ExportContext& ctx);

}  // namespace tabulon

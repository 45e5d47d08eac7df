#include "app/export.h"

#include <array>
#include <system_error>

#include "app/registry.h"
#include "files/files.h"

namespace tabulon {

namespace fs = std::filesystem;

namespace {

// The sheet directories of a school data directory, in the order they are created and copied.
std::vector<std::string> SheetDirs() {
  std::vector<std::string> dirs;
  for (const SheetDef* sheet : Sheets()) {
    if (!sheet->data_dir.empty()) dirs.emplace_back(sheet->data_dir);
  }
  return dirs;
}

// Every command leaves the data base directory and the school data directory as it found them,
// whatever a dialog or a callback did to them on the way.
class KeepDataPaths {
 public:
  explicit KeepDataPaths(DataPaths& paths)
      : paths_(paths),
        data_base_dir_(paths.data_base_dir),
        school_data_dir_(paths.school_data_dir) {}
  ~KeepDataPaths() {
    paths_.data_base_dir = data_base_dir_;
    paths_.school_data_dir = school_data_dir_;
  }
  KeepDataPaths(const KeepDataPaths&) = delete;
  KeepDataPaths& operator=(const KeepDataPaths&) = delete;

  // The directories as they were when the command began.
  const fs::path& data_base_dir() const { return data_base_dir_; }

 private:
  DataPaths& paths_;
  fs::path data_base_dir_;
  fs::path school_data_dir_;
};

// A sub-directory or file as it is spelled on disk (files may come from Windows in any case).
fs::path Entry(const fs::path& dir, const std::string& name) {
  return FindEntryNoCase(dir, name).value_or(dir / name);
}

ExportResult Refused() {
  ExportResult r;
  r.outcome = ExportOutcome::kUnsafeDstNr;
  return r;
}

bool RefuseUnsafeDstNr(const ExportContext& ctx) {
  if (IsSafeNameComponent(ctx.settings.dst_nr)) return false;
  ctx.ui.Message(MessageKind::kError,
                 "Die DST-Nr. \"" + ctx.settings.dst_nr +
                     "\" kann nicht als Verzeichnisname dienen!\rPrüfen Sie bitte die "
                     "Programm-Einstellungen!");
  return true;
}

// Creates each directory that does not exist yet; false at the first that cannot be had.
bool CreateDirectories(const std::vector<fs::path>& dirs) {
  for (const fs::path& d : dirs) {
    std::error_code ec;
    if (fs::is_directory(d, ec)) continue;
    if (fs::exists(fs::symlink_status(d, ec))) return false;  // a file in the way
    fs::create_directory(d, ec);
    if (ec) return false;
  }
  return true;
}

// Creates a school directory with its sheet directories; tells the user when that fails.
bool CreateSheetStructure(ExportContext& ctx, const fs::path& target) {
  std::vector<fs::path> dirs = {target};
  for (const std::string& sub : SheetDirs()) dirs.push_back(Entry(target, sub));
  if (CreateDirectories(dirs)) return true;
  ctx.ui.Message(MessageKind::kInformation,
                 "Problem beim Erstellen der Verzeichnis-Struktur:\r" + DisplayPath(target) + "\r" +
                     "Sorgen Sie bitte für ausreichend Platz bzw. Rechte!");
  return false;
}

// The chosen directory with a trailing separator, or nothing after "Abbrechen".
std::optional<fs::path> ChooseDirectory(ExportContext& ctx, const char* caption,
                                        const fs::path& start) {
  std::optional<fs::path> chosen = ctx.ui.ChooseDirectory(caption, start);
  if (!chosen) return std::nullopt;
  return WithTrailingSeparator(*chosen);
}

// Hands the copier's outcome over and shows the one error box about what did not arrive.
void Finish(ExportContext& ctx, FileCopier& copier, ExportResult& result) {
  result.copied = copier.copied();
  result.left_out = copier.left_out();
  result.failures = copier.failures();
  result.cancelled = copier.cancelled();
  if (!result.failures.empty()) ctx.ui.Message(MessageKind::kError, copier.FailureReport());
}

// A target at or inside the school data directory would copy the data onto or into themselves.
bool RefuseTargetInSource(FileCopier& copier, const fs::path& source, const fs::path& target) {
  if (!PathIsSameOrInside(target, source)) return false;
  copier.AddFailure(source, target, "das Ziel liegt im Quellverzeichnis");
  return true;
}

// A class table file is the class identifier and a two-digit table number. The eight-character
// pattern alone would also take a class notes file ("ZIM003ID.CSV") that someone put into the
// class directory, and those hold personal data that must not leave the school.
bool EndsInTableNumber(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot < 2) return false;
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  return digit(name[dot - 2]) && digit(name[dot - 1]);
}

void CopyOfficialFiles(const fs::path& school_dir, const std::string& d, const fs::path& target,
                       FileCopier& copier) {
  // The table files of the sheets named by the DST-Nr. ("…01.CSV", never "…01alt.CSV"), and
  // of every class.
  for (const SheetDef* sheet : Sheets()) {
    if (sheet->data_dir.empty()) continue;
    const std::string dir(sheet->data_dir);
    if (sheet->prefix == FilePrefix::kClassId) {
      copier.CopyMatching(Entry(school_dir, dir), "????????.CSV", Entry(target, dir),
                          EndsInTableNumber);
    } else {
      copier.CopyMatching(Entry(school_dir, dir), d + "0?.CSV", Entry(target, dir), {});
    }
  }
}

ExportResult ImportSteps(ExportContext& ctx, const fs::path& b) {
  ExportResult result;
  const std::string& d = ctx.settings.dst_nr;
  std::optional<fs::path> q = ChooseDirectory(ctx, kImportDialogCaption, b);
  if (!q) return result;
  if (!ctx.ui.Ask(MessageKind::kConfirmation,
                  "Wollen Sie die Datenbank: " + d + "\r\r" + "aus:   " + DisplayPath(*q) + "\r" +
                      "nach:  " + DisplayPath(b) + "\r\r" + "importieren?")) {
    return result;
  }
  const fs::path target = WithTrailingSeparator(b / d);
  if (!CreateSheetStructure(ctx, target)) {
    result.outcome = ExportOutcome::kDirectoryProblem;
    return result;
  }
  result.outcome = ExportOutcome::kDone;
  FileCopier copier(ctx.ui, OverwriteMode::kAsk);
  const fs::path source = Entry(*q, d);
  if (PathIsSameOrInside(source, target) && PathIsSameOrInside(target, source)) {
    copier.AddFailure(source, target, "Quelle und Ziel sind dasselbe Verzeichnis");
  } else {
    for (const std::string& sub : SheetDirs()) copier.CopyTree(Entry(source, sub), target);
    copier.CopyMatching(source, kClassNotesPattern, ctx.paths.program_dir);
    copier.CopyMatching(source, kTeacherListName, ctx.paths.program_dir);
  }
  Finish(ctx, copier, result);
  return result;
}

// The official files only, into a sheet directory structure created below the chosen directory.
void CopyForStaLA(ExportContext& ctx, const fs::path& school_dir, const fs::path& chosen,
                  FileCopier& copier, ExportResult& result) {
  const std::string& d = ctx.settings.dst_nr;
  const fs::path target = chosen / d;
  // Checked before anything is created, so that no directories appear inside the data.
  if (RefuseTargetInSource(copier, school_dir, target)) {
    result.outcome = ExportOutcome::kDone;
    Finish(ctx, copier, result);
    return;
  }
  if (!CreateSheetStructure(ctx, target)) {
    result.outcome = ExportOutcome::kDirectoryProblem;
    return;
  }
  result.outcome = ExportOutcome::kDone;
  CopyOfficialFiles(school_dir, d, target, copier);
  Finish(ctx, copier, result);
}

// The whole school data directory with the class notes and the teacher list.
void CopyEverything(ExportContext& ctx, const fs::path& school_dir, const fs::path& chosen,
                    FileCopier& copier, ExportResult& result) {
  result.outcome = ExportOutcome::kDone;
  const fs::path target = Entry(chosen, ctx.settings.dst_nr);
  if (!RefuseTargetInSource(copier, school_dir, target)) {
    copier.CopyTree(school_dir, chosen);
    copier.CopyMatching(ctx.paths.program_dir, kClassNotesPattern, target);
    // A teacher list of the school data directory travelled with the tree; it is the newer one.
    std::error_code ec;
    std::optional<fs::path> own_list = FindEntryNoCase(school_dir, kTeacherListName);
    if (!own_list || !fs::is_regular_file(*own_list, ec)) {
      copier.CopyMatching(ctx.paths.program_dir, kTeacherListName, target);
    }
  }
  Finish(ctx, copier, result);
}

// What both exports share: the shown table saved first, the DST-Nr. checked, the target
// directory chosen and the export confirmed, the question ending in `question_end`; then `copy`
// copies from the school data directory into the chosen directory.
ExportResult ConfirmedExport(ExportContext& ctx, const std::string& question_end,
                             void (*copy)(ExportContext&, const fs::path& school_dir,
                                          const fs::path& chosen, FileCopier&, ExportResult&)) {
  if (ctx.save_current_table) ctx.save_current_table();
  KeepDataPaths kept(ctx.paths);
  ExportResult result;
  if (RefuseUnsafeDstNr(ctx)) return Refused();
  const fs::path& b = kept.data_base_dir();
  const std::string& d = ctx.settings.dst_nr;
  std::optional<fs::path> t = ChooseDirectory(ctx, kExportDialogCaption, b);
  if (!t) return result;
  if (!ctx.ui.Ask(MessageKind::kConfirmation,
                  "Wollen Sie die aktuelle Datenbank: " + d + "\r\r" + "von:   " + DisplayPath(b) +
                      "\r" + "nach:  " + DisplayPath(*t) + "\r\r" + question_end)) {
    return result;
  }
  FileCopier copier(ctx.ui, OverwriteMode::kAsk);
  copy(ctx, b / d, *t, copier, result);
  return result;
}

}  // namespace

ExportResult ExportStaLA(ExportContext& ctx) {
  return ConfirmedExport(ctx,
                         std::string("(mit überschreiben) exportieren?") + "\r" +
                             "(NUR die offiziellen Dateien für´s Statistische Landesamt!)",
                         CopyForStaLA);
}

ExportResult ExportAll(ExportContext& ctx) {
  return ConfirmedExport(ctx,
                         std::string("exportieren?  (ACHTUNG! Es werden auch Dateien") + "\r" +
                             "mit Personendaten (z.B. LEHRER.CSV) kopiert!",
                         CopyEverything);
}

ExportResult ImportAll(ExportContext& ctx) {
  if (ctx.save_current_table) ctx.save_current_table();
  ExportResult result;
  {
    KeepDataPaths kept(ctx.paths);
    if (RefuseUnsafeDstNr(ctx)) {
      result.outcome = ExportOutcome::kUnsafeDstNr;
    } else {
      result = ImportSteps(ctx, kept.data_base_dir());
    }
  }
  // The shown grid must show the file as it now is, also when nothing was copied.
  if (ctx.reload_current_table) ctx.reload_current_table();
  return result;
}

ExportResult BackupDatabase(ExportContext& ctx) {
  KeepDataPaths kept(ctx.paths);
  ExportResult result;
  if (RefuseUnsafeDstNr(ctx)) return Refused();
  const fs::path& b = kept.data_base_dir();
  const fs::path backup = WithTrailingSeparator(b / kBackupDirName);
  if (ctx.settings.backup_at_start == 0 &&
      !ctx.ui.Ask(MessageKind::kInformation,
                  "Soll eine (ev.) vorhandene Datenbank jetzt\rin das BAK-Verzeichnis gesichert "
                  "werden?\r")) {
    return result;
  }
  std::error_code ec;
  if (!CreateDirectories({backup})) {
    ctx.ui.Message(
        MessageKind::kInformation,
        "Problem beim Erstellen des Sicherungsverzeichnis:\r" + DisplayPath(backup) + "\r");
    // Every later step copies into the backup directory, so none of them can run.
    result.outcome = ExportOutcome::kDirectoryProblem;
    return result;
  }
  result.outcome = ExportOutcome::kDone;
  FileCopier copier(ctx.ui, OverwriteMode::kAlways);
  const fs::path& p = ctx.paths.program_dir;
  std::optional<fs::path> list = FindEntryNoCase(p, kTeacherListName);
  if (list && fs::is_regular_file(*list, ec)) {
    try {
      copier.WriteConverted(*list, Entry(backup, kTeacherListName),
                            WithCrLfLineEnds(ReadFileBytes(*list)));
    } catch (const FileError& e) {
      copier.AddFailure(*list, Entry(backup, kTeacherListName),
                        e.what_failed() + " fehlgeschlagen: " + e.reason());
    }
  }
  if (fs::is_directory(p, ec)) copier.CopyMatching(p, "*ID.CSV", backup);
  // A school without data yet has nothing to back up; that is no failure.
  const fs::path school_dir = b / ctx.settings.dst_nr;
  if (fs::is_directory(school_dir, ec)) copier.CopyTree(school_dir, backup);
  Finish(ctx, copier, result);
  return result;
}

}  // namespace tabulon

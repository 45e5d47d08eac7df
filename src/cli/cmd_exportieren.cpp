// tabulon-cli exportieren: the export of all data or, with --stala, of the official files; and
// what the three copying verbs share.
#include <ostream>
#include <sstream>

#include "app/export.h"
#include "app/whole_check.h"
#include "base/data_paths.h"
#include "base/settings.h"
#include "cli/cli.h"
#include "cli/common.h"
#include "cli/targets.h"
#include "files/files.h"
#include "sheets/class/class_list.h"

namespace tabulon::cli {
namespace {

// The command line names the directory and has already said "Ja" by calling the verb; every
// other question stays a "Nein" as everywhere on the command line.
class CopyVerbUi : public CliUi {
 public:
  CopyVerbUi(std::ostream& err, std::filesystem::path directory, bool overwrite)
      : CliUi(err), directory_(std::move(directory)), overwrite_(overwrite) {}

  bool Ask(MessageKind kind, const std::string& text) override {
    if (!opening_question_answered_) {
      opening_question_answered_ = true;
      return true;
    }
    return CliUi::Ask(kind, text);
  }
  std::optional<std::filesystem::path> ChooseDirectory(
      const std::string& caption, const std::filesystem::path& start) override {
    if (directory_given_) return CliUi::ChooseDirectory(caption, start);
    directory_given_ = true;
    return directory_;
  }
  OverwriteChoice AskOverwrite(const std::string&) override {
    // Nothing is replaced behind the person's back; the list at the end says what was kept.
    return overwrite_ ? OverwriteChoice::kYesToAll : OverwriteChoice::kNo;
  }

 private:
  std::filesystem::path directory_;
  bool overwrite_;
  bool opening_question_answered_ = false;
  bool directory_given_ = false;
};

ExportResult RunVerb(CopyVerb verb, ExportContext& ctx) {
  switch (verb) {
    case CopyVerb::kExportStaLA:
      return ExportStaLA(ctx);
    case CopyVerb::kExportAll:
      return ExportAll(ctx);
    case CopyVerb::kImportAll:
      return ImportAll(ctx);
    case CopyVerb::kBackup:
      break;
  }
  return BackupDatabase(ctx);
}

// The official files go out whatever the whole-school check finds (the command line never
// asks), but not without saying what it found. True when something failed.
bool CheckBeforeStaLA(Context& ctx, const Settings& settings, const DataPaths& paths) {
  CliUi ui(ctx.err);
  // What loading the tables would say belongs to "pruefen"; here only the summary speaks.
  std::ostringstream unheard;
  CliUi quiet(unheard);
  bool unreadable = false;
  WholeCheckResult result;
  try {
    WholeCheck check(class_sheet::ReadClassList(ClassDirOf(paths)),
                     StoredTableLoader(settings, paths), settings, /*log_all_tests=*/false);
    while (!check.Done()) {
      try {
        check.Step(quiet);
      } catch (const FileError& e) {
        ui.Message(MessageKind::kError, e.Message());
        unreadable = true;
      }
    }
    result = check.TakeResult();
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    unreadable = true;
  }
  std::string summary = WholeCheckSummary(result);
  if (unreadable) summary += kWholeCheckUnreadable + std::string("\r");
  if (summary.empty()) return false;
  summary.pop_back();
  ui.Message(MessageKind::kWarning, summary);
  return true;
}

}  // namespace

int RunCopyVerb(Context& ctx, CopyVerb verb, const std::filesystem::path& directory) {
  Settings settings;
  int status = LoadSettingsForCli(ctx, settings);
  if (status != kExitOk) return status;
  if (verb != CopyVerb::kBackup) {
    std::string reason;
    const std::string shown = DisplayPath(directory);
    switch (CheckDirectory(directory, &reason)) {
      case DirectoryState::kDirectory:
        break;
      case DirectoryState::kMissing:
        ctx.err << "Fehler: Das Verzeichnis " << shown << " gibt es nicht.\n";
        return kExitUsage;
      case DirectoryState::kNotADirectory:
        ctx.err << "Fehler: " << shown << " ist kein Verzeichnis.\n";
        return kExitUsage;
      case DirectoryState::kNoAccess:
        // It may well exist: only, it cannot be entered.
        ctx.err << "Fehler: Auf das Verzeichnis " << shown
                << " kann nicht zugegriffen werden: " << reason << ".\n";
        return kExitUsage;
    }
  }
  DataPaths paths = FormDataPaths(settings, ctx.options.program_dir);
  status = CheckDataBase(ctx, paths);
  if (status != kExitOk) return status;
  const bool check_failed =
      verb == CopyVerb::kExportStaLA && CheckBeforeStaLA(ctx, settings, paths);
  CopyVerbUi ui(ctx.err, directory, ctx.options.overwrite);
  // No table is shown on the command line: nothing to save before, nothing to reload after.
  ExportContext export_ctx{settings, paths, ui, nullptr, nullptr};
  ExportResult result = RunVerb(verb, export_ctx);

  for (const auto& kept : result.left_out) {
    ctx.err << "Nicht überschrieben (schon vorhanden): " << DisplayPath(kept) << "\n";
  }
  ctx.out << result.copied.size() << " Datei(en) kopiert, " << result.left_out.size()
          << " nicht überschrieben, " << result.failures.size() << " nicht kopiert.\n";
  switch (result.outcome) {
    case ExportOutcome::kUnsafeDstNr:
      return kExitUsage;
    case ExportOutcome::kDone:
      return result.failures.empty() && !check_failed ? kExitOk : kExitFailed;
    case ExportOutcome::kNotConfirmed:
    case ExportOutcome::kDirectoryProblem:
      break;
  }
  return kExitFailed;
}

const Verb kVerbExportieren{
    "exportieren",
    "ZIEL",
    "alle Daten (--stala: die amtlichen) nach ZIEL/DST-NR exportieren",
    kOptStala | kOptUeberschreiben,
    1,
    1,
    "genau ein ZIEL-Verzeichnis",
    [](Context& ctx) {
      return RunCopyVerb(ctx, ctx.options.stala ? CopyVerb::kExportStaLA : CopyVerb::kExportAll,
                         ctx.options.positional[0]);
    }};

}  // namespace tabulon::cli

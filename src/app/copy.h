// Copying the school's files as wholes: single files picked by a wildcard pattern, and whole
// directory trees that arrive as a sub-directory of the target and merge with what is there.
// Every file lands through a temporary file and a rename, so an interrupted copy never leaves a
// half file at the target. What could not be copied is collected and reported once at the end.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ports.h"

namespace tabulon {

// Whether a file name matches a wildcard pattern the way a Windows file search does for the
// patterns we use: '?' stands for exactly one character, '*' for any run of characters, and
// letters match without regard to case (the files may come from a Windows installation).
bool NameMatches(std::string_view pattern, std::string_view name);

// The entry of dir whose name equals name without regard to case, the exact spelling first;
// nothing when there is none or dir cannot be read.
std::optional<std::filesystem::path> FindEntryNoCase(const std::filesystem::path& dir,
                                                     std::string_view name);

struct CopyFailure {
  std::filesystem::path source;
  std::filesystem::path target;
  std::string reason;
  bool operator==(const CopyFailure&) const = default;
};

// What happens when a file of the same name already lies at the target.
enum class OverwriteMode {
  kAsk,     // the person decides: "Ja", "Ja, alle", "Nein" or "Abbrechen"
  kAlways,  // replaced without a question (the backup)
};

// The copies of one command. "Ja, alle" holds for the rest of the command; after "Abbrechen"
// nothing more is copied.
class FileCopier {
 public:
  FileCopier(Ui& ui, OverwriteMode mode) : ui_(ui), mode_(mode) {}

  // Copies the files of source_dir whose names match pattern into target_dir (created when it is
  // missing). A pattern that matches nothing is no failure: a school may have no classes yet.
  // When also is given, a matching name is copied only if it accepts it as well.
  void CopyMatching(const std::filesystem::path& source_dir, std::string_view pattern,
                    const std::filesystem::path& target_dir,
                    const std::function<bool(std::string_view)>& also = nullptr);

  // Copies the directory source_dir with everything below it to target_dir / its name, merging
  // with what is there. A missing source directory is a failure.
  void CopyTree(const std::filesystem::path& source_dir, const std::filesystem::path& target_dir);

  // Writes text to target (replacing what is there) as the copier would write a file, and records
  // the outcome; used for the teacher list whose line ends the backup rewrites.
  void WriteConverted(const std::filesystem::path& source, const std::filesystem::path& target,
                      std::string_view bytes);

  // Records something that could not be copied, for the one report at the end.
  void AddFailure(const std::filesystem::path& source, const std::filesystem::path& target,
                  std::string reason);

  bool cancelled() const { return cancelled_; }
  const std::vector<std::filesystem::path>& copied() const { return copied_; }
  // Files that were already there and kept because the person answered "Nein" or "Abbrechen".
  const std::vector<std::filesystem::path>& left_out() const { return left_out_; }
  const std::vector<CopyFailure>& failures() const { return failures_; }

  // The text of the one error box about the failures; empty when nothing failed.
  std::string FailureReport() const;

 private:
  // The entries of a target directory by their case-folded names, read once per directory so
  // that a directory of thousands of class files is not searched again for every file.
  using NameIndex = std::map<std::u32string, std::filesystem::path>;
  static NameIndex IndexOf(const std::filesystem::path& dir);

  void CopyOneFile(const std::filesystem::path& source, const std::filesystem::path& target_dir,
                   NameIndex& names);
  void CopyTreeInto(const std::filesystem::path& source_dir,
                    const std::filesystem::path& target_dir);
  // Whether the existing target may be replaced; asks the person where that is the rule.
  bool MayReplace(const std::filesystem::path& source, const std::filesystem::path& target);
  bool EnsureDirectory(const std::filesystem::path& dir, const std::filesystem::path& source);

  Ui& ui_;
  OverwriteMode mode_;
  bool yes_to_all_ = false;
  bool cancelled_ = false;
  std::vector<std::filesystem::path> copied_;
  std::vector<std::filesystem::path> left_out_;
  std::vector<CopyFailure> failures_;
};

// Whether path lies at or below dir, both as they resolve on disk (links, "..").
bool PathIsSameOrInside(const std::filesystem::path& path, const std::filesystem::path& dir);

// Text with every line end (CR LF, LF or a lone CR) made CR LF, the last line included.
std::string WithCrLfLineEnds(std::string_view text);

}  // namespace tabulon

#include "app/copy.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <system_error>

#include "files/files.h"

namespace tabulon {

namespace fs = std::filesystem;

namespace {

// Code points of a UTF-8 name, folded so that "a" and "A" (and "ä" and "Ä") compare equal.
// A byte that is not valid UTF-8 stands for itself.
std::vector<UChar32> FoldedCodePoints(std::string_view text) {
  std::vector<UChar32> out;
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  int32_t length = static_cast<int32_t>(text.size());
  int32_t i = 0;
  while (i < length) {
    int32_t start = i;
    UChar32 c;
    U8_NEXT(s, i, length, c);
    if (c < 0) c = 0x110000 + s[start];  // outside Unicode, so it only matches itself
    out.push_back(c < 0x110000 ? u_foldCase(c, U_FOLD_CASE_DEFAULT) : c);
  }
  return out;
}

std::u32string FoldedKey(std::string_view name) {
  std::vector<UChar32> cps = FoldedCodePoints(name);
  return std::u32string(cps.begin(), cps.end());
}

bool LessByName(const fs::path& a, const fs::path& b) {
  return a.filename().string() < b.filename().string();
}

}  // namespace

bool PathIsSameOrInside(const fs::path& path, const fs::path& dir) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(path, ec);
  if (ec) return false;
  fs::path d = fs::weakly_canonical(dir, ec);
  if (ec) return false;
  auto pi = p.begin();
  for (auto di = d.begin(); di != d.end(); ++di, ++pi) {
    if (di->empty()) continue;  // a trailing separator
    if (pi == p.end() || *pi != *di) return false;
  }
  return true;
}

bool NameMatches(std::string_view pattern, std::string_view name) {
  const std::vector<UChar32> p = FoldedCodePoints(pattern);
  const std::vector<UChar32> n = FoldedCodePoints(name);
  // Greedy matching with one back-track point: the last '*' seen and where it began to match.
  std::size_t pi = 0, ni = 0;
  std::size_t star = p.size(), star_match = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      star_match = ni;
    } else if (star != p.size()) {
      pi = star + 1;
      ni = ++star_match;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

std::optional<fs::path> FindEntryNoCase(const fs::path& dir, std::string_view name) {
  std::error_code ec;
  if (fs::exists(dir / std::string(name), ec)) return dir / std::string(name);
  const std::vector<UChar32> folded = FoldedCodePoints(name);
  std::vector<fs::path> hits;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (FoldedCodePoints(it->path().filename().string()) == folded) hits.push_back(it->path());
  }
  if (hits.empty()) return std::nullopt;
  std::sort(hits.begin(), hits.end(), LessByName);
  return hits.front();
}

std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16 + 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\r\n";
    } else {
      out += c;
    }
  }
  if (!out.empty() && out.back() != '\n') out += "\r\n";
  return out;
}

void FileCopier::AddFailure(const fs::path& source, const fs::path& target, std::string reason) {
  failures_.push_back({source, target, std::move(reason)});
}

bool FileCopier::EnsureDirectory(const fs::path& dir, const fs::path& source) {
  std::error_code ec;
  if (fs::is_directory(dir, ec)) return true;
  if (fs::exists(fs::symlink_status(dir, ec))) {
    AddFailure(source, dir, "am Ziel liegt eine Datei statt eines Verzeichnisses");
    return false;
  }
  ec.clear();
  fs::create_directory(dir, ec);
  if (ec) {
    AddFailure(source, dir, "Verzeichnis kann nicht angelegt werden: " + SystemReason(ec));
    return false;
  }
  return true;
}

bool FileCopier::MayReplace(const fs::path& source, const fs::path& target) {
  if (mode_ == OverwriteMode::kAlways || yes_to_all_) return true;
  const std::string question = "Die Datei\r" + DisplayPath(target) +
                               "\rist schon vorhanden.\r\rSoll sie durch die Datei\r" +
                               DisplayPath(source) + "\rersetzt werden?";
  switch (ui_.AskOverwrite(question)) {
    case OverwriteChoice::kYes:
      return true;
    case OverwriteChoice::kYesToAll:
      yes_to_all_ = true;
      return true;
    case OverwriteChoice::kNo:
      break;
    case OverwriteChoice::kCancel:
      cancelled_ = true;
      break;
  }
  left_out_.push_back(target);
  return false;
}

FileCopier::NameIndex FileCopier::IndexOf(const fs::path& dir) {
  std::vector<fs::path> entries;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    entries.push_back(it->path());
  }
  std::sort(entries.begin(), entries.end(), LessByName);
  NameIndex names;
  for (const fs::path& e : entries) names.emplace(FoldedKey(e.filename().string()), e);
  return names;
}

void FileCopier::CopyOneFile(const fs::path& source, const fs::path& target_dir, NameIndex& names) {
  if (cancelled_) return;
  const std::string name = source.filename().string();
  // A file that differs only in case is the same file for Windows; replace it rather than
  // putting a second spelling beside it.
  const std::u32string key = FoldedKey(name);
  std::error_code ec;
  fs::path target = target_dir / name;
  if (!fs::exists(fs::symlink_status(target, ec))) {
    auto known = names.find(key);
    if (known != names.end()) target = known->second;
  }
  fs::file_status st = fs::status(target, ec);
  if (fs::exists(st)) {
    if (fs::is_directory(st)) {
      AddFailure(source, target, "am Ziel liegt ein Verzeichnis gleichen Namens");
      return;
    }
    if (fs::equivalent(source, target, ec)) {
      AddFailure(source, target, "Quelle und Ziel sind dieselbe Datei");
      return;
    }
    if (!MayReplace(source, target)) return;
  }
  try {
    WriteFileAtomic(target, ReadFileBytes(source));
  } catch (const FileError& e) {
    AddFailure(source, target, e.what_failed() + " fehlgeschlagen: " + e.reason());
    return;
  }
  // Keep the date of the original, as a copy on Windows does.
  fs::file_time_type when = fs::last_write_time(source, ec);
  if (!ec) fs::last_write_time(target, when, ec);
  names.emplace(key, target);
  copied_.push_back(target);
}

void FileCopier::CopyMatching(const fs::path& source_dir, std::string_view pattern,
                              const fs::path& target_dir,
                              const std::function<bool(std::string_view)>& also) {
  if (cancelled_) return;
  std::vector<fs::path> matches;
  std::error_code ec;
  for (fs::directory_iterator it(source_dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code kind_ec;
    const std::string name = it->path().filename().string();
    if (IsOwnTempFileName(name)) continue;  // a save that never finished is no data
    if (NameMatches(pattern, name) && (!also || also(name)) && it->is_regular_file(kind_ec)) {
      matches.push_back(it->path());
    }
  }
  if (matches.empty()) return;
  std::sort(matches.begin(), matches.end(), LessByName);
  if (!EnsureDirectory(target_dir, source_dir / std::string(pattern))) return;
  NameIndex names = IndexOf(target_dir);
  for (const fs::path& m : matches) CopyOneFile(m, target_dir, names);
}

void FileCopier::CopyTree(const fs::path& source_dir, const fs::path& target_dir) {
  if (cancelled_) return;
  fs::path source = source_dir.has_filename() ? source_dir : source_dir.parent_path();
  std::string reason;
  switch (CheckDirectory(source, &reason)) {
    case DirectoryState::kDirectory:
      break;
    case DirectoryState::kMissing:
      AddFailure(source, target_dir, "Verzeichnis nicht gefunden");
      return;
    case DirectoryState::kNotADirectory:
      AddFailure(source, target_dir, "ist kein Verzeichnis");
      return;
    case DirectoryState::kNoAccess:
      // It is there; only, it cannot be entered.
      AddFailure(source, target_dir, "Verzeichnis kann nicht geöffnet werden: " + reason);
      return;
  }
  const std::string name = source.filename().string();
  fs::path target = FindEntryNoCase(target_dir, name).value_or(target_dir / name);
  // A copy into itself would never end.
  if (PathIsSameOrInside(target, source)) {
    AddFailure(source, target, "das Ziel liegt im Quellverzeichnis");
    return;
  }
  if (!EnsureDirectory(target_dir, source)) return;
  CopyTreeInto(source, target);
}

void FileCopier::CopyTreeInto(const fs::path& source_dir, const fs::path& target_dir) {
  if (cancelled_ || !EnsureDirectory(target_dir, source_dir)) return;
  std::vector<fs::path> entries;
  std::error_code ec;
  for (fs::directory_iterator it(source_dir, ec), end; !ec && it != end; it.increment(ec)) {
    entries.push_back(it->path());
  }
  if (ec) {
    AddFailure(source_dir, target_dir,
               "Verzeichnis kann nicht gelesen werden: " + SystemReason(ec));
    return;
  }
  std::sort(entries.begin(), entries.end(), LessByName);
  NameIndex names = IndexOf(target_dir);
  for (const fs::path& e : entries) {
    if (cancelled_) return;
    // What a killed save left behind is neither data nor worth a failure line.
    if (IsOwnTempFileName(e.filename().string())) continue;
    fs::file_status own = fs::symlink_status(e, ec);
    if (fs::is_directory(own)) {
      const std::string name = e.filename().string();
      auto known = names.find(FoldedKey(name));
      CopyTreeInto(e, known != names.end() ? known->second : target_dir / name);
    } else if (fs::is_regular_file(fs::status(e, ec))) {
      CopyOneFile(e, target_dir, names);
    } else {
      // Links to directories are not followed (they could lead back into the tree), and
      // devices or pipes are no data.
      AddFailure(e, target_dir / e.filename(), "keine gewöhnliche Datei");
    }
  }
}

void FileCopier::WriteConverted(const fs::path& source, const fs::path& target,
                                std::string_view bytes) {
  try {
    WriteFileAtomic(target, bytes);
  } catch (const FileError& e) {
    AddFailure(source, target, e.what_failed() + " fehlgeschlagen: " + e.reason());
    return;
  }
  copied_.push_back(target);
}

std::string FileCopier::FailureReport() const {
  if (failures_.empty()) return "";
  std::string text = "Folgendes konnte NICHT kopiert werden:";
  for (const CopyFailure& f : failures_) {
    text += "\r" + DisplayPath(f.source) + "\r    nach " + DisplayPath(f.target) + ": " + f.reason;
  }
  return text;
}

}  // namespace tabulon

#include "sheets/class/class_list.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <system_error>

#include "base/sheet.h"
#include "files/files.h"
#include "tables/values.h"
#include "text/encoding.h"

namespace tabulon::class_sheet {
namespace {

// Code points with simple case folding, so that "BÄC001" and "bäc001" meet.
std::u32string Folded(std::string_view utf8) {
  std::u32string out;
  const auto* s = reinterpret_cast<const uint8_t*>(utf8.data());
  const int32_t length = static_cast<int32_t>(utf8.size());
  int32_t i = 0;
  while (i < length) {
    UChar32 c = 0;
    U8_NEXT(s, i, length, c);
    if (c < 0) c = 0xFFFD;
    out.push_back(static_cast<char32_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT)));
  }
  return out;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Splits a file name into its first six characters and the rest, or nothing when it is shorter.
std::optional<std::pair<std::string, std::string>> SplitAfterId(std::string_view name) {
  const std::string id = text::CutChars(name, kClassIdChars);
  if (text::CharCount(id) != kClassIdChars) return std::nullopt;
  return std::make_pair(id, std::string(name.substr(id.size())));
}

std::vector<std::string> FileNamesIn(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(dir, ec);
  if (ec) return names;
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::error_code type_ec;
    if (!it->is_regular_file(type_ec)) continue;
    const std::u8string n = it->path().filename().u8string();
    names.emplace_back(n.begin(), n.end());
  }
  return names;
}

std::filesystem::path PathOf(const std::filesystem::path& dir, const std::string& utf8_name) {
  return dir / std::filesystem::path(std::u8string(utf8_name.begin(), utf8_name.end()));
}

}  // namespace

bool IsValidClassId(std::string_view id) {
  if (text::CharCount(id) != kClassIdChars) return false;
  if (!IsSafeNameComponent(id)) return false;
  if (!text::FitsCp850(id)) return false;
  return id != kNoClass;
}

int CompareListOrder(std::string_view a, std::string_view b) {
  const std::u32string fa = Folded(a);
  const std::u32string fb = Folded(b);
  if (fa != fb) return fa < fb ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) { return Folded(a) == Folded(b); }

std::optional<std::string> ClassIdOfTable0File(std::string_view file_name) {
  auto parts = SplitAfterId(file_name);
  if (!parts || !EqualsIgnoringAsciiCase(parts->second, "00.CSV")) return std::nullopt;
  if (!IsValidClassId(parts->first)) return std::nullopt;
  return parts->first;
}

std::vector<std::string> ClassListFromNames(const std::vector<std::string>& file_names) {
  std::vector<std::string> list;
  for (const std::string& name : file_names) {
    if (auto id = ClassIdOfTable0File(name)) list.push_back(std::move(*id));
  }
  std::sort(list.begin(), list.end(),
            [](const std::string& a, const std::string& b) { return CompareListOrder(a, b) < 0; });
  list.erase(std::unique(list.begin(), list.end()), list.end());
  return list;
}

std::vector<std::string> ReadClassList(const std::filesystem::path& class_dir) {
  return ClassListFromNames(FileNamesIn(class_dir));
}

int FindClass(const std::vector<std::string>& list, std::string_view id) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == id) return static_cast<int>(i);
  }
  return -1;
}

int InsertClass(std::vector<std::string>& list, const std::string& id) {
  auto at = std::upper_bound(
      list.begin(), list.end(), id,
      [](const std::string& a, const std::string& b) { return CompareListOrder(a, b) < 0; });
  const auto inserted = list.insert(at, id);
  return static_cast<int>(inserted - list.begin());
}

std::string BadClassIdMessage(std::string_view id) {
  return "Die Statistik-Klassenbezeichnung:\r" + std::string(id) + "\rist fehlerhaft!";
}

std::string ClassExistsMessage(std::string_view id) {
  return "Eine Klasse mit der Statistik-Bezeichnung: " + std::string(id) +
         "\rexistiert schon und kann nicht überschrieben werden!";
}

std::optional<std::string> CheckNewClass(const std::vector<std::string>& list,
                                         std::string_view id) {
  if (!IsValidClassId(id)) return BadClassIdMessage(id);
  for (const std::string& entry : list) {
    if (SameIgnoringCase(entry, id)) return ClassExistsMessage(id);
  }
  return std::nullopt;
}

int IndexAfterRemoval(int index, int size) {
  if (size <= 1) return -1;
  return index >= size - 1 ? size - 2 : index;
}

std::vector<std::filesystem::path> ClassFiles(const std::string& id,
                                              const std::filesystem::path& class_dir,
                                              const std::filesystem::path& program_dir) {
  std::vector<std::filesystem::path> files;
  if (!IsValidClassId(id)) return files;
  for (const std::string& name : FileNamesIn(class_dir)) {
    auto parts = SplitAfterId(name);
    if (!parts || parts->first != id) continue;
    const std::string& rest = parts->second;  // two characters and ".CSV"
    if (text::CharCount(rest) != 6) continue;
    const std::string two = text::CutChars(rest, 2);
    if (!EqualsIgnoringAsciiCase(std::string_view(rest).substr(two.size()), ".CSV")) continue;
    files.push_back(PathOf(class_dir, name));
  }
  for (const std::string& name : FileNamesIn(program_dir)) {
    auto parts = SplitAfterId(name);
    if (parts && parts->first == id && EqualsIgnoringAsciiCase(parts->second, "ID.CSV")) {
      files.push_back(PathOf(program_dir, name));
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::filesystem::path> MoveClassToTrash(const std::string& id,
                                                    const std::filesystem::path& class_dir,
                                                    const std::filesystem::path& program_dir,
                                                    Platform& platform) {
  std::vector<std::filesystem::path> left;
  for (const std::filesystem::path& file : ClassFiles(id, class_dir, program_dir)) {
    if (!platform.MoveToTrash(file)) left.push_back(file);
  }
  return left;
}

std::string NotMovedMessage(const std::vector<std::filesystem::path>& files, bool class_kept) {
  std::string text = "Folgende Dateien konnten nicht in den Papierkorb verschoben werden:\r";
  for (const std::filesystem::path& f : files) text += DisplayPath(f) + "\r";
  text += class_kept ? "\rDie Klasse bleibt in der Liste."
                     : "\rDie Klasse wurde aus der Liste entfernt.";
  return text;
}

bool ClassHasTable0File(const std::string& id, const std::filesystem::path& class_dir) {
  for (const std::string& name : FileNamesIn(class_dir)) {
    if (ClassIdOfTable0File(name) == id) return true;
  }
  return false;
}

void TestClassNumbering(const std::vector<std::string>& list, Ui& ui, ErrorFlags& flags) {
  if (list.empty()) {
    ui.Message(MessageKind::kError, kEmptyClassList);
    return;
  }
  constexpr int kOutside = 900;  // running numbers from here on are not part of the numbering
  std::array<int, kOutside> count{};
  int max = 0;
  for (const std::string& id : list) {
    const std::string tail = text::CutChars(id, kClassIdChars);
    const std::string first3 = text::CutChars(tail, 3);
    const std::int32_t n = CellNumber(std::string_view(tail).substr(first3.size()), true, 7, flags);
    if (n < 0 || n >= kOutside) continue;
    ++count[static_cast<std::size_t>(n)];
    max = std::max(max, n);
  }
  int missing = 0;
  int repeated = 0;
  for (int k = max; k >= 1; --k) {
    if (count[static_cast<std::size_t>(k)] == 0) missing = k;
    if (count[static_cast<std::size_t>(k)] >= 2) repeated = k;
  }
  if (missing > 0) {
    ui.Message(MessageKind::kError, "(Erste) fehlende Klassen-Nummer: " + std::to_string(missing));
  } else {
    ui.Message(MessageKind::kInformation, kNumberingComplete);
  }
  if (repeated > 0) {
    ui.Message(MessageKind::kError,
               "(Erste) mehrfach vorkommende Klassen-Nummer: " + std::to_string(repeated));
  }
}

}  // namespace tabulon::class_sheet

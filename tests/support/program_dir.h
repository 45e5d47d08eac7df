// A program directory as the tests need it: key files from data/, a settings file, and the paths
// of the school's data files.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "base/settings.h"

namespace tabulon::testing {

inline const std::filesystem::path kSampleData = std::filesystem::path(TABULON_SOURCE_DIR) / "data";

// The key files of the school sheet shipped in data/.
inline constexpr std::initializer_list<const char*> kSchoolKeyFiles = {"SSSA.SSD", "SBBG3.SSD",
                                                                       "SBBG6.SSD", "SBBG7.SSD"};

// Copies key files shipped in data/ into `prog`.
inline void CopyKeyFiles(const std::filesystem::path& prog,
                         std::initializer_list<const char*> names = kSchoolKeyFiles) {
  std::filesystem::create_directories(prog);
  for (const char* name : names) std::filesystem::copy_file(kSampleData / name, prog / name);
}

// `n` lines of a made-up school-type key file, as Windows writes it.
inline std::string KeyFileLines(int n) {
  std::string s;
  for (int i = 0; i < n; ++i)
    s += std::to_string(100 + i) + ";Schulart " + std::to_string(i) + "\r\n";
  return s;
}

// Writes the settings file of `prog` for school `dst_nr`, read-write unless told otherwise;
// `adjust` may change further fields before the file is written.
inline void WriteSchoolSettings(const std::filesystem::path& prog, const std::string& dst_nr,
                                bool read_write = true,
                                const std::function<void(Settings&)>& adjust = nullptr) {
  Settings s;
  s.dst_nr = dst_nr;
  s.read_only = read_write ? 0 : 1;
  if (adjust) adjust(s);
  WriteSettingsFile(prog, s);
}

// The data file of school table `table` in the school data directory `school_dir`.
inline std::filesystem::path SchoolTableFile(const std::filesystem::path& school_dir,
                                             const std::string& dst_nr, int table) {
  return school_dir / "SCHULE" /
         (dst_nr + (table < 10 ? "0" : "") + std::to_string(table) + ".CSV");
}

}  // namespace tabulon::testing

// The tests of every folder use these by their short names.
namespace tabulon {
using testing::KeyFileLines;
using testing::kSampleData;
}  // namespace tabulon

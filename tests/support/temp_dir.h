// A fresh program directory per test, removed afterwards; and small file helpers.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

namespace tabulon::testing {

class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("tabulon-test-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    // Tests may leave read-only directories behind; make them writable again first.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
  std::filesystem::create_directories(p.parent_path());
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Files by their path relative to a directory, with their bytes.
using Files = std::map<std::string, std::string>;

// Every regular file below `dir`; none when it does not exist.
inline Files Tree(const std::filesystem::path& dir) {
  Files files;
  if (!std::filesystem::exists(dir)) return files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
    if (e.is_regular_file()) {
      files[std::filesystem::relative(e.path(), dir).string()] = ReadBytes(e.path());
    }
  }
  return files;
}

inline void WriteTree(const std::filesystem::path& dir, const Files& files) {
  for (const auto& [name, bytes] : files) WriteBytes(dir / name, bytes);
}

// Whether the tests run as root, who may write into read-only directories.
inline bool RunningAsRoot() { return ::geteuid() == 0; }

}  // namespace tabulon::testing

// The tests of every folder use these by their short names.
namespace tabulon {
namespace fs = std::filesystem;
using testing::Files;
using testing::ReadBytes;
using testing::TempDir;
using testing::Tree;
using testing::WriteBytes;
using testing::WriteTree;
}  // namespace tabulon

// Runs tabulon-cli in-process and keeps what it printed.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/program_dir.h"
#include "support/temp_dir.h"

namespace tabulon::testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
  // Whole results compare at once: status, standard output and standard error together.
  bool operator==(const CliResult&) const = default;
};

inline void PrintTo(const CliResult& r, std::ostream* os) {
  *os << "{status " << r.status << ", out \"" << r.out << "\", err \"" << r.err << "\"}";
}

// `exe_dir` stands for the directory of the program file, where the settings file is looked for.
inline CliResult RunCli(const std::vector<std::string>& args,
                        const std::filesystem::path& exe_dir) {
  std::ostringstream out, err;
  int status = cli::Run(args, exe_dir, out, err);
  return {status, out.str(), err.str()};
}

// A program directory of its own per test; Run() calls tabulon-cli on it.
class CliTest : public ::testing::Test {
 protected:
  // Copies these key files and writes the settings of school `dst_nr`, read-write.
  void Prepare(std::initializer_list<const char*> key_files, const std::string& dst_nr = "4711") {
    CopyKeyFiles(dir.path(), key_files);
    WriteSchoolSettings(dir.path(), dst_nr);
  }
  CliResult Run(const std::vector<std::string>& args) const { return RunCli(args, dir.path()); }
  // A file of the class sheet of school 4711.
  std::filesystem::path Klasse(const std::string& name) const {
    return dir / "4711" / "KLASSE" / name;
  }

  TempDir dir;
};

}  // namespace tabulon::testing

// The tests of every folder use these by their short names.
namespace tabulon {
using testing::CliResult;
using testing::CliTest;
using testing::RunCli;
}  // namespace tabulon

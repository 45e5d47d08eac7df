// Runs tabulon-cli in-process and keeps what it printed.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tabulon::testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

// `exe_dir` stands for the directory of the program file, where the settings file is looked for.
inline CliResult RunCli(const std::vector<std::string>& args,
                        const std::filesystem::path& exe_dir) {
  std::ostringstream out, err;
  int status = cli::Run(args, exe_dir, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace tabulon::testing

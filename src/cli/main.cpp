#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "base/program_dir.h"
#include "cli/cli.h"

namespace {
// The executable's directory, as for the desktop program.
std::filesystem::path ExecutableDir(const char* argv0) {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::absolute(argv0, ec);
  return exe.parent_path();
}
}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const std::filesystem::path exe_dir = ExecutableDir(argv[0]);
  // The same rule as the desktop program: beside the executable, or per user when installed.
  auto program_dir = [&exe_dir] {
    tabulon::ProgramDirChoice choice = tabulon::ChooseProgramDir(
        exe_dir, tabulon::PerUserProgramDir(), tabulon::InstalledDataDir(exe_dir));
    if (!choice.error.empty()) {
      std::string text = choice.error;
      for (char& c : text) c = c == '\r' ? '\n' : c;
      std::cerr << "Fehler: " << text << "\n";
    }
    return choice.program_dir;
  };
  return tabulon::cli::Run(args, program_dir, std::cout, std::cerr);
}

#include "base/program_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <system_error>

#include "base/settings.h"
#include "files/files.h"

namespace tabulon {
namespace fs = std::filesystem;

fs::path InstalledDataDir(const fs::path& exe_dir) {
  return exe_dir.parent_path() / "share" / "tabulon";
}

fs::path PerUserProgramDir() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && *xdg == '/') return fs::path(xdg) / "tabulon";
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return fs::path(home) / ".local" / "share" / "tabulon";
  return {};
}

bool DirectoryIsWritable(const fs::path& dir) {
  // Permission bits do not tell the whole story (read-only mounts, root): make a file and remove
  // it.
  const fs::path probe = dir / (".tabulon-probe-" + std::to_string(::getpid()));
  {
    std::ofstream out(probe, std::ios::binary);
    if (!out) return false;
  }
  std::error_code ec;
  fs::remove(probe, ec);
  return true;
}

namespace {

std::string CannotCreate(const fs::path& dir, const std::string& reason) {
  return "Das persönliche Programmverzeichnis kann nicht angelegt werden:\r" + DisplayPath(dir) +
         "\r" + reason + "\rDas Programm arbeitet nur lesend.";
}

// Copies the shipped files that the directory lacks. Returns "" or the reason of the first
// failure; the files copied until then stay.
std::string CopyMissing(const fs::path& shipped_dir, const fs::path& dir) {
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(shipped_dir, ec)) {
    if (!e.is_regular_file(ec)) continue;
    const fs::path target = dir / e.path().filename();
    if (fs::exists(target, ec)) continue;
    try {
      WriteFileAtomic(target, ReadFileBytes(e.path()));
    } catch (const FileError& error) {
      return error.Message();
    }
  }
  return "";
}

}  // namespace

ProgramDirChoice ChooseProgramDir(const fs::path& exe_dir, const fs::path& per_user_dir,
                                  const fs::path& shipped_dir) {
  ProgramDirChoice choice;
  std::error_code ec;
  const bool installed = fs::is_directory(shipped_dir, ec);
  if (!installed && DirectoryIsWritable(exe_dir)) {
    choice.program_dir = WithTrailingSeparator(exe_dir);
    choice.help_dir = exe_dir / "help";
    return choice;
  }
  choice.per_user = true;
  choice.help_dir = installed ? shipped_dir / "help" : exe_dir / "help";
  if (per_user_dir.empty()) {
    // Nowhere to go: stay beside the executable, which then is only read.
    choice.program_dir = WithTrailingSeparator(exe_dir);
    choice.error = CannotCreate("~/.local/share/tabulon", "HOME ist nicht gesetzt.");
    return choice;
  }
  choice.program_dir = WithTrailingSeparator(per_user_dir);
  fs::create_directories(per_user_dir, ec);
  if (ec || !fs::is_directory(per_user_dir)) {
    choice.error = CannotCreate(per_user_dir, ec ? ec.message() : "kein Verzeichnis");
    return choice;
  }
  if (installed) {
    std::string reason = CopyMissing(shipped_dir, per_user_dir);
    if (!reason.empty()) choice.error = CannotCreate(per_user_dir, reason);
  }
  return choice;
}

}  // namespace tabulon

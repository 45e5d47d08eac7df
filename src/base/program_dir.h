// Where the program directory is. Run from its build folder (or unpacked anywhere writable) the
// program keeps settings, definition files and lists beside the executable, as it always did.
// Installed by the package, the executable's directory belongs to the system: each user then
// gets a program directory of their own, filled once with the files the package ships.
#pragma once

#include <filesystem>
#include <string>

namespace tabulon {

// The directory the installed package keeps its shipped files in, relative to the executable:
// bin/../share/tabulon.
std::filesystem::path InstalledDataDir(const std::filesystem::path& exe_dir);

// The per-user directory: $XDG_DATA_HOME/tabulon, else $HOME/.local/share/tabulon. Empty when
// neither variable is set.
std::filesystem::path PerUserProgramDir();

struct ProgramDirChoice {
  std::filesystem::path program_dir;
  // The help pages: the program directory's "help", or the installed data directory's.
  std::filesystem::path help_dir;
  bool per_user = false;
  // Not empty when the per-user directory could not be made or filled: the German text of the
  // error box. The program then runs read-only on whatever it has.
  std::string error;
};

// The executable's directory when it is writable and not part of an installation (no shipped
// data directory beside it); else `per_user_dir`, created when missing and given every shipped
// file of `shipped_dir` (the key files; the help stays there) that it does not hold yet. A file
// already there is never overwritten.
ProgramDirChoice ChooseProgramDir(const std::filesystem::path& exe_dir,
                                  const std::filesystem::path& per_user_dir,
                                  const std::filesystem::path& shipped_dir);

// Whether files can be created in a directory (tried, not guessed from permission bits).
bool DirectoryIsWritable(const std::filesystem::path& dir);

}  // namespace tabulon

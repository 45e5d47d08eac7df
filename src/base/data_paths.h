// Where the data lie: the data base directory and the school data directory beneath it.
#pragma once

#include <filesystem>
#include <string>

#include "base/settings.h"

namespace tabulon {

struct DataPaths {
  std::filesystem::path program_dir;      // with a trailing separator
  std::filesystem::path data_base_dir;    // with a trailing separator
  std::filesystem::path school_data_dir;  // data base directory + DST-Nr. + separator
};

// As at start: the program directory when the portable option is on, else the settings' data
// base directory unless it is empty, else the program directory; then the DST-Nr. below it.
DataPaths FormDataPaths(const Settings& settings, const std::filesystem::path& program_dir);

// The data base directory as the settings name it: a relative text counts from the program
// directory, where the desktop program runs, so that the program and the command line, started
// from anywhere, read and write the same files. Empty, or the portable option: the program
// directory.
std::filesystem::path ResolveDataBaseDir(const Settings& settings,
                                         const std::filesystem::path& program_dir);
// The same for a directory text alone (the portable option aside): empty is the program
// directory, a relative text counts from it.
std::filesystem::path DataBaseDirFromText(const std::string& text,
                                          const std::filesystem::path& program_dir);

// Whether the DST-Nr. can name the school data directory: the one check the session, the export,
// import and backup and every command-line verb make before they touch the data.
bool IsUsableDstNr(const std::string& dst_nr);
// "Die DST-Nr. "<nr>" kann nicht als Verzeichnisname dienen!", control characters shown escaped.
std::string UnusableDstNrText(const std::string& dst_nr);

// The school data directory for a data base directory and a DST-Nr.
std::filesystem::path SchoolDataDir(const std::filesystem::path& data_base_dir,
                                    const std::string& dst_nr);

}  // namespace tabulon

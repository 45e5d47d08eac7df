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

// The school data directory for a data base directory and a DST-Nr.
std::filesystem::path SchoolDataDir(const std::filesystem::path& data_base_dir,
                                    const std::string& dst_nr);

}  // namespace tabulon

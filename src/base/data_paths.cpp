#include "base/data_paths.h"

namespace tabulon {

DataPaths FormDataPaths(const Settings& settings, const std::filesystem::path& program_dir) {
  DataPaths p;
  p.program_dir = WithTrailingSeparator(program_dir);
  if (settings.portable != 0 || settings.data_base_dir.empty()) {
    p.data_base_dir = p.program_dir;
  } else {
    p.data_base_dir = WithTrailingSeparator(settings.data_base_dir);
  }
  p.school_data_dir = SchoolDataDir(p.data_base_dir, settings.dst_nr);
  return p;
}

std::filesystem::path SchoolDataDir(const std::filesystem::path& data_base_dir,
                                    const std::string& dst_nr) {
  return WithTrailingSeparator(WithTrailingSeparator(data_base_dir).string() + dst_nr);
}

}  // namespace tabulon

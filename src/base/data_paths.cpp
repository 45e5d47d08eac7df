#include "base/data_paths.h"

#include "files/files.h"
#include "text/encoding.h"

namespace tabulon {

std::filesystem::path ResolveDataBaseDir(const Settings& settings,
                                         const std::filesystem::path& program_dir) {
  if (settings.portable != 0) return WithTrailingSeparator(program_dir);
  return DataBaseDirFromText(settings.data_base_dir, program_dir);
}

std::filesystem::path DataBaseDirFromText(const std::string& text,
                                          const std::filesystem::path& program_dir) {
  std::filesystem::path prog = WithTrailingSeparator(program_dir);
  if (text.empty()) return prog;
  std::filesystem::path dir(text);
  if (dir.is_relative()) dir = prog / dir;
  return WithTrailingSeparator(dir);
}

DataPaths FormDataPaths(const Settings& settings, const std::filesystem::path& program_dir) {
  DataPaths p;
  p.program_dir = WithTrailingSeparator(program_dir);
  p.data_base_dir = ResolveDataBaseDir(settings, program_dir);
  p.school_data_dir = SchoolDataDir(p.data_base_dir, settings.dst_nr);
  return p;
}

bool IsUsableDstNr(const std::string& dst_nr) { return IsSafeNameComponent(dst_nr); }

std::string UnusableDstNrText(const std::string& dst_nr) {
  return "Die DST-Nr. \"" + text::EscapeControls(dst_nr) +
         "\" kann nicht als Verzeichnisname dienen!";
}

std::filesystem::path SchoolDataDir(const std::filesystem::path& data_base_dir,
                                    const std::string& dst_nr) {
  return WithTrailingSeparator(WithTrailingSeparator(data_base_dir).string() + dst_nr);
}

}  // namespace tabulon

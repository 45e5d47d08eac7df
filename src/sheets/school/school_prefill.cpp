#include "sheets/school/school_prefill.h"

#include <optional>
#include <system_error>

#include "files/files.h"

namespace tabulon {

bool PrefillSchoolTable2(Grid& grid, Ui& ui) {
  const std::optional<SchoolTypeAndYears> choice = ui.AskSchoolTypeAndYears();
  if (!choice) return false;
  return FillTypeAndYearRows(grid, choice->code.substr(0, 3), choice->years);
}

bool TakeOverBasicData(const std::filesystem::path& school_data_dir, const std::string& dst_nr,
                       Ui& ui) {
  const std::string name = dst_nr + "00.CSV";
  const std::filesystem::path source = school_data_dir / "SCHNELL" / name;
  const std::filesystem::path target_dir = school_data_dir / "SCHULE";
  const std::filesystem::path target = target_dir / name;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(source, ec)) {
    ui.Message(MessageKind::kError, kNoBasicDataFile);
    return false;
  }
  if (std::filesystem::exists(target, ec) &&
      !ui.Ask(MessageKind::kConfirmation, kOverwriteBasicDataQuestion)) {
    return false;
  }
  // A failed copy leaves the old target as it was; the person learns why, and the table is
  // reloaded all the same.
  try {
    const std::string bytes = ReadFileBytes(source);
    std::filesystem::create_directories(target_dir, ec);
    WriteFileAtomic(target, bytes);
  } catch (const FileError& e) {
    ui.Message(MessageKind::kError, e.Message());
    return false;
  }
  return true;
}

}  // namespace tabulon

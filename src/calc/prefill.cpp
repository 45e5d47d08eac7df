#include "calc/prefill.h"

#include <optional>
#include <system_error>
#include <vector>

#include "files/files.h"

namespace tabulon {
namespace {

constexpr const char* kTotalYear = "9999";
constexpr int kTypeCol = 1;
constexpr int kYearCol = 2;

std::vector<std::string> YearLabels(BirthYearRange years) {
  std::vector<std::string> labels;
  for (int y = years.von; y <= years.bis; ++y) labels.push_back(std::to_string(y));
  labels.push_back(kTotalYear);
  return labels;
}

// Places one label; true when the grid changed.
bool PlaceTypeAndYear(Grid& grid, const std::string& code, const std::string& label) {
  std::optional<int> first_without_year;
  for (int row = 0; row < grid.RowCount(); ++row) {
    if (grid.Cell(kTypeCol, row) != code) continue;
    if (grid.Cell(kYearCol, row) == label) return false;
    if (!first_without_year && grid.Cell(kYearCol, row).empty()) first_without_year = row;
  }
  if (first_without_year) {
    // The header and ES rows never take a year.
    if (*first_without_year <= 1) return false;
    grid.SetCell(kYearCol, *first_without_year, label);
    return true;
  }
  calc::GrowRows(grid, 1);
  grid.SetCell(kTypeCol, grid.RowCount() - 1, code);
  grid.SetCell(kYearCol, grid.RowCount() - 1, label);
  return true;
}

}  // namespace

BirthYearRange AfterVonChanged(BirthYearRange range) {
  if (range.von > range.bis) range.bis = range.von;
  return range;
}

BirthYearRange AfterBisChanged(BirthYearRange range) {
  if (range.von > range.bis) range.von = range.bis;
  return range;
}

bool FillTypeAndYearRows(Grid& grid, const std::string& code, BirthYearRange years) {
  bool changed = false;
  for (const std::string& label : YearLabels(years)) {
    changed = PlaceTypeAndYear(grid, code, label) || changed;
  }
  return changed;
}

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

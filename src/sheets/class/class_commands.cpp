#include "sheets/class/class_commands.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "tables/rows.h"

namespace tabulon::class_sheet {
namespace {

constexpr int kYearCol = 1;

const std::vector<std::string> kTrainingKeyFiles = {"SBBG1.SSD", "SBBG2.SSD", "SBBG3.SSD",
                                                    "SBBG4.SSD", "SBBG5.SSD", "SBBG6.SSD"};

int LastRow(const Grid& grid) { return grid.RowCount() - 1; }

}  // namespace

void SortTable1(Grid& grid) { SortRowsKeepingColumns(grid, 2, LastRow(grid), 1, 1, 1); }
void SortTable3(Grid& grid) { SortRows(grid, 2, LastRow(grid), 2, 2); }
void SortTable8(Grid& grid) { SortRows(grid, 2, LastRow(grid), 1, 1); }
void SortTable9(Grid& grid) { SortRowsWithMarkerFirst(grid, 2, LastRow(grid), 3, 4); }

KeyFillResult FillCountryTexts(Grid& grid, const std::filesystem::path& program_dir, Ui& ui) {
  return FillFromKeyFiles(grid, 2, 1, {"SLAND.SSD"}, KeyDirection::kTexts, program_dir, ui);
}
KeyFillResult FillCountryKeys(Grid& grid, const std::filesystem::path& program_dir, Ui& ui) {
  return FillFromKeyFiles(grid, 1, 2, {"SLAND.SSD"}, KeyDirection::kKeys, program_dir, ui);
}
KeyFillResult FillTrainingTexts(Grid& grid, const std::filesystem::path& program_dir, Ui& ui) {
  return FillFromKeyFiles(grid, 3, 2, kTrainingKeyFiles, KeyDirection::kTexts, program_dir, ui);
}
KeyFillResult FillDistrictTexts(Grid& grid, const std::filesystem::path& program_dir, Ui& ui) {
  return FillFromKeyFiles(grid, 5, 4, {"SHKK.SSD"}, KeyDirection::kTexts, program_dir, ui);
}
KeyFillResult FillDistrictKeys(Grid& grid, const std::filesystem::path& program_dir, Ui& ui) {
  return FillFromKeyFiles(grid, 4, 5, {"SHKK.SSD"}, KeyDirection::kKeys, program_dir, ui);
}
KeyFillResult FillGroupTexts(Grid& grid, const std::filesystem::path& program_dir, Ui& ui) {
  return FillFromKeyFiles(grid, 3, 2, kTrainingKeyFiles, KeyDirection::kTexts, program_dir, ui);
}

bool FillYearRows(Grid& grid, BirthYearRange years) {
  std::vector<std::string> labels;
  for (int y = years.von; y <= years.bis; ++y) labels.push_back(std::to_string(y));
  labels.push_back("9999");
  std::unordered_set<std::string> present;
  for (int row = 0; row < grid.RowCount(); ++row) present.insert(grid.Cell(kYearCol, row));
  bool changed = false;
  int free_from = 1;  // rows before it hold a year; the header row never takes one
  for (const std::string& label : labels) {
    if (present.count(label) != 0) continue;
    while (free_from < grid.RowCount() && !grid.Cell(kYearCol, free_from).empty()) ++free_from;
    if (free_from >= grid.RowCount()) grid.SetRowCount(grid.RowCount() + 1);
    grid.SetCell(kYearCol, free_from, label);
    present.insert(label);
    changed = true;
  }
  return changed;
}

}  // namespace tabulon::class_sheet

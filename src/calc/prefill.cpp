#include "calc/prefill.h"

#include <optional>
#include <system_error>
#include <vector>

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

}  // namespace tabulon

#include "app/registry.h"

#include <array>

#include "sheets/class/class_sheet.h"
#include "sheets/quick/quick_sheet.h"
#include "sheets/school/school_sheet.h"
#include "sheets/teacher/teacher_sheet.h"

namespace tabulon {
namespace {

// The one place that registers the sheets: one line each, in the order of the top-level tabs.
const std::array<const SheetDef*, kSheetCount>& Registry() {
  static const std::array<const SheetDef*, kSheetCount> kSheets = {
      &QuickSheet(),
      &SchoolSheet(),
      &TeacherSheet(),
      &ClassSheet(),
  };
  return kSheets;
}

}  // namespace

std::span<const SheetDef* const> Sheets() { return Registry(); }

const SheetDef& SheetOf(Sheet sheet) { return *Registry()[static_cast<std::size_t>(sheet)]; }

const SheetDef* FindSheetByCliName(std::string_view name) {
  for (const SheetDef* s : Registry()) {
    if (!s->cli_name.empty() && s->cli_name == name) return s;
  }
  return nullptr;
}

const SheetDef* FindSheetOfDefinition(std::string_view definition) {
  for (const SheetDef* s : Registry()) {
    if (s->FindTable(definition) != nullptr) return s;
  }
  return nullptr;
}

std::span<const TablePage> TablePagesOf(Sheet sheet) { return SheetOf(sheet).pages; }

const TablePage* FindTablePage(Sheet sheet, int table) { return SheetOf(sheet).FindPage(table); }

int StartPage() {
  for (std::size_t i = 0; i < Registry().size(); ++i) {
    if (Registry()[i]->enabled) return static_cast<int>(i);
  }
  return 0;
}

std::optional<Sheet> SheetAt(int top_page) {
  if (top_page < 0 || top_page >= kSheetCount) return std::nullopt;
  return Registry()[static_cast<std::size_t>(top_page)]->sheet;
}

int TableIndexOf(Sheet sheet, int page) {
  auto pages = TablePagesOf(sheet);
  if (page < 0 || page >= static_cast<int>(pages.size())) return kUnknownIndex;
  return pages[static_cast<std::size_t>(page)].table;
}

int PagePositionOf(Sheet sheet, int table) {
  auto pages = TablePagesOf(sheet);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (pages[i].table == table) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tabulon

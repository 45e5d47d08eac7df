// The sheets of the statistics, numbered as the main window orders its top-level pages. One
// enumeration for all layers, so that no code passes bare sheet numbers around.
#pragma once

#include <array>

namespace tabulon {

enum class Sheet : int {
  kQuick = 0,    // the quick report: pages shown, disabled, never saved
  kSchool = 1,   // Schul-Bogen
  kTeacher = 2,  // Lehrer-Bogen
  kClass = 3,    // Klassen-Bogen, one per class
};

inline constexpr int kSheetCount = 4;
inline constexpr std::array<Sheet, kSheetCount> kAllSheets = {Sheet::kQuick, Sheet::kSchool,
                                                              Sheet::kTeacher, Sheet::kClass};

inline constexpr int SheetIndex(Sheet s) { return static_cast<int>(s); }

// What a page that no sheet or table belongs to maps to.
inline constexpr int kUnknownIndex = 100;

// The class the class sheet shows while none is selected.
inline constexpr const char* kNoClass = "ZZZ999";

}  // namespace tabulon

// The flags of one test run: for each numbered check of the catalogue (1 to 300) whether it was
// tested, whether it failed and whether it only gives a hint. The value rules set failed flags
// as they read cells; the plausibility layer owns the catalogue and the reporting around it.
#pragma once

#include <array>

namespace tabulon {

inline constexpr int kErrorCount = 300;

struct ErrorFlags {
  // Index 0 is unused so that entry n lives at index n.
  std::array<bool, kErrorCount + 1> failed{};
  std::array<bool, kErrorCount + 1> hint{};
  std::array<bool, kErrorCount + 1> tested{};

  static bool Valid(int n) { return n >= 1 && n <= kErrorCount; }
  void Fail(int n) {
    if (Valid(n)) failed[n] = true;
  }
  void MarkTested(int n) {
    if (Valid(n)) tested[n] = true;
  }
  bool Failed(int n) const { return Valid(n) && failed[n]; }
  bool Tested(int n) const { return Valid(n) && tested[n]; }
};

}  // namespace tabulon

// Splits arbitrary lines into fields. No field may hold a separator, and a double quote may only
// stand first or last in a field.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tables/fields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int n = data[0] % 40;
  std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
  auto fields = tabulon::SplitFields(line, n);
  if (static_cast<int>(fields.size()) != n) __builtin_trap();
  std::size_t total = 0;
  for (const auto& f : fields) {
    total += f.size();
    if (f.find_first_of(";\t\r") != std::string::npos) __builtin_trap();
    std::size_t quote = f.find('"', 1);
    if (quote != std::string::npos && quote != f.size() - 1) __builtin_trap();
  }
  if (total > line.size()) __builtin_trap();
  for (std::string_view line_part : tabulon::SplitLines(line)) {
    if (line_part.find('\n') != std::string_view::npos) __builtin_trap();
  }
  return 0;
}

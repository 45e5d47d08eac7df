// Reads arbitrary texts as cell numbers. The failed flag must be set exactly when the text is not
// a number or is negative, and a plain decimal number must read as its own digits.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tables/values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  tabulon::ErrorFlags flags;
  std::int32_t v = tabulon::CellNumber(text, true, 7, flags);
  auto parsed = tabulon::ParseInt32(text);
  bool expect_failed = !text.empty() && (!parsed || *parsed < 0);
  if (flags.Failed(7) != expect_failed) __builtin_trap();
  if (!text.empty() && parsed && v != *parsed) __builtin_trap();
  if (!parsed && v != 0) __builtin_trap();
  if (parsed && !text.empty() && text.find_first_not_of("0123456789") == std::string::npos) {
    std::string digits = text.substr(std::min(text.find_first_not_of('0'), text.size() - 1));
    if (std::to_string(*parsed) != digits) __builtin_trap();
  }
  return 0;
}

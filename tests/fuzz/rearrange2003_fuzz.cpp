// Rearranges arbitrary lines from the 2003 layout: every converted line has exactly 60 fields,
// and the file keeps its number of lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sheets/teacher/teacher_convert.h"
#include "tables/fields.h"
#include "text/encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tabulon;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string utf8 = text::Cp850ToUtf8(bytes);
  const std::vector<std::string_view> lines = SplitLines(utf8);
  for (std::string_view line : lines) {
    const std::string out = Rearrange2003Line(line);
    if (std::count(out.begin(), out.end(), ';') != 59) __builtin_trap();
  }
  const std::string file = Rearrange2003File(bytes);
  if (SplitLines(file).size() != lines.size()) __builtin_trap();
  return 0;
}

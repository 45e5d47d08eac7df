// Reads arbitrary bytes as the teacher list into the identification grid, writes the list and
// reads that back: the second list must equal the first (a saved list is stable).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "sheets/teacher/teacher_list.h"
#include "sheets/teacher/teacher_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tabulon;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Grid ident = fuzz::BuiltInGrid(TeacherIdentDef());
  PutTeacherList(ident, ParseTeacherList(bytes));
  const std::string first = TeacherListBytes(ident);
  Grid again = fuzz::BuiltInGrid(TeacherIdentDef());
  PutTeacherList(again, ParseTeacherList(first));
  if (TeacherListBytes(again) != first) __builtin_trap();
  return 0;
}

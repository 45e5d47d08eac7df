// Loads arbitrary bytes as teacher table 1 beside three teachers of the list (two of them with
// one number), saves the grid and loads that again: the second save must give the same bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "sheets/teacher/teacher_tables.h"
#include "text/encoding.h"

namespace {

tabulon::Grid Loaded(std::string_view bytes, int* max_fields) {
  using namespace tabulon;
  Grid g = fuzz::BuiltInGrid(TeacherTableDef(1));
  PutTeacherRows(g, {{"1", "A", "a"}, {"2", "B", "b"}, {"2", "C", "c"}});
  const Table1Load r = LoadTable1Text(g, text::Cp850ToUtf8(bytes));
  CompleteTable1Numbers(g);
  *max_fields = r.max_fields;
  return g;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  int max_fields = 0;
  const std::string first = tabulon::Table1Bytes(Loaded(bytes, &max_fields), false);
  if (max_fields < 0 || max_fields > tabulon::kTeacher1MaxFields) __builtin_trap();
  const std::string second = tabulon::Table1Bytes(Loaded(first, &max_fields), false);
  if (first != second) __builtin_trap();
  return 0;
}

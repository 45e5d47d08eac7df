// Reads arbitrary bytes as a key file: one entry per line, and the key-row fill of school table
// 1 from them never shrinks the grid and puts each key into its row.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "sheets/school/school_tables.h"
#include "tables/fields.h"
#include "tables/values.h"
#include "text/encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto entries = tabulon::ParseKeyFile(bytes);
  if (entries.size() != tabulon::SplitLines(tabulon::text::Cp1252ToUtf8(bytes)).size()) {
    __builtin_trap();
  }
  tabulon::Grid g = tabulon::fuzz::BuiltInGrid(tabulon::SchoolTableDef(1));
  tabulon::PutKeyRows(g, tabulon::SchoolTableDef(1), entries);
  const int expected_rows = std::max<int>(
      32, std::min<int>(2 + static_cast<int>(entries.size()), tabulon::kMaxDefinitionRows));
  if (g.RowCount() != expected_rows) __builtin_trap();
  for (std::size_t i = 0; i < entries.size() && 2 + i < 32; ++i) {
    int row = 2 + static_cast<int>(i);
    if (g.Cell(0, row) != entries[i].key || g.Cell(2, row) != entries[i].key) __builtin_trap();
    if (g.Cell(1, row) != entries[i].text) __builtin_trap();
  }
  return 0;
}

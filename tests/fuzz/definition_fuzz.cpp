// Feeds arbitrary bytes to every school table as its definition file. The grid must stay within
// the sane bounds, and a refused file must leave the built-in size.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "sheets/school/school_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const tabulon::TableDef& def : tabulon::SchoolTableDefs()) {
    tabulon::Grid g(def.cols, def.rows);
    tabulon::fuzz::SilentUi ui;
    bool taken = tabulon::ApplyDefinition(g, def, bytes, "Bog1TabX.TBD", ui);
    if (g.ColCount() > tabulon::kMaxDefinitionCols) __builtin_trap();
    if (g.RowCount() > tabulon::kMaxDefinitionRows) __builtin_trap();
    if (!taken && (g.ColCount() != def.cols || ui.messages != 1)) __builtin_trap();
    if (g.ColCount() < def.first_data_col + def.data_col_count) __builtin_trap();
  }
  return 0;
}

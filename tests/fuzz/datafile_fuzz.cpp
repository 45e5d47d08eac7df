// Loads arbitrary bytes as the data file of every school table, writes the grid back and loads
// that again: the second write must give the same bytes as the first (a saved file is stable).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/settings.h"
#include "fuzz_support.h"
#include "sheets/school/school_tables.h"
#include "tables/datafile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tabulon::Settings settings;
  settings.save_only_rows_with_data = 0;
  settings.shrink_rows_without_data = 1;
  for (const tabulon::TableDef& def : tabulon::SchoolTableDefs()) {
    tabulon::Grid g = tabulon::fuzz::BuiltInGrid(def);
    if (def.kind == tabulon::TableKind::kKeyRow) {
      for (int r = 2; r < g.RowCount(); ++r) g.SetCell(0, r, std::to_string(r));
    }
    tabulon::Grid fresh = g;
    tabulon::LoadDataBytes(g, def, bytes, settings);
    const std::string first = tabulon::DataFileBytes(g, def, false);
    tabulon::LoadDataBytes(fresh, def, first, settings);
    const std::string second = tabulon::DataFileBytes(fresh, def, false);
    if (first != second) __builtin_trap();
  }
  return 0;
}

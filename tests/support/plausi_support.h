// What the tests of the plausi rules share: grids with their code row, and the entries a test
// marked failed or tested.
#pragma once

#include <string>
#include <vector>

#include "tables/error_flags.h"
#include "tables/grid.h"
#include "tables/values.h"

namespace tabulon::testing {

// A grid of `cols` x `rows` whose code row holds ES001 to ES`es_count` from column `first_es`.
inline Grid CodedGrid(int cols, int rows, int first_es, int es_count) {
  Grid g(cols, rows);
  for (int i = 1; i <= es_count; ++i) g.SetCell(first_es + i - 1, 1, EsCode(i));
  return g;
}

// A key-row table of rows 2 to `last_row`, each with its row number as key in columns 0 and 2,
// and its code row from column 2.
inline Grid KeyTable(int cols, int last_row, int es_count) {
  Grid g = CodedGrid(cols, last_row + 1, 2, es_count);
  for (int r = 2; r <= last_row; ++r) {
    g.SetCell(0, r, std::to_string(r));
    g.SetCell(2, r, std::to_string(r));
  }
  return g;
}

// The entries whose flag is set, in ascending order: Entries(flags.failed), Entries(flags.hint).
inline std::vector<int> Entries(const std::array<bool, kErrorCount + 1>& set) {
  std::vector<int> out;
  for (int n = 1; n <= kErrorCount; ++n) {
    if (set[n]) out.push_back(n);
  }
  return out;
}
inline std::vector<int> FailedEntries(const ErrorFlags& f) { return Entries(f.failed); }
inline std::vector<int> TestedEntries(const ErrorFlags& f) { return Entries(f.tested); }

}  // namespace tabulon::testing

namespace tabulon {
using testing::CodedGrid;
using testing::Entries;
using testing::FailedEntries;
using testing::KeyTable;
using testing::TestedEntries;
}  // namespace tabulon

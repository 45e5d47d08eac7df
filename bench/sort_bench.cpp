// "nach Berufsgruppen sortieren" on class table 9 with many occupation groups in reverse order.
#include <benchmark/benchmark.h>

#include <string>

#include "tables/grid.h"
#include "tables/rows.h"

namespace {

using namespace tabulon;

Grid Table9(int groups) {
  const char* keys[] = {"1", "2", "3", "4", "5", "6", "7", "9"};
  Grid g(7, 2 + 8 * (groups + 1));
  int row = 2;
  for (int b = groups; b >= 0; --b) {
    const std::string group = b == 0 ? "9999" : std::to_string(1000 + b * 10);
    for (const char* k : keys) {
      g.SetCell(3, row, group);
      g.SetCell(4, row, k);
      g.SetCell(5, row++, "3");
    }
  }
  return g;
}

void BM_SortTable9(benchmark::State& state) {
  const Grid unsorted = Table9(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Grid g = unsorted;
    SortRowsWithMarkerFirst(g, 2, g.RowCount() - 1, 3, 4);
    benchmark::DoNotOptimize(g.Cell(3, 2));
  }
}
BENCHMARK(BM_SortTable9)->Arg(30)->Arg(300)->Unit(benchmark::kMicrosecond);

}  // namespace

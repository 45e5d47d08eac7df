// How long the school tests take on large tables. The leavers table (school table 2) is the one
// whose rows the user appends freely; a big school reaches a few thousand rows.
#include <benchmark/benchmark.h>

#include <string>

#include "plausi/catalogue.h"
#include "plausi/protocol.h"
#include "sheets/school/school_tests.h"
#include "tables/values.h"

namespace tabulon {
namespace {

constexpr const char* kTypes[] = {"010", "020", "030", "060", "070", "080", "100",
                                  "110", "120", "130", "140", "160", "170"};

// A consistent table 2 with `rows` data rows: per school type a run of birth years, then its
// foreigners row and its total row. With `faulty`, every 50th birth-year row breaks a row sum.
Grid LeaversTable(int rows, bool faulty) {
  Grid g(19, rows + 2);
  for (int i = 1; i <= 18; ++i) g.SetCell(i, 1, EsCode(i));
  const int per_type = rows / 13;
  int r = 2;
  for (int t = 0; t < 13 && r < rows + 2; ++t) {
    const int years = per_type - 2;
    for (int y = 0; y < years && r < rows + 2; ++y, ++r) {
      g.SetCell(1, r, kTypes[t]);
      g.SetCell(2, r, std::to_string(1960 + y % 50));
      g.SetCell(3, r, faulty && r % 50 == 0 ? "9" : "4");  // = 2 + 1 + 1
      g.SetCell(4, r, "2");
      g.SetCell(5, r, "2");
      g.SetCell(6, r, "1");
      g.SetCell(7, r, "1");
      g.SetCell(8, r, "1");
      g.SetCell(9, r, "1");
      g.SetCell(17, r, "1");
    }
    if (r >= rows + 2) break;
    const std::string sum4 = std::to_string(4 * years), sum2 = std::to_string(2 * years),
                      sum1 = std::to_string(years);
    const std::string values[] = {sum4, sum2, sum2, sum1, sum1, sum1, sum1};
    for (const char* year : {"8888", "9999"}) {
      if (r >= rows + 2) break;
      g.SetCell(1, r, kTypes[t]);
      g.SetCell(2, r, year);
      const int cols[] = {3, 4, 5, 6, 7, 8, 9};
      for (int i = 0; i < 7; ++i) g.SetCell(cols[i], r, values[i]);
      g.SetCell(17, r, sum1);
      ++r;
    }
  }
  return g;
}

void BM_SchoolTable2Test(benchmark::State& state) {
  Grid g = LeaversTable(static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    ErrorFlags flags;
    TestResult r = TestSchoolTable2(g, flags);
    ErrorProtocol p = ShowErrorProtocol(ErrorWindowKind::kFehlerfenster, "", flags,
                                        TheErrorCatalogue(), true);
    benchmark::DoNotOptimize(p.lines.data());
    state.counters["befunde"] = static_cast<double>(r.findings.size());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SchoolTable2Test)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tabulon

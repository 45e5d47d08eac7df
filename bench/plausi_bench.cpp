// How long the school tests take on large tables. The leavers table (school table 2) is the one
// whose rows the user appends freely; a big school reaches a few thousand rows.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/settings.h"
#include "files/files.h"
#include "plausi/catalogue.h"
#include "plausi/protocol.h"
#include "sheets/school/school_tables.h"
#include "sheets/school/school_tests.h"
#include "support/quiet_ui.h"
#include "tables/datafile.h"
#include "tables/definition.h"
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
    ErrorProtocol p =
        ShowErrorProtocol(ErrorWindowKind::kFehlerfenster, "", flags, TheErrorCatalogue(), true);
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

// ---- everything that "pruefen alles" does, from stored files --------------------------------

constexpr const char* kSchoolTypeKeys[] = {"010", "011", "020", "021", "022", "023", "030", "040",
                                           "160", "161", "162", "163", "164", "050", "170", "171",
                                           "172", "173", "174", "080", "081", "082", "090", "120",
                                           "121", "122", "130", "131", "132", "999"};

std::string CodeLine(int count) {
  std::string line;
  for (int i = 1; i <= count; ++i) line += (i > 1 ? ";" : "") + EsCode(i);
  return line + "\r\n";
}

// A program directory with a school-type key file and the data files of a school of medium size:
// table 1 filled, 2000 leavers rows, 200 occupations, religious instruction.
struct SampleSchool {
  std::filesystem::path dir;
  SampleSchool() {
    dir = std::filesystem::temp_directory_path() / ("tabulon-bench-" + std::to_string(::getpid()));
    const std::filesystem::path school = dir / "12345" / "SCHULE";
    std::filesystem::create_directories(school);
    std::string keys;
    for (const char* k : kSchoolTypeKeys) keys += std::string(k) + ";Schulart " + k + "\r\n";
    WriteFileAtomic(dir / "SSSA.SSD", keys);

    std::string t1 = CodeLine(16);
    for (const char* k : kSchoolTypeKeys) t1 += std::string(k) + ";1;1;;;;;20;20;;;;;9;3;1\r\n";
    WriteFileAtomic(school / "1234501.CSV", t1);

    std::string t2 = CodeLine(18);
    Grid g = LeaversTable(2000, false);
    for (int r = 2; r < g.RowCount(); ++r) {
      for (int c = 1; c <= 18; ++c) t2 += (c > 1 ? ";" : "") + g.Cell(c, r);
      t2 += "\r\n";
    }
    WriteFileAtomic(school / "1234502.CSV", t2);

    std::string t3 = CodeLine(9);
    for (int i = 0; i < 200; ++i) {
      t3 += "Beruf " + std::to_string(i) + ";" + std::to_string(1000 + i) + ";3;5;2;1;1;0;0\r\n";
    }
    WriteFileAtomic(school / "1234503.CSV", t3);
    WriteFileAtomic(school / "1234504.CSV", CodeLine(7) + "12;3;3;2;2;1;1\r\n");
  }
  ~SampleSchool() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

void BM_PruefenAlles(benchmark::State& state) {
  SampleSchool sample;
  Settings settings;
  settings.dst_nr = "12345";
  bench::QuietUi ui;
  const DataFileContext ctx{settings, sample.dir / "12345", "12345", ui};
  std::size_t lines = 0;
  for (auto _ : state) {
    lines = 0;
    for (int t = 1; t <= 4; ++t) {
      const TableDef& def = SchoolTableDef(t);
      Grid grid;
      SetUpGrid(grid, def, sample.dir, ui);
      ReadDataFile(grid, def, ctx);
      ErrorFlags flags;
      FindSchoolTest(t)->run(grid, flags);
      ErrorProtocol p =
          ShowErrorProtocol(ErrorWindowKind::kFehlerfenster, "", flags, TheErrorCatalogue(), true);
      lines += p.lines.size();
    }
  }
  state.counters["zeilen"] = static_cast<double>(lines);
}
BENCHMARK(BM_PruefenAlles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tabulon

// ReadDataFile and WriteDataFile on a 100,000-line school table 2 and on school table 1, each
// next to a plain read or atomic write of the same bytes, so that the cost of the table layer
// shows as the gap between the two.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "base/settings.h"
#include "files/files.h"
#include "sheets/school/school_tables.h"
#include "support/datafile_gen.h"
#include "support/quiet_ui.h"
#include "tables/datafile.h"
#include "tables/definition.h"

namespace {

using namespace tabulon;

// A program directory and a school data directory holding the generated files.
struct Fixture {
  Fixture() {
    root = std::filesystem::temp_directory_path() /
           ("tabulon-bench-" + std::to_string(std::random_device{}()));
    prog = root / "prog";
    school = root / "12345";
    std::filesystem::create_directories(prog);
    std::filesystem::create_directories(school / "SCHULE");
    settings.dst_nr = "12345";
    settings.read_only = 0;
    WriteFileAtomic(prog / "SSSA.SSD", bench::GenerateSchoolTypeKeys(30));
    table2 = bench::GenerateSchoolTable2(100000);
    table1 = bench::GenerateSchoolTable1(30);
    WriteFileAtomic(school / "SCHULE" / "1234502.CSV", table2);
    WriteFileAtomic(school / "SCHULE" / "1234501.CSV", table1);
  }
  ~Fixture() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  std::filesystem::path root, prog, school;
  Settings settings;
  std::string table1, table2;
  bench::QuietUi ui;
};

Fixture& F() {
  static Fixture f;
  return f;
}

std::filesystem::path FileOf(int table) {
  return F().school / "SCHULE" / ("123450" + std::to_string(table) + ".CSV");
}

void ReadTable(benchmark::State& state, int table) {
  Fixture& f = F();
  const TableDef& def = SchoolTableDef(table);
  for (auto _ : state) {
    Grid g;
    SetUpGrid(g, def, f.prog, f.ui);
    ReadResult r = ReadDataFile(g, def, DataFileContext{f.settings, f.school, "12345", f.ui});
    benchmark::DoNotOptimize(r.lines);
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>((table == 2 ? f.table2 : f.table1).size()));
}

void WriteTable(benchmark::State& state, int table) {
  Fixture& f = F();
  const TableDef& def = SchoolTableDef(table);
  Grid g;
  SetUpGrid(g, def, f.prog, f.ui);
  ReadDataFile(g, def, DataFileContext{f.settings, f.school, "12345", f.ui});
  std::size_t bytes = 0;
  for (auto _ : state) {
    WriteResult r = WriteDataFile(g, def, DataFileContext{f.settings, f.school, "12345", f.ui});
    bytes = r.bytes;
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

void PlainRead(benchmark::State& state, int table) {
  for (auto _ : state) {
    std::string bytes = ReadFileBytes(FileOf(table));
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>((table == 2 ? F().table2 : F().table1).size()));
}

void PlainWrite(benchmark::State& state, int table) {
  const std::string& bytes = table == 2 ? F().table2 : F().table1;
  for (auto _ : state) WriteFileAtomic(FileOf(table), bytes);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void BM_ReadDataFile_Table2_100k(benchmark::State& s) { ReadTable(s, 2); }
void BM_PlainRead_Table2_100k(benchmark::State& s) { PlainRead(s, 2); }
void BM_WriteDataFile_Table2_100k(benchmark::State& s) { WriteTable(s, 2); }
void BM_PlainWriteAtomic_Table2_100k(benchmark::State& s) { PlainWrite(s, 2); }
void BM_ReadDataFile_Table1(benchmark::State& s) { ReadTable(s, 1); }
void BM_PlainRead_Table1(benchmark::State& s) { PlainRead(s, 1); }
void BM_WriteDataFile_Table1(benchmark::State& s) { WriteTable(s, 1); }
void BM_PlainWriteAtomic_Table1(benchmark::State& s) { PlainWrite(s, 1); }

BENCHMARK(BM_ReadDataFile_Table2_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead_Table2_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDataFile_Table2_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWriteAtomic_Table2_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDataFile_Table1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainRead_Table1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteDataFile_Table1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainWriteAtomic_Table1)->Unit(benchmark::kMicrosecond);

}  // namespace

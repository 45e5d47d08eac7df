// Teacher table 1 with 1,000 teachers: one page switch in-process (save, set-up, load) next to
// a plain read of the same files and an atomic write of the same bytes, and the internal test of
// the loaded table as the command line runs it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "base/data_paths.h"
#include "base/settings.h"
#include "files/files.h"
#include "sheets/teacher/teacher_tables.h"
#include "sheets/teacher/teacher_tests.h"
#include "support/quiet_ui.h"
#include "tables/definition.h"
#include "tables/values.h"
#include "text/encoding.h"

namespace {

using namespace tabulon;

constexpr int kTeachers = 1000;

struct Fixture {
  Fixture() {
    root = std::filesystem::temp_directory_path() /
           ("tabulon-bench-" + std::to_string(std::random_device{}()));
    paths.program_dir = root / "prog";
    paths.data_base_dir = root;
    paths.school_data_dir = root / "12345";
    std::filesystem::create_directories(paths.program_dir);
    std::filesystem::create_directories(paths.school_data_dir / "LEHRER");
    settings.dst_nr = "12345";
    settings.read_only = 0;
    std::string list;
    std::string table1;
    for (int i = 1; i <= 59; ++i) table1 += EsCode(i) + ";";
    table1 += "\r\n";
    std::mt19937 random(7);
    // The records in another order than the list, so that matching cannot walk both in step.
    std::vector<int> order(kTeachers);
    for (int t = 0; t < kTeachers; ++t) {
      order[static_cast<std::size_t>(t)] = t + 1;
      list += std::to_string(t + 1) + ";Müller" + std::to_string(t) + ";Jörg\r\n";
    }
    std::shuffle(order.begin(), order.end(), random);
    for (int number : order) {
      table1 += std::to_string(number) + ";";
      for (int i = 2; i <= 59; ++i) table1 += std::to_string(random() % 30) + ";";
      table1 += "\r\n";
    }
    list_bytes = text::Utf8ToCp850(list);
    table1_bytes = text::Utf8ToCp850(table1);
    WriteFileAtomic(paths.program_dir / "LEHRER.CSV", list_bytes);
    WriteFileAtomic(Table1File(), table1_bytes);
  }
  ~Fixture() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  TableContext Ctx() { return TableContext{settings, paths, class_id, ui}; }
  std::filesystem::path Table1File() { return paths.school_data_dir / "LEHRER" / "1234501.CSV"; }

  std::filesystem::path root;
  DataPaths paths;
  Settings settings;
  std::string class_id = "ZZZ999";
  std::string list_bytes, table1_bytes;
  bench::QuietUi ui;
};

Fixture& F() {
  static Fixture f;
  return f;
}

void Show(Grid& g) {
  const TableDef& def = TeacherTableDef(1);
  SetUpGrid(g, def, F().paths.program_dir, F().ui);
  LoadTable1(g, def, F().Ctx());
}

void BM_Table1Switch_1000(benchmark::State& state) {
  Fixture& f = F();
  Grid g;
  Show(g);
  for (auto _ : state) {
    SaveTable1(g, TeacherTableDef(1), f.Ctx());
    Show(g);
    benchmark::DoNotOptimize(g.RowCount());
  }
  if (g.RowCount() != 2 + kTeachers) state.SkipWithError("teachers lost");
}

void BM_PlainReadWrite_1000(benchmark::State& state) {
  Fixture& f = F();
  for (auto _ : state) {
    WriteFileAtomic(f.Table1File(), f.table1_bytes);
    std::string list = ReadFileBytes(f.paths.program_dir / "LEHRER.CSV");
    std::string table = ReadFileBytes(f.Table1File());
    benchmark::DoNotOptimize(list.data());
    benchmark::DoNotOptimize(table.data());
  }
}

void BM_Table1Test_1000(benchmark::State& state) {
  Fixture& f = F();
  for (auto _ : state) {
    Grid g;
    Show(g);
    ErrorFlags flags;
    TestEnv env{g, flags, f.settings, f.class_id};
    TestResult r = TestTeacherTable1(env);
    benchmark::DoNotOptimize(r.findings.size());
  }
}

BENCHMARK(BM_Table1Switch_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadWrite_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Table1Test_1000)->Unit(benchmark::kMillisecond);

}  // namespace

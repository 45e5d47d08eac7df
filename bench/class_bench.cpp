// A class switch (save table 9 of 30 occupation groups and the class notes, then set up and load
// the next class's table 9) next to a plain atomic write and read of the same bytes; and the
// class list of 300 classes next to a bare listing of the same directory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "base/data_paths.h"
#include "base/settings.h"
#include "files/files.h"
#include "sheets/class/class_list.h"
#include "sheets/class/class_sheet.h"
#include "sheets/class/class_tables.h"
#include "support/quiet_ui.h"
#include "tables/definition.h"
#include "text/encoding.h"

namespace {

using namespace tabulon;

std::string Table9File(int groups) {
  std::string s = "ES001;ES002;ES003;ES004;ES005\r\n";
  const char* keys[] = {"1", "2", "3", "4", "5", "6", "7", "9"};
  for (const char* k : keys) s += std::string("Auszubildende insgesamt;9999;") + k + ";40;20\r\n";
  for (int g = 0; g < groups; ++g) {
    for (const char* k : keys) {
      s += "Berufsgruppe " + std::to_string(g) + ";" + std::to_string(1000 + g * 10) + ";" + k +
           ";3;1\r\n";
    }
  }
  return s;
}

struct Fixture {
  Fixture() {
    root = std::filesystem::temp_directory_path() /
           ("tabulon-bench-" + std::to_string(std::random_device{}()));
    paths.program_dir = root / "prog";
    paths.data_base_dir = root;
    paths.school_data_dir = root / "12345";
    klasse = paths.school_data_dir / "KLASSE";
    std::filesystem::create_directories(paths.program_dir);
    std::filesystem::create_directories(klasse);
    settings.dst_nr = "12345";
    settings.read_only = 0;
    WriteFileAtomic(paths.program_dir / "SSVB0.SSD",
                    "1;a\r\n2;b\r\n3;c\r\n4;d\r\n5;e\r\n6;f\r\n7;g\r\n9;h\r\n");
    table9 = Table9File(30);
    WriteFileAtomic(klasse / "ABC00109.CSV", table9);
    WriteFileAtomic(klasse / "ABC00209.CSV", table9);
    notes = "ABC001;\r\nABC1;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n;\r\n";
    list_dir = root / "list";
    std::filesystem::create_directories(list_dir);
    for (int i = 0; i < 300; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "K%02d%03d00.CSV", i / 100, i);
      WriteFileAtomic(list_dir / name, "");
      for (int t = 1; t <= 10; ++t) {
        std::snprintf(name, sizeof name, "K%02d%03d%02d.CSV", i / 100, i, t);
        WriteFileAtomic(list_dir / name, "");
      }
    }
  }
  ~Fixture() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  std::filesystem::path root, klasse, list_dir;
  DataPaths paths;
  Settings settings;
  std::string table9, notes;
  bench::QuietUi ui;
};

Fixture& F() {
  static Fixture f;
  return f;
}

void BM_ClassSwitch(benchmark::State& state) {
  Fixture& f = F();
  const SheetDef& sheet = ClassSheet();
  const TableDef& t9 = class_sheet::ClassTableDef(9);
  const TableDef& ident = class_sheet::IdentTableDef();
  const TableIO* io9 = sheet.FindIO(t9.name);
  const TableIO* io_ident = sheet.FindIO(ident.name);
  std::string from = "ABC001";
  std::string to = "ABC002";
  Grid grid9, grid_ident;
  SetUpGrid(grid9, t9, f.paths.program_dir, f.ui);
  io9->load(grid9, t9, TableContext{f.settings, f.paths, from, f.ui});
  SetUpGrid(grid_ident, ident, f.paths.program_dir, f.ui);
  io_ident->load(grid_ident, ident, TableContext{f.settings, f.paths, from, f.ui});
  for (auto _ : state) {
    const TableContext was{f.settings, f.paths, from, f.ui};
    io_ident->save(grid_ident, ident, was);
    io9->save(grid9, t9, was);
    const TableContext now{f.settings, f.paths, to, f.ui};
    SetUpGrid(grid_ident, ident, f.paths.program_dir, f.ui);
    io_ident->load(grid_ident, ident, now);
    SetUpGrid(grid9, t9, f.paths.program_dir, f.ui);
    io9->load(grid9, t9, now);
    std::swap(from, to);
    benchmark::DoNotOptimize(grid9.RowCount());
  }
}
BENCHMARK(BM_ClassSwitch);

// The same bytes, written atomically and read back, without any table work.
void BM_ClassSwitchRawFiles(benchmark::State& state) {
  Fixture& f = F();
  for (auto _ : state) {
    WriteFileAtomic(f.paths.program_dir / "ABC001ID.CSV", f.notes);
    WriteFileAtomic(f.klasse / "ABC00109.CSV", f.table9);
    benchmark::DoNotOptimize(ReadFileBytes(f.paths.program_dir / "ABC001ID.CSV"));
    benchmark::DoNotOptimize(ReadFileBytes(f.paths.program_dir / "Bog3Ident.TBD"));
    benchmark::DoNotOptimize(ReadFileBytes(f.paths.program_dir / "Bog3Tab9.TBD"));
    benchmark::DoNotOptimize(ReadFileBytes(f.klasse / "ABC00209.CSV"));
  }
}
BENCHMARK(BM_ClassSwitchRawFiles);

void BM_ClassList300(benchmark::State& state) {
  Fixture& f = F();
  for (auto _ : state) {
    std::vector<std::string> list = class_sheet::ReadClassList(f.list_dir);
    benchmark::DoNotOptimize(list.data());
  }
}
BENCHMARK(BM_ClassList300);

void BM_DirectoryListing(benchmark::State& state) {
  Fixture& f = F();
  for (auto _ : state) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(f.list_dir)) {
      names.push_back(e.path().filename().string());
    }
    benchmark::DoNotOptimize(names.data());
  }
}
BENCHMARK(BM_DirectoryListing);

}  // namespace

// Peak memory of loading and saving a large data file (school table 2, about 52 MB), beside the
// memory the loaded grid itself holds. The target: the peak of a load or a save stays within three
// times the file's size on top of the grid. Every allocation through operator new is counted
// (strings, vectors, the grid); the counters report
//   Datei_MB      the file's size,
//   Tabelle_MB    what the grid holds once loaded,
//   Spitze_MB     the peak during the operation beyond what was held before it (the grid
//                 included for a load, excluded for a save, which starts with the grid loaded),
//   xDatei        (peak - grid) / file size: the figure that must stay at or below 3.
// A second pair of cases puts one umlaut into the file, so that the code-page conversions run
// their full paths instead of the plain-ASCII shortcut.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <random>

#include "base/settings.h"
#include "files/files.h"
#include "sheets/school/school_tables.h"
#include "support/datafile_gen.h"
#include "support/quiet_ui.h"
#include "tables/datafile.h"
#include "tables/definition.h"

namespace {

std::atomic<std::size_t> g_current{0};
std::atomic<std::size_t> g_peak{0};

void Count(void* p) {
  const std::size_t now = g_current += malloc_usable_size(p);
  std::size_t peak = g_peak.load();
  while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
  }
}

void* Allocate(std::size_t n) {
  void* p = std::malloc(n == 0 ? 1 : n);
  if (p == nullptr) throw std::bad_alloc();
  Count(p);
  return p;
}

void Release(void* p) noexcept {
  if (p == nullptr) return;
  g_current -= malloc_usable_size(p);
  std::free(p);
}

void* AllocateAligned(std::size_t n, std::align_val_t al) {
  const std::size_t a = static_cast<std::size_t>(al);
  void* p = std::aligned_alloc(a, (n + a - 1) / a * a);
  if (p == nullptr) throw std::bad_alloc();
  Count(p);
  return p;
}

}  // namespace

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void* operator new(std::size_t n, std::align_val_t a) { return AllocateAligned(n, a); }
void* operator new[](std::size_t n, std::align_val_t a) { return AllocateAligned(n, a); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { Release(p); }

namespace {

using namespace tabulon;

constexpr int kLines = 840000;  // about 52 MB of school table 2
constexpr double kMB = 1024.0 * 1024.0;

struct BigFile {
  explicit BigFile(bool umlaut) {
    root = std::filesystem::temp_directory_path() /
           ("tabulon-membench-" + std::to_string(std::random_device{}()));
    prog = root / "prog";
    school = root / "12345";
    std::filesystem::create_directories(prog);
    std::filesystem::create_directories(school / "SCHULE");
    settings.dst_nr = "12345";
    settings.read_only = 0;
    settings.save_only_rows_with_data = 0;
    std::string bytes = bench::GenerateSchoolTable2(kLines);
    if (umlaut) bytes[bytes.find("\r\n") + 5] = '\x81';  // an IBM 850 "ü" in the first row
    size = bytes.size();
    WriteFileAtomic(school / "SCHULE" / "1234502.CSV", bytes);
  }
  ~BigFile() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  DataFileContext Context() { return DataFileContext{settings, school, "12345", ui}; }

  std::filesystem::path root, prog, school;
  Settings settings;
  std::size_t size = 0;
  bench::QuietUi ui;
};

void Report(benchmark::State& state, std::size_t file, std::size_t grid, std::size_t peak,
            bool peak_includes_grid) {
  state.counters["Datei_MB"] = static_cast<double>(file) / kMB;
  state.counters["Tabelle_MB"] = static_cast<double>(grid) / kMB;
  state.counters["Spitze_MB"] = static_cast<double>(peak) / kMB;
  const double beyond = static_cast<double>(peak) - (peak_includes_grid ? grid : 0.0);
  state.counters["xDatei"] = beyond / static_cast<double>(file);
}

void Load(benchmark::State& state, bool umlaut) {
  BigFile f(umlaut);
  const TableDef& def = SchoolTableDef(2);
  for (auto _ : state) {
    const std::size_t base = g_current;
    g_peak = base;
    std::size_t grid_bytes = 0;
    {
      Grid g;
      SetUpGrid(g, def, f.prog, f.ui);
      ReadDataFile(g, def, f.Context());
      grid_bytes = g_current - base;
    }
    Report(state, f.size, grid_bytes, g_peak - base, true);
  }
}

void Save(benchmark::State& state, bool umlaut) {
  BigFile f(umlaut);
  const TableDef& def = SchoolTableDef(2);
  const std::size_t before_grid = g_current;
  Grid g;
  SetUpGrid(g, def, f.prog, f.ui);
  ReadDataFile(g, def, f.Context());
  const std::size_t grid_bytes = g_current - before_grid;
  for (auto _ : state) {
    const std::size_t base = g_current;
    g_peak = base;
    WriteDataFile(g, def, f.Context());
    Report(state, f.size, grid_bytes, g_peak - base, false);
  }
}

void BM_PeakMemory_Load_Table2_52MB(benchmark::State& s) { Load(s, false); }
void BM_PeakMemory_Save_Table2_52MB(benchmark::State& s) { Save(s, false); }
void BM_PeakMemory_Load_Table2_52MB_Umlaut(benchmark::State& s) { Load(s, true); }
void BM_PeakMemory_Save_Table2_52MB_Umlaut(benchmark::State& s) { Save(s, true); }

BENCHMARK(BM_PeakMemory_Load_Table2_52MB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMemory_Save_Table2_52MB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMemory_Load_Table2_52MB_Umlaut)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMemory_Save_Table2_52MB_Umlaut)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

// The pupil list of the synthetic school (about 10,000 pupils in 300 classes) read, derived and
// written into the class tables, next to its floor: reading the list and writing the same table
// files with the same bytes. Before each import the tables it fills are removed again, so every
// run derives and writes all of them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/pupil_import.h"
#include "base/data_paths.h"
#include "base/settings.h"
#include "files/files.h"
#include "school/synthetic_school.h"
#include "sheets/class/class_tables.h"
#include "sheets/class/pupil_list.h"
#include "support/quiet_ui.h"

namespace {

namespace fs = std::filesystem;
using namespace tabulon;

struct ImportSchool {
  ImportSchool() {
    root = fs::temp_directory_path() /
           ("tabulon-import-bench-" + std::to_string(std::random_device{}()));
    bench::SchoolOptions o;
    o.key_dir = fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin";
    school = bench::MakeSchool(root, o);
    list_path = root / "schueler.csv";
    WriteFileAtomic(list_path, school.pupil_list);
    ReloadSettings(school.program_dir, settings);
    paths = FormDataPaths(settings, school.program_dir);
    RemoveDerivedTables();
    Import();
    // The files the import wrote, with their bytes: what the floor writes.
    for (const std::string& id : school.classes) {
      for (int t : class_sheet::kPupilTables) {
        const fs::path p = TablePath(id, t);
        if (fs::exists(p)) written.emplace_back(p, ReadFileBytes(p));
      }
    }
  }
  ~ImportSchool() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  fs::path TablePath(const std::string& id, int table) const {
    char name[8];
    std::snprintf(name, sizeof name, "%02d.CSV", table);
    return paths.school_data_dir / class_sheet::kClassDir / (id + name);
  }
  void RemoveDerivedTables() const {
    for (const std::string& id : school.classes) {
      for (int t : class_sheet::kPupilTables) fs::remove(TablePath(id, t));
    }
  }
  int Import() {
    const class_sheet::PupilList list = class_sheet::ParsePupilList(ReadFileBytes(list_path));
    const PupilImportPlan plan =
        PlanPupilImport(list, settings, paths, ui, CurrentYear(), /*create_classes=*/false);
    return WritePupilImport(plan, settings, paths, ui);
  }

  fs::path root;
  fs::path list_path;
  bench::SyntheticSchool school;
  Settings settings;
  DataPaths paths;
  bench::QuietUi ui;
  std::vector<std::pair<fs::path, std::string>> written;
};

ImportSchool& S() {
  static ImportSchool s;
  return s;
}

void BM_PupilImport(benchmark::State& state) {
  ImportSchool& s = S();
  int tables = 0;
  for (auto _ : state) {
    state.PauseTiming();
    s.RemoveDerivedTables();
    state.ResumeTiming();
    tables = s.Import();
  }
  state.counters["pupils"] = s.school.pupils;
  state.counters["tables"] = tables;
}
BENCHMARK(BM_PupilImport)->Unit(benchmark::kMillisecond);

// The floor: the list read, the same files written atomically with the same bytes.
void BM_PupilImportRaw(benchmark::State& state) {
  ImportSchool& s = S();
  for (auto _ : state) {
    state.PauseTiming();
    s.RemoveDerivedTables();
    state.ResumeTiming();
    benchmark::DoNotOptimize(ReadFileBytes(s.list_path).size());
    for (const auto& [path, bytes] : s.written) WriteFileAtomic(path, bytes);
  }
  state.counters["tables"] = static_cast<double>(s.written.size());
}
BENCHMARK(BM_PupilImportRaw)->Unit(benchmark::kMillisecond);

}  // namespace

// The whole-school check on the synthetic school of 300 classes, side by side with its floor:
// - "tabulon-cli pruefen alles" (in-process, output discarded) against reading the same files raw;
// - the desktop program's check (the WholeCheck steps its window runs) against the command line;
// - one class's summary test.
// The school is written once per run into a temporary directory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <ostream>
#include <random>
#include <streambuf>
#include <string>
#include <vector>

#include "app/class_wide_run.h"
#include "app/whole_check.h"
#include "base/data_paths.h"
#include "base/settings.h"
#include "cli/cli.h"
#include "files/files.h"
#include "school/synthetic_school.h"
#include "sheets/class/class_list.h"
#include "support/quiet_ui.h"

namespace {

namespace fs = std::filesystem;
using namespace tabulon;

class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

struct School {
  School() {
    root = fs::temp_directory_path() /
           ("tabulon-school-bench-" + std::to_string(std::random_device{}()));
    bench::SchoolOptions o;
    o.key_dir = fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin";
    school = bench::MakeSchool(root, o);
    ReloadSettings(school.program_dir, settings);
    paths = FormDataPaths(settings, school.program_dir);
    for (const auto& e : fs::recursive_directory_iterator(root)) {
      if (e.is_regular_file()) files.push_back(e.path());
    }
  }
  ~School() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  fs::path root;
  bench::SyntheticSchool school;
  Settings settings;
  DataPaths paths;
  std::vector<fs::path> files;
  bench::QuietUi ui;
};

School& S() {
  static School s;
  return s;
}

void BM_PruefenAlles(benchmark::State& state) {
  School& s = S();
  NullBuffer null;
  std::ostream out(&null), err(&null);
  for (auto _ : state) {
    const int status = cli::Run({"pruefen", "alles"}, s.school.program_dir, out, err);
    if (status != 0) state.SkipWithError("pruefen alles did not pass");
  }
  state.counters["files"] = static_cast<double>(s.files.size());
}
BENCHMARK(BM_PruefenAlles)->Unit(benchmark::kMillisecond);

// The floor: every file of the school read once.
void BM_ReadSchoolFilesRaw(benchmark::State& state) {
  School& s = S();
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (const fs::path& p : s.files) bytes += ReadFileBytes(p).size();
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ReadSchoolFilesRaw)->Unit(benchmark::kMillisecond);

// What the window's "Gesamtprüfung" runs, slice by slice, on the same files.
void BM_WholeCheckDesktop(benchmark::State& state) {
  School& s = S();
  for (auto _ : state) {
    WholeCheck check(class_sheet::ReadClassList(s.paths.school_data_dir / "KLASSE"),
                     StoredTableLoader(s.settings, s.paths), s.settings,
                     s.settings.log_all_tests != 0);
    while (!check.Done()) check.Step(s.ui);
    if (check.result().AnyFailed()) state.SkipWithError("whole check found faults");
    benchmark::DoNotOptimize(check.result().runs.size());
  }
}
BENCHMARK(BM_WholeCheckDesktop)->Unit(benchmark::kMillisecond);

// The summary test of one class, as its button runs it on the stored tables.
void BM_ClassSummary(benchmark::State& state) {
  School& s = S();
  const std::string& id = s.school.classes.front();
  const ClassTableLoad load = StoredClassTables(s.settings, s.paths, id, s.ui);
  for (auto _ : state) {
    ClassSummaryReport r = RunClassSummary(load, s.settings, id, true);
    benchmark::DoNotOptimize(r.statuses.data());
  }
}
BENCHMARK(BM_ClassSummary)->Unit(benchmark::kMicrosecond);

}  // namespace

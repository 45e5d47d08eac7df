// The findings window of the whole-school check: from handing it a result of 10,000 findings to
// its list painted on the (offscreen) screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTreeView>

#include "app/whole_check.h"
#include "gui/whole_check_window.h"

namespace {

using namespace tabulon;

// 200 classes with ten tables each, five failed entries per table: 10,000 findings.
WholeCheckResult TenThousandFindings() {
  WholeCheckResult r;
  r.classes_total = r.classes_done = 200;
  for (int c = 0; c < 200; ++c) {
    char id[8];
    std::snprintf(id, sizeof id, "KLA%03d", c + 1);
    for (int t = 0; t < 10; ++t) {
      WholeCheckRun run;
      run.sheet = Sheet::kClass;
      run.class_id = id;
      run.table = t;
      run.table_name = "Tab. " + std::to_string(t);
      run.target = "klasse:" + run.class_id + ":" + std::to_string(t);
      for (int entry : {7, 8, 231, 232, 235}) {
        run.flags.MarkTested(entry);
        run.flags.Fail(entry);
        run.report.places.push_back({entry, 3, 4, "Schüler insg. (ES002)", "Zeile 4: 2"});
      }
      r.runs.push_back(std::move(run));
    }
  }
  return r;
}

// Counts the paint events of a widget.
class PaintWatch : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted = true;
    return false;
  }
};

void BM_FindingsWindowFirstPaint(benchmark::State& state) {
  const WholeCheckResult result = TenThousandFindings();
  std::size_t findings = 0;
  for (auto _ : state) {
    WholeCheckResult copy = result;
    gui::WholeCheckWindow window;
    PaintWatch watch;
    window.tree()->viewport()->installEventFilter(&watch);
    // From the result handed over to the list painted; building and tearing down the window
    // around it is not measured.
    QElapsedTimer clock;
    clock.start();
    window.Show(std::move(copy));
    window.show();
    while (!watch.painted) QApplication::processEvents();
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    findings = window.findings().size();
    window.tree()->viewport()->removeEventFilter(&watch);
  }
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_FindingsWindowFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

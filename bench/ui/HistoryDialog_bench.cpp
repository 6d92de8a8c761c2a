#include "BenchData.h"
#include "ui/BenchApplication.h"
#include "HistoryData.h"

#include "core/store/FileSet.h"
#include "core/time/Clock.h"
#include "ui/common/Modal.h"
#include "ui/common/Prompter.h"
#include "ui/reports/CHistoryDlg.h"
#include "ui/reports/HistoryModel.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace ql::bench {
namespace {

class SilentPrompter final : public Prompter {
public:
    void inform(const QString&, const QString&, Icon) override { ++boxes; }
    bool ask(const QString&, const QString&) override { return true; }
    int boxes = 0;
};

// History of charges on the default filter (this year, about 50,000 rows of 1,000,000
// frames): the saved filter, the rows, the model and view, the first sort, the first paint.
void BM_HistoryDialogOpen(benchmark::State& state) {
    ensureBenchApplication();
    const FileSet set(historyFileSet());
    const FixedClock clock(benchNow());
    SilentPrompter prompter;
    QtModal modal;  // the opening runs no dialog
    int rows = 0;
    for (auto _ : state) {
        CHistoryDlg dlg(defaultFileSystem(), prompter, modal, clock, set, nullptr);
        dlg.show();
        QApplication::processEvents();
        rows = dlg.model().rowCount();
        if (prompter.boxes) state.SkipWithError("the history reported a failure");
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_HistoryDialogOpen)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// A click on a heading: the rows re-sorted by that column and the list repainted.
void BM_HistoryDialogSortColumn(benchmark::State& state) {
    ensureBenchApplication();
    const FileSet set(historyFileSet());
    const FixedClock clock(benchNow());
    SilentPrompter prompter;
    QtModal modal;  // sorting runs no dialog
    CHistoryDlg dlg(defaultFileSystem(), prompter, modal, clock, set, nullptr);
    dlg.show();
    QApplication::processEvents();
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        dlg.sortByColumn(column == 0 ? 1 : 0);
        QApplication::processEvents();
        state.ResumeTiming();
        dlg.sortByColumn(column);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_HistoryDialogSortColumn)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench

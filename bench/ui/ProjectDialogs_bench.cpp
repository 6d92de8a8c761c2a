#include "BenchData.h"
#include "ui/BenchApplication.h"

#include "core/store/CustomerRecord.h"
#include "core/store/FileSet.h"
#include "core/store/RecordFile.h"
#include "ui/common/Prompter.h"
#include "ui/customers/CCustomersDlg.h"
#include "ui/projects/CProjectInfoDlg.h"
#include "ui/projects/CProjectsTreeDlg.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <stdexcept>

namespace ql::bench {
namespace {

// 2,000 projects (from BenchData) and 2,000 customers.
std::string dialogFileSet() {
    static std::string path;
    if (!path.empty()) return path;
    path = generatedFileSet(2000, 0);
    std::vector<unsigned char> bytes;
    for (int i = 0; i < 2000; ++i) {
        CustomerRecord c;
        c.id = i;
        c.name = (i % 2 ? "customer " : "Customer ") + std::to_string((i * 7919) % 2000);
        c.address = std::to_string(i) + " Main Street";
        c.city = i % 3 ? "Springfield" : "athens";
        c.zip = std::to_string(10000 + i);
        c.country = "USA";
        c.phone = "555-" + std::to_string(i);
        const auto b = encodeCustomer(c);
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    const std::string cus = fileSetPath(path, FileKind::Customers);
    if (!rewriteRecords(defaultFileSystem(), cus, CustomerRecord::kSize, bytes.data(), bytes.size(),
                        ql::Message::freeText("cannot write customers")))
        throw std::runtime_error("cannot write customers");
    return path;
}

class CountingPrompter final : public Prompter {
public:
    void inform(const QString&, const QString&, Icon) override { ++boxes; }
    bool ask(const QString&, const QString&) override { ++boxes; return true; }
    int choose(const QString&, const QString&, const QStringList&, int) override { return 0; }
    int boxes = 0;
};

// The dialog up on screen, first paint included.
void showAndPaint(QDialog& dlg) {
    dlg.show();
    QApplication::processEvents();
}

// Edit Projects on 2,000 projects: load, build the expanded tree, show it, and OK, which
// rewrites the whole projects file crash-safely (synced temporary file, rename).
void BM_ProjectTreeOpenAndOk(benchmark::State& state) {
    ensureBenchApplication();
    const FileSet set(dialogFileSet());
    CountingPrompter prompter;
    for (auto _ : state) {
        CProjectsTreeDlg dlg(defaultFileSystem(), prompter, nullptr, set, CProjectsTreeDlg::Mode::Edit);
        showAndPaint(dlg);
        dlg.accept();
        if (dlg.result() != QDialog::Accepted || prompter.boxes) state.SkipWithError("the tree did not close with OK");
    }
}
BENCHMARK(BM_ProjectTreeOpenAndOk)->Unit(benchmark::kMillisecond);

// Update this project: the information dialog lists 2,000 customers sorted by name.
void BM_ProjectInfoOpenAndDone(benchmark::State& state) {
    ensureBenchApplication();
    const FileSet set(dialogFileSet());
    CountingPrompter prompter;
    ProjectRecord record;
    record.id = 5;
    record.name = "Task 5";
    record.customerId = 1234;
    for (auto _ : state) {
        CProjectInfoDlg dlg(defaultFileSystem(), prompter, set, record);
        showAndPaint(dlg);
        dlg.accept();
        benchmark::DoNotOptimize(dlg.record().customerId);
    }
    if (prompter.boxes) state.SkipWithError("a message box was shown");
}
BENCHMARK(BM_ProjectInfoOpenAndDone)->Unit(benchmark::kMillisecond);

// Edit Customers on 2,000 customers: load, fill the seven columns, sort by name, show, Exit.
void BM_CustomersOpenAndExit(benchmark::State& state) {
    ensureBenchApplication();
    const FileSet set(dialogFileSet());
    CountingPrompter prompter;
    for (auto _ : state) {
        CCustomersDlg dlg(defaultFileSystem(), prompter, set);
        showAndPaint(dlg);
        dlg.reject();
    }
    if (prompter.boxes) state.SkipWithError("a message box was shown");
}
BENCHMARK(BM_CustomersOpenAndExit)->Unit(benchmark::kMillisecond);

// Sorting the 2,000 rows by another column, as a click on a heading does.
void BM_CustomersSortByColumn(benchmark::State& state) {
    ensureBenchApplication();
    const FileSet set(dialogFileSet());
    CountingPrompter prompter;
    CCustomersDlg dlg(defaultFileSystem(), prompter, set);
    int column = 0;
    for (auto _ : state) {
        column = column == CCustomersDlg::kCity ? CCustomersDlg::kAddress : CCustomersDlg::kCity;
        dlg.sortByColumn(column);
    }
}
BENCHMARK(BM_CustomersSortByColumn)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ql::bench

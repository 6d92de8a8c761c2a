#include "ui/reports/CNewInvoiceDlg.h"

#include "ui/NamedChild.h"
#include "ui/RecordingPrompter.h"
#include "ui/TempFileSet.h"

#include "core/store/Customers.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>

#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>

namespace {

// Two windows and two scripts issue invoices from one set at once; no number may be issued
// twice. Each window is a dialog with a file system of its own, so their locks exclude each
// other as two processes' do; QUILLORY_RACE_ROUNDS lengthens the run for a measurement.
TEST(InvoiceNumberRace, WindowsAndScriptsNeverIssueANumberTwice) {
    const char* rounds = std::getenv("QUILLORY_RACE_ROUNDS");
    const int kRounds = rounds ? std::atoi(rounds) : 25;
    TempFileSet set;
    ql::CustomerRecord acme;
    acme.id = 0;
    acme.name = "Acme";
    ASSERT_TRUE(ql::appendCustomer(ql::defaultFileSystem(), acme, set.fileSet()));
    ql::ProjectRecord work;
    work.id = 0;
    work.name = "Work";
    work.customerId = 0;
    ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), set.path(ql::FileKind::Projects), {work}));
    const std::int32_t start = *ql::calendar::fromLocal(1996, 12, 2, 9, 0);
    ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), set.fileSet(), {0, start, start + 3600}));
    const QString folder = QFileInfo(QString::fromStdString(set.settingsPath())).absolutePath();

    std::vector<std::unique_ptr<QProcess>> scripts;
    for (const char* name : {"a", "b"}) {
        auto script = std::make_unique<QProcess>();
        const QString loop = QStringLiteral("i=0; while [ $i -lt %1 ]; do i=$((i+1)); \"$0\" invoice \"$1\" --customer 0 "
                                            "--from 1996-12-01 --to 1996-12-31 --rebill --text \"$2\"-$i.txt || exit 1; done")
                                 .arg(kRounds);
        script->start(QStringLiteral("sh"), {QStringLiteral("-c"), loop, QStringLiteral(QUILLORY_CLI_PATH),
                                             QString::fromStdString(set.settingsPath()),
                                             folder + QStringLiteral("/script-") + QLatin1String(name)});
        ASSERT_TRUE(script->waitForStarted());
        scripts.push_back(std::move(script));
    }

    ql::PosixFileSystem firstFs, secondFs;
    RecordingPrompter prompter;  // Yes: issue the number now stored; No: bill the same hour again
    prompter.chooseFor = [](const QString&) { return 1; };  // Bill Again
    const ql::FixedClock clock(*ql::calendar::fromLocal(1996, 12, 15, 12, 0));
    std::vector<std::string> issued;
    auto open = [&](ql::FileSystem& fs) { return std::make_unique<CNewInvoiceDlg>(fs, prompter, clock, set.fileSet()); };
    auto print = [&](CNewInvoiceDlg& dialog) {
        child<QPushButton>(dialog, "printButton")->click();
        ASSERT_EQ(dialog.result(), CNewInvoiceDlg::kPrint);
        issued.push_back(dialog.request().invoiceNumber);
    };
    for (int i = 0; i < kRounds; ++i) {
        // Both windows show a number before either issues one, as two users at two screens.
        auto first = open(firstFs);
        auto second = open(secondFs);
        print(*first);
        print(*second);
    }
    for (auto& script : scripts) {
        ASSERT_TRUE(script->waitForFinished(-1));
        EXPECT_EQ(script->exitCode(), 0) << script->readAllStandardError().toStdString();
    }
    for (const QString& name : QDir(folder).entryList({QStringLiteral("script-*.txt")})) {
        QFile file(folder + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray firstLine = file.readLine().trimmed();
        ASSERT_TRUE(firstLine.startsWith("INVOICE# ")) << name.toStdString();
        issued.push_back(firstLine.mid(9).toStdString());
    }

    std::map<std::string, int> times;
    for (const std::string& number : issued) ++times[number];
    for (const auto& [number, count] : times) EXPECT_EQ(count, 1) << "invoice number " << number << " issued " << count << " times";
    EXPECT_EQ(issued.size(), 4u * static_cast<std::size_t>(kRounds));
    // No number skipped either: the counter moved once per invoice.
    EXPECT_EQ(ql::readSettings(ql::defaultFileSystem(), set.fileSet())->nextInvoiceNumber,
              std::to_string(9600001 + 4 * kRounds));
    std::cout << "[ race ] " << issued.size() << " invoices, " << times.size() << " distinct numbers, "
              << prompter.boxes.size() << " questions to the windows\n";
}

}  // namespace

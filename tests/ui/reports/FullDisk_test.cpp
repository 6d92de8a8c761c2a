#include "ui/app/ShellFixture.h"

#include "core/support/TempDir.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "print/PageSource.h"
#include "support/FaultyFileSystem.h"
#include "ui/NamedChild.h"
#include "ui/TempFileSet.h"
#include "ui/analysis/CExportDlg.h"
#include "ui/app/CTessalyView.h"
#include "ui/common/CommandIds.h"
#include "ui/reports/CNewInvoiceDlg.h"
#include "ui/reports/PrintDispatch.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <filesystem>
#include <cstdint>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

using ql::test::FaultyFileSystem;

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kLargestBudget = 160 * kKiB;
constexpr std::uint64_t kBudgetStep = 4 * kKiB;
// Enough frames for outputs of about 100 KiB, so the sweep meets both a disk that fills up
// and one that holds the whole output.
constexpr int kFrames = 1900;

// The window's three outputs written on a disk that fills up: each is left whole or absent,
// each failure is said with its phrase and the system's reason, and success only when whole.
class FullDisk : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        settings = makeFileSet(QStringLiteral("Work.qlr")).toStdString();
        ql::CustomerRecord acme;
        acme.id = 5;
        acme.name = "Acme";
        acme.city = "Albany";
        ASSERT_TRUE(ql::appendCustomer(ql::defaultFileSystem(), acme, ql::FileSet(settings)));
        ql::ProjectRecord design;
        design.id = 0;
        design.name = "Design";
        design.customerId = 5;
        design.chargesPerHour = 45.0;
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::fileSetPath(settings, ql::FileKind::Projects), {design}));
        // Three-minute frames from the first of the month on, written at once.
        std::vector<unsigned char> frames;
        const std::int32_t first = *ql::calendar::fromLocal(1996, 12, 1, 0, 0);
        for (int i = 0; i < kFrames; ++i) {
            const auto bytes = ql::encodeTimeFrame({0, first + i * 180, first + i * 180 + 170});
            frames.insert(frames.end(), bytes.begin(), bytes.end());
        }
        ql::test::writeBytes(ql::fileSetPath(settings, ql::FileKind::TimeFrames), frames);
        ASSERT_TRUE(QDir().mkpath(outFolder()));
        app = std::make_unique<CTessalyApp>(services(fs));
        app->start(QString::fromStdString(settings));
    }

    void TearDown() override {
        app.reset();
        if (m_mounted) ::umount2(outFolder().toLocal8Bit().constData(), MNT_DETACH);
        ShellTest::TearDown();
    }

    QString outFolder() const { return path(QStringLiteral("out")); }
    // The files in the output folder, the filler of a real disk left out.
    QStringList outFiles() const {
        QStringList files = QDir(outFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        files.removeAll(kFiller);
        return files;
    }

    // Puts a real tmpfs under the output folder, so the disk that fills up is the kernel's
    // own; false where mounting is not allowed.
    bool mountTmpfs() {
        const QByteArray folder = outFolder().toLocal8Bit();
        m_mounted = ::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=256k") == 0;
        return m_mounted;
    }
    // Leaves free bytes of room for the output: a budget on the file system the window
    // writes through, or on a real tmpfs a filler file taking all the rest.
    void leaveFree(std::uint64_t free) {
        if (!m_mounted) return fs.limitBytes(free, outFolder().toStdString());
        const std::string filler = QDir(outFolder()).filePath(kFiller).toStdString();
        std::filesystem::remove(filler);
        struct statvfs disk {};
        ASSERT_EQ(::statvfs(outFolder().toLocal8Bit().constData(), &disk), 0);
        const std::uint64_t available = static_cast<std::uint64_t>(disk.f_bavail) * disk.f_bsize;
        ASSERT_GE(available, free);
        ql::test::writeBytes(filler, std::vector<unsigned char>(available - free, 0));
        ASSERT_EQ(::statvfs(outFolder().toLocal8Bit().constData(), &disk), 0);
        ASSERT_EQ(static_cast<std::uint64_t>(disk.f_bavail) * disk.f_bsize, free);
    }
    void leaveRoomEnough() {
        fs.unlimitBytes();
        if (m_mounted) std::filesystem::remove(QDir(outFolder()).filePath(kFiller).toStdString());
    }

    // Every free size from 0 to 160 KiB for each output; see the test below.
    void sweep();

    // File > Export... of December into target.
    void exportData(const QString& target) {
        modal.answerDialog = [target](QDialog& d) {
            auto& dialog = dynamic_cast<CExportDlg&>(d);
            dialog.setSaveFileChooser([target](QWidget*, const QString&) { return target; });
            child<QLineEdit>(dialog, "fromEdit")->setText(QStringLiteral("12/01/1996"));
            child<QLineEdit>(dialog, "toEdit")->setText(QStringLiteral("12/31/1996"));
            child<QPushButton>(dialog, "fileButton")->click();
            child<QPushButton>(dialog, "okButton")->click();
            return dialog.result();
        };
        app->frame().action(cmd::kExport)->trigger();
    }
    // New invoice > To File... into target. The number and the register are stored beside the
    // set while the invoice file is written: the disk that fills is the output folder's.
    void invoiceToFile(const QString& target, std::uint64_t free) {
        leaveRoomEnough();
        modal.savePaths = {target};
        modal.answerDialog = [this, free](QDialog& d) {
            leaveFree(free);
            child<QPushButton>(d, "toFileButton")->click();
            return d.result();
        };
        app->frame().action(cmd::kInvoice)->trigger();
    }
    // The preview of the history, then its Export PDF... into target.
    bool exportPdf(const QString& target) {
        bool exported = false;
        modal.savePaths = {target};
        app->printDispatch().setPreviewRunner(
            [this, &exported](QPrinter&, PageSource& source) { exported = app->printDispatch().exportPdf(source); });
        app->document().notifyViews(hint::kPrintHistory);
        return exported;
    }

    static inline const QString kFiller = QStringLiteral(".filler");
    std::string settings;
    FaultyFileSystem fs;
    std::unique_ptr<CTessalyApp> app;
    bool m_mounted = false;
};

struct Output {
    const char* name;
    QString fileName;
    // The phrases a failure may start with.
    std::vector<QString> phrases;
    // Writes the output with budget bytes of free disk; true when it said it succeeded.
    std::function<bool(const QString& target, std::uint64_t budget)> write;
    // PDF files carry the time they were made: equal in size and whole is as good as equal.
    bool madeAtItsTime;
    // Each invoice has a number of its own, on its first line.
    bool numbered = false;
};

// The bytes after the first line.
std::vector<char> afterFirstLine(const std::vector<char>& bytes) {
    auto end = std::find(bytes.begin(), bytes.end(), '\n');
    return {end, bytes.end()};
}

void FullDisk::sweep() {
    // Each step invoices the same hours again, on purpose: the question about them is no warning.
    prompter.chooseFor = [](const QString&) { return 1; };  // Bill Again
    const auto warnings = [this] {
        std::vector<QString> texts;
        for (const auto& box : prompter.boxes)
            if (box.text != QStringLiteral("File created with success.") &&
                !box.text.contains(QStringLiteral("billed already")))
                texts.push_back(box.text);
        return texts;
    };
    const Output outputs[] = {
        {"export", QStringLiteral("export.txt"), {QStringLiteral("Cannot write the export file : ")},
         [this](const QString& target, std::uint64_t budget) {
             leaveFree(budget);
             exportData(target);
             return !prompter.boxes.empty() && prompter.boxes.back().text == QStringLiteral("File created with success.");
         },
         false},
        {"invoice", QStringLiteral("invoice.txt"),
         {QStringLiteral("Cannot write invoice file : "), QStringLiteral("Cannot write settings file : ")},
         [this, warnings](const QString& target, std::uint64_t budget) {
             invoiceToFile(target, budget);
             return warnings().empty();
         },
         false, true},
        {"pdf", QStringLiteral("history.pdf"), {QStringLiteral("Cannot write PDF file : ")},
         [this](const QString& target, std::uint64_t budget) {
             leaveFree(budget);
             return exportPdf(target);
         },
         true},
    };
    int runs = 0, whole = 0, absent = 0;
    for (const Output& output : outputs) {
        SCOPED_TRACE(output.name);
        const QString target = QDir(outFolder()).filePath(output.fileName);
        prompter.boxes.clear();
        // The output on a disk with room enough.
        ASSERT_TRUE(output.write(target, kLargestBudget + 16 * kKiB));
        leaveRoomEnough();
        const std::vector<char> reference = TempFileSet::bytes(target.toStdString());
        ASSERT_FALSE(reference.empty());
        std::cout << output.name << ": " << reference.size() << " bytes\n";
        int wholeHere = 0, absentHere = 0;
        for (std::uint64_t budget = 0; budget <= kLargestBudget; budget += kBudgetStep) {
            SCOPED_TRACE(budget);
            QFile::remove(target);
            prompter.boxes.clear();
            const bool saidDone = output.write(target, budget);
            leaveRoomEnough();
            ++runs;
            const QStringList left = outFiles();
            if (left.isEmpty()) {
                ++absentHere;
                EXPECT_FALSE(saidDone);
                const std::vector<QString> said = warnings();
                ASSERT_EQ(said.size(), 1u);
                bool phrased = false;
                for (const QString& phrase : output.phrases) phrased = phrased || said[0].startsWith(phrase);
                EXPECT_TRUE(phrased) << said[0].toStdString();
                EXPECT_TRUE(said[0].contains(QStringLiteral("No space left on device"))) << said[0].toStdString();
                // Nothing is absent that fitted: a failure only where the disk was too small.
                EXPECT_LT(budget, reference.size());
                continue;
            }
            ASSERT_EQ(left, QStringList{output.fileName});
            ++wholeHere;
            EXPECT_TRUE(saidDone);
            EXPECT_TRUE(warnings().empty());
            const std::vector<char> written = TempFileSet::bytes(target.toStdString());
            if (output.numbered) {
                EXPECT_EQ(written.size(), reference.size());
                EXPECT_EQ(afterFirstLine(written), afterFirstLine(reference));
            } else if (output.madeAtItsTime && written != reference) {
                EXPECT_EQ(written.size(), reference.size());
                const QByteArray pdf(written.data(), static_cast<qsizetype>(written.size()));
                EXPECT_TRUE(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"));
            } else {
                EXPECT_EQ(written, reference);
            }
        }
        // Both ends of the sweep were met: the disk too small, and room enough.
        EXPECT_GT(wholeHere, 0);
        EXPECT_GT(absentHere, 0);
        whole += wholeHere;
        absent += absentHere;
        QFile::remove(target);
    }
    std::cout << "full disk sweep: " << runs << " runs, " << whole << " whole, " << absent << " absent\n";
    EXPECT_EQ(runs, whole + absent);
}

TEST_F(FullDisk, EveryOutputIsWholeOrAbsentAndEveryFailureIsSaid) { sweep(); }

// The same on a real tmpfs that fills up (where the test may mount one, as root).
TEST_F(FullDisk, OnARealFullTmpfsToo) {
    if (!mountTmpfs()) GTEST_SKIP() << "cannot mount a tmpfs here";
    sweep();
}

}  // namespace

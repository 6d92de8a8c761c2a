#include "ui/print/PdfText.h"

#include "core/reports/ReportLayout.h"
#include "core/reports/ReportTable.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/Settings.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "print/PageSource.h"
#include "print/PdfHalves.h"
#include "print/ReportPages.h"
#include "support/FaultyFileSystem.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

// What of a PDF must not change when its pages are painted in two halves: the page count, each
// page's text as laid out, and pages firstPage..lastPage rasterised coarsely.
struct PdfFacts {
    int pages = 0;
    std::string text;
    QByteArray pixels;
};

PdfFacts factsOf(const QByteArray& pdf, const QString& path, int firstPage, int lastPage) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
    file.close();
    PdfFacts facts;
    for (const QString& line : pdfInfo(path).split('\n'))
        if (line.startsWith("Pages:")) facts.pages = line.mid(6).trimmed().toInt();
    facts.text = pdfText(path, {QStringLiteral("-layout")}).toStdString();
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-f"),
                                              QString::number(firstPage), QStringLiteral("-l"),
                                              QString::number(lastPage), path});
    EXPECT_TRUE(raster.waitForFinished(60000) && raster.exitCode() == 0) << "pdftoppm failed";
    facts.pixels = raster.readAllStandardOutput();
    return facts;
}

// Counts what it is told and stops when told the page it is to stop at.
class StoppingProgress final : public ql::Progress {
public:
    explicit StoppingProgress(std::uint64_t stopAt) : m_stopAt(stopAt) {}
    std::uint64_t total = 0;
    std::uint64_t mostDone = 0;

protected:
    bool onAdvance(std::uint64_t done, std::uint64_t all) override {
        total = all;
        mostDone = std::max(mostDone, done);
        return done < m_stopAt;
    }

private:
    std::uint64_t m_stopAt;
};

class PdfHalvesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings = dir.filePath(QStringLiteral("Work.qlr")).toStdString();
        ASSERT_TRUE(ql::createFileSet(ql::defaultFileSystem(), ql::FileSet(settings), "$", true));
    }

    // A history of exactly `pages` pages: rows of changing projects, days and amounts, so that
    // a page's place in the document shows in its text.
    ql::ReportTable historyOf(int pages) const {
        ql::ReportTable table = ql::makeHistoryTable(settings, "$");
        int i = 0;
        auto add = [&](int rows) {
            for (const int end = i + rows; i < end; ++i) {
                const std::size_t r = table.appendRow();
                table.setText(r, 0, "Project " + std::to_string(i / 40));
                table.setInt(r, 1, 19960101 + (i % 28));
                table.setInt(r, 2, (i * 7) % (24 * 60));
                table.setInt(r, 3, 15 + i % 200);
                table.setDouble(r, 4, 0.25 * i);
            }
        };
        // Fewer rows than a page's at a time, then one at a time, to land on the count exactly.
        while (ql::ReportPageCount(table, ql::kReportBodyArea) < pages - 1) add(40);
        while (ql::ReportPageCount(table, ql::kReportBodyArea) < pages) add(1);
        return table;
    }

    QTemporaryDir dir;
    std::string settings;
    ql::FixedClock clock{*ql::calendar::fromLocal(1996, 12, 31, 17, 45)};
};

TEST_F(PdfHalvesTest, HalvesJoinedAreTheWholeReport) {
    struct Case {
        int pages;
        int processors;
    };
    // At the size worth a second thread, with an even and an odd count, and on one processor.
    const Case cases[] = {{kPagesWorthTwoThreads, 2},
                          {kPagesWorthTwoThreads + 1, 2},
                          {kPagesWorthTwoThreads + 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pages << " pages on " << c.processors << " processors");
        const ql::ReportTable table = historyOf(c.pages);
        ASSERT_EQ(ql::ReportPageCount(table, ql::kReportBodyArea), c.pages);

        ReportPages whole(table, ql::kHistoryTitle, ql::defaultFileSystem(), clock);
        const ql::Result<QByteArray> expected = renderPdfPages(whole, 0, 0);
        ASSERT_TRUE(expected) << expected.status().message();

        ql::test::FaultyFileSystem fs;
        ReportPages split(table, ql::kHistoryTitle, fs, clock);
        const ql::Result<QByteArray> joined = renderPdfOnProcessors(split, c.processors, nullptr);
        ASSERT_TRUE(joined) << joined.status().message();
        EXPECT_TRUE(isWholePdf(*joined));
        // The job begins once, whichever way it is painted.
        EXPECT_EQ(fs.reads(settings), 1);

        // The pages on both sides of the seam are the ones a wrong split would move.
        const int middle = (c.pages + 1) / 2;
        const PdfFacts want = factsOf(*expected, dir.filePath(QStringLiteral("whole.pdf")), middle - 1, middle + 2);
        const PdfFacts got = factsOf(*joined, dir.filePath(QStringLiteral("joined.pdf")), middle - 1, middle + 2);
        EXPECT_EQ(got.pages, c.pages);
        EXPECT_EQ(got.pages, want.pages);
        EXPECT_TRUE(got.text == want.text) << "the pages' texts differ";
        EXPECT_TRUE(got.pixels == want.pixels) << "the pages are painted differently";
    }
}

TEST_F(PdfHalvesTest, ProgressCountsBothHalvesAndStopsBoth) {
    const ql::ReportTable table = historyOf(kPagesWorthTwoThreads + 20);
    const auto pages = static_cast<std::uint64_t>(kPagesWorthTwoThreads + 20);
    {
        SCOPED_TRACE("to the end");
        ReportPages split(table, ql::kHistoryTitle, ql::defaultFileSystem(), clock);
        StoppingProgress progress(pages + 1);
        const ql::Result<QByteArray> joined = renderPdfOnProcessors(split, 2, &progress);
        ASSERT_TRUE(joined) << joined.status().message();
        EXPECT_EQ(progress.total, pages);
        // Told before each page of the first half, so the last it hears is at least the first
        // half's last page and never more than the whole.
        EXPECT_GE(progress.mostDone, pages / 2);
        EXPECT_LT(progress.mostDone, pages);
    }
    {
        SCOPED_TRACE("stopped");
        ReportPages split(table, ql::kHistoryTitle, ql::defaultFileSystem(), clock);
        StoppingProgress progress(5);
        const ql::Result<QByteArray> stopped = renderPdfOnProcessors(split, 2, &progress);
        ASSERT_FALSE(stopped);
        EXPECT_TRUE(stopped.status().isCancelled());
    }
}

TEST_F(PdfHalvesTest, AHalfThatIsNoPdfFailsTheJoin) {
    const ql::ReportTable table = historyOf(2);
    ReportPages pages(table, ql::kHistoryTitle, ql::defaultFileSystem(), clock);
    const ql::Result<QByteArray> good = renderPdfPages(pages, 0, 0);
    ASSERT_TRUE(good);
    const QByteArray cut = good->left(good->size() / 2);
    for (const auto& [first, second] : {std::pair{*good, QByteArray("not a PDF")}, std::pair{QByteArray(), *good},
                                        std::pair{cut, *good}}) {
        const ql::Result<QByteArray> joined = joinPdfs(first, second);
        ASSERT_FALSE(joined);
        EXPECT_EQ(joined.status().message(), "the PDF pages could not be made");
    }
    const ql::Result<QByteArray> both = joinPdfs(*good, *good);
    ASSERT_TRUE(both);
    const PdfFacts facts = factsOf(*both, dir.filePath(QStringLiteral("both.pdf")), 1, 4);
    EXPECT_EQ(facts.pages, 4);
}

}  // namespace

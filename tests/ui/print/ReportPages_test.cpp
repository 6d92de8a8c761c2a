#include "ui/print/PdfText.h"

#include "core/chart/WeekChart.h"
#include "core/reports/ReportLayout.h"
#include "core/reports/ReportTable.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "print/PageSource.h"
#include "print/ReportPages.h"
#include "print/ReportPainter.h"
#include "support/FaultyFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ReportPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings = dir.filePath(QStringLiteral("Work.qlr")).toStdString();
        ASSERT_TRUE(ql::createFileSet(ql::defaultFileSystem(), ql::FileSet(settings), "$", true));
    }

    ql::ReportTable history(int rowsOfA, int rowsOfB, const std::string& longName = {}) {
        ql::ReportTable table = ql::makeHistoryTable(settings, "$");
        auto add = [&](const std::string& name, int minutes, double charge) {
            const std::size_t r = table.appendRow();
            table.setText(r, 0, name);
            table.setInt(r, 1, 19961210);
            table.setInt(r, 2, 9 * 60);
            table.setInt(r, 3, minutes);
            table.setDouble(r, 4, charge);
        };
        for (int i = 0; i < rowsOfA; ++i) add(longName.empty() ? "Alpha" : longName, 6005, 1234.5);
        for (int i = 0; i < rowsOfB; ++i) add("Beta", 30, 15.0);
        return table;
    }

    // Dark pixels (any channel below 128) in the logical rectangle of an image of the page
    // drawn at two pixels per unit.
    static int inkIn(const QImage& page, const QRect& logical, QRgb* colour = nullptr) {
        int count = 0;
        for (int y = logical.top() * 2; y < (logical.top() + logical.height()) * 2; ++y)
            for (int x = logical.left() * 2; x < (logical.left() + logical.width()) * 2; ++x) {
                const QRgb p = page.pixel(x, y);
                if (qRed(p) < 128 || qGreen(p) < 128 || qBlue(p) < 128) {
                    ++count;
                    if (colour) *colour = p;
                }
            }
        return count;
    }

    QTemporaryDir dir;
    std::string settings;
    ql::FixedClock clock{*ql::calendar::fromLocal(1996, 12, 31, 17, 45)};
};

TEST_F(ReportPagesTest, HistoryPageImageHasBlueTotalsAndClipsLongTexts) {
    const ql::ReportTable table = history(3, 2, std::string(79, 'W'));
    ReportPages pages(table, ql::kHistoryTitle, ql::defaultFileSystem(), clock);
    const QImage page = renderPage(pages, 1, QSize(1240, 1660));
    ASSERT_EQ(pages.pageCount(), 1);

    // Line 3 (y 75..90) is A's Sub-Total: its texts are blue.
    QRgb ink = 0;
    ASSERT_GT(inkIn(page, QRect(20, 77, 200, 11), &ink), 0);
    EXPECT_GT(qBlue(ink), 200);
    EXPECT_LT(qRed(ink), 100);
    // Row texts are black.
    ASSERT_GT(inkIn(page, QRect(5, 32, 200, 11), &ink), 0);
    EXPECT_LT(qBlue(ink), 100);
    // The 79-letter name stops at its cell's edge (245): nothing between it and the date.
    EXPECT_EQ(inkIn(page, QRect(246, 31, 8, 13)), 0);
    // The header boxes and the footer are drawn; nothing below the footer.
    EXPECT_GT(inkIn(page, QRect(0, 10, 580, 20)), 0);
    EXPECT_GT(inkIn(page, QRect(10, 780, 570, 20)), 0);
    EXPECT_EQ(inkIn(page, QRect(0, 802, 620, 28)), 0);
}

TEST_F(ReportPagesTest, ReportFontFitsALineOnTheLogicalPage) {
    const QFontMetricsF metrics(reportFont());
    EXPECT_LE(metrics.ascent() + metrics.descent(), 15.0);
    EXPECT_GE(metrics.ascent() + metrics.descent(), 10.0);
}

TEST_F(ReportPagesTest, HistoryPdfHoldsTheReportText) {
    const ql::ReportTable table = history(3, 2);
    ReportPages pages(table, ql::kHistoryTitle, ql::defaultFileSystem(), clock);
    const QString pdf = dir.filePath(QStringLiteral("history.pdf"));
    ASSERT_TRUE(writePdf(pdf, pages));
    const QString text = pdfText(pdf);
    for (const char* expected : {"Project", "Date", "Time", "Duration", "$ Charged", "Alpha", "12/10/1996", "09:00",
                                 "100:05", "1234.50", "Sub-Total", "300:15", "3703.50", "01:00", "30.00", "Total",
                                 "301:15", "3733.50", "Quillory95 - History of charges -12/31/1996 17:45", "Page 1"})
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n" << text.toStdString();
    EXPECT_TRUE(pdfInfo(pdf).contains(QStringLiteral("Pages:           1")));
}

TEST_F(ReportPagesTest, ManyPagesAreNumbered) {
    const ql::ReportTable table = history(100, 0);
    ReportPages pages(table, ql::kHistoryTitle, ql::defaultFileSystem(), clock);
    const QString pdf = dir.filePath(QStringLiteral("long.pdf"));
    ASSERT_TRUE(writePdf(pdf, pages));
    EXPECT_TRUE(pdfInfo(pdf).contains(QStringLiteral("Pages:           3")));
    EXPECT_TRUE(pdfText(pdf, {QStringLiteral("-f"), QStringLiteral("3")}).contains(QStringLiteral("Page 3")));
}

TEST_F(ReportPagesTest, CustomerPdfAndItsDayFirstDates) {
    ql::SettingsRecord s = *ql::readSettings(ql::defaultFileSystem(), ql::FileSet(settings));
    s.dateFormat = 0;
    ASSERT_TRUE(ql::writeSettings(ql::defaultFileSystem(), s, ql::FileSet(settings)));
    ql::ReportTable table = ql::makeCustomerTable(settings);
    const std::size_t r = table.appendRow();
    table.setText(r, 0, "Acme Ltd");
    table.setText(r, 2, "Springfield");
    table.setText(r, 6, "555-0100");
    ReportPages pages(table, ql::kCustomersTitle, ql::defaultFileSystem(), clock);
    const QString pdf = dir.filePath(QStringLiteral("customers.pdf"));
    ASSERT_TRUE(writePdf(pdf, pages));
    const QString text = pdfText(pdf);
    for (const char* expected : {"Customer", "Address", "City", "ZIP", "State", "Country", "Phone", "Acme Ltd",
                                 "Springfield", "555-0100", "Quillory95 - List of Customers -31/12/1996 17:45"})
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Total")));
}

TEST_F(ReportPagesTest, WeekChartPdfIsOneLandscapePageWithItsLegend) {
    ql::ProjectRecord p;
    p.id = 0;
    p.name = "Web site";
    ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::fileSetPath(settings, ql::FileKind::Projects), {p}));
    const std::int32_t start = *ql::calendar::fromLocal(1996, 12, 10, 9, 0);
    ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(settings), {0, start, start + 3600}));
    ql::WeekChart chart(start);
    ASSERT_TRUE(chart.load(ql::defaultFileSystem(), ql::FileSet(settings)));
    WeekChartPages pages(chart);
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    ASSERT_TRUE(writePdf(pdf, pages));
    const QString info = pdfInfo(pdf);
    EXPECT_TRUE(info.contains(QStringLiteral("Pages:           1"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("842 x 595 pts"))) << info.toStdString();  // A4 landscape
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Web site"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("12:00"))) << text.toStdString();

    // The chart and legend stay within (20, 20)-(580, 350).
    const QImage image = renderPage(pages, 1, QSize(1240, 1660));
    EXPECT_EQ(inkIn(image, QRect(0, 0, 620, 19)), 0);
    EXPECT_EQ(inkIn(image, QRect(0, 352, 620, 478)), 0);
    EXPECT_GT(inkIn(image, QRect(420, 20, 160, 330)), 0);
}

// The printed chart of a whole day: every box drawn with one pen, hour labels that do not
// run into each other.
TEST_F(ReportPagesTest, ThePrintedChartHasOnePenForEveryBoxAndReadableHourLabels) {
    ql::WeekChart chart(*ql::calendar::fromLocal(1996, 12, 10, 9, 0));
    ASSERT_TRUE(chart.setHours(0, 24));
    ASSERT_TRUE(chart.load(ql::defaultFileSystem(), ql::FileSet(settings)));
    WeekChartPages pages(chart);
    const QString pdf = dir.filePath(QStringLiteral("day.pdf"));
    ASSERT_TRUE(writePdf(pdf, pages));

    const QString header = pdfText(pdf, {QStringLiteral("-layout")}).section(QLatin1Char('\n'), 0, 0);
    EXPECT_TRUE(header.contains(QStringLiteral("12:00"))) << header.toStdString();
    EXPECT_FALSE(header.contains(QStringLiteral("01:00"))) << header.toStdString();
    EXPECT_FALSE(header.contains(QStringLiteral(":0001:"))) << header.toStdString();

    // As the paper shows it: the chart's left edge is as thick beside Monday as beside Tuesday.
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-gray"),
                                              QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
                                              dir.filePath(QStringLiteral("day"))});
    ASSERT_TRUE(render.waitForFinished(30000));
    const QImage paper(dir.filePath(QStringLiteral("day.png")));
    ASSERT_FALSE(paper.isNull());
    auto edgeInk = [&](double logicalY) {
        // A4 landscape at 150 dpi, 10 mm margins, the 620 x 830 logical page stretched on it.
        const int y = 59 + static_cast<int>(logicalY * (paper.height() - 118) / 830.0);
        auto px = [&](double logicalX) { return 59 + static_cast<int>(logicalX * (paper.width() - 118) / 620.0); };
        int dark = 0;
        for (int x = px(15); x < px(24); ++x) dark += 255 - qGray(paper.pixel(x, y));  // left of the day label
        return dark;
    };
    const int monday = edgeInk(57), tuesday = edgeInk(102);
    EXPECT_GT(monday, 0);
    EXPECT_NEAR(monday, tuesday, tuesday / 5) << "Monday " << monday << ", Tuesday " << tuesday;
}

TEST_F(ReportPagesTest, EveryDocumentHasTheNameItIsExportedUnder) {
    const ql::ReportTable table = history(1, 0);
    ReportPages historyPages(table, ql::kHistoryTitle, ql::defaultFileSystem(), clock);
    ReportPages customerPages(table, ql::kCustomersTitle, ql::defaultFileSystem(), clock);
    ql::WeekChart chart(*ql::calendar::fromLocal(1996, 12, 12, 9, 0));
    WeekChartPages chartPages(chart);
    const struct {
        const PageSource& pages;
        const char* name;
    } cases[] = {{historyPages, "History of charges 1996-12-31"}, {customerPages, "Customers"},
                 {chartPages, "Week of 1996-12-09"}};
    for (const auto& c : cases) EXPECT_EQ(c.pages.documentName(), QString::fromLatin1(c.name));
}

TEST_F(ReportPagesTest, PdfExportFailureKeepsWhatWasThere) {
    const ql::ReportTable table = history(1, 0);
    ReportPages pages(table, ql::kHistoryTitle, ql::defaultFileSystem(), clock);
    // Each failure says the phrase and the system's reason, and leaves no file behind.
    ql::test::FaultyFileSystem full;
    full.limitBytes(0);
    ql::test::FaultyFileSystem noRename;
    noRename.failEvery(ql::test::FaultyFileSystem::Op::Rename);
    struct Case {
        const char* what;
        ql::FileSystem& fs;
        QString target;
        std::string reason;
    };
    const Case cases[] = {
        {"missing folder", ql::defaultFileSystem(), dir.filePath(QStringLiteral("gone/report.pdf")),
         "No such file or directory"},
        {"full disk", full, dir.filePath(QStringLiteral("full.pdf")), "No space left on device"},
        {"failed rename", noRename, dir.filePath(QStringLiteral("unrenamed.pdf")), "injected rename failure"},
    };
    for (const Case& c : cases) {
        const ql::Status failed = writePdf(c.fs, c.target, pages);
        ASSERT_FALSE(failed) << c.what;
        EXPECT_EQ(failed.message(), "Cannot write PDF file : " + c.target.toStdString()) << c.what;
        EXPECT_EQ(failed.reason(), c.reason) << c.what;
        EXPECT_FALSE(QFile::exists(c.target)) << c.what;
    }
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.pdf*")}, QDir::Files), QStringList());

    // A successful export replaces an older file whole; no temporary file stays beside it.
    const QString target = dir.filePath(QStringLiteral("report.pdf"));
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    ASSERT_TRUE(writePdf(target, pages));
    QFile written(target);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("%PDF"));
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("report.pdf*")}, QDir::Files).size(), 1);
}

// A PDF whose writer stopped early (no trailer, a cut trailer, no header) is never taken as
// whole, so it never reaches the disk.
TEST(WholePdf, OnlyAHeaderAndAnEndTrailerMakeAWholeDocument) {
    const struct {
        QByteArray bytes;
        bool whole;
    } cases[] = {
        {"%PDF-1.4\n1 0 obj\n%%EOF\n", true},
        {"%PDF-1.4\n1 0 obj\n%%EOF", true},
        {"%PDF-1.4\n1 0 obj\n%%EOF\r\n", true},
        {"%PDF-1.4\n1 0 obj\n", false},
        {"%PDF-1.4\n1 0 obj\n%%EO", false},
        {"%PDF-1.4\n%%EOF\n2 0 obj\n", false},
        {"1 0 obj\n%%EOF\n", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isWholePdf(c.bytes), c.whole) << c.bytes.toStdString();
}

}  // namespace

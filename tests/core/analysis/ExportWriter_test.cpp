#include "core/analysis/ExportWriter.h"

#include "support/FaultyFileSystem.h"
#include "core/tracking/TrackingFixture.h"

#include <clocale>

namespace ql {
namespace {

class ExportLines : public testing::TrackingFixture {
protected:
    // 14 March 1996, 16:00, in the fixture's New York time.
    std::int32_t example() const { return at(1996, 3, 14, 16); }
};

TEST_F(ExportLines, FieldsForEachOptionAndDateOrder) {
    struct Case {
        std::int32_t start;
        std::int32_t seconds;
        bool monthFirst;
        ExportOptions options;
        const char* line;
    };
    const std::int32_t t = example();
    const Case cases[] = {
        {t, 3 * 3600, true, {}, "Ann\tWeb\t03/14/96\t04:00 PM\t03:00\r\n"},
        {t, 3 * 3600, true, {true, true, true}, "Ann\tWeb\t03/14/96 16:00\t180\r\n"},
        {t, 3 * 3600, false, {}, "Ann\tWeb\t14/03/96\t04:00 PM\t03:00\r\n"},
        {t, 3 * 3600, false, {false, false, true}, "Ann\tWeb\t14/03/96 04:00 PM\t03:00\r\n"},
        {t, 45, true, {}, "Ann\tWeb\t03/14/96\t04:00 PM\t00:00\r\n"},
        {t, 45, true, {true, false, false}, "Ann\tWeb\t03/14/96\t04:00 PM\t0\r\n"},
        {t, 25 * 3600 + 5 * 60, true, {}, "Ann\tWeb\t03/14/96\t04:00 PM\t25:05\r\n"},
        {t, 100 * 3600, true, {}, "Ann\tWeb\t03/14/96\t04:00 PM\t100:00\r\n"},
        {t, -150, true, {}, "Ann\tWeb\t03/14/96\t04:00 PM\t-00:02\r\n"},
        {at(2001, 1, 2, 0, 5), 60, true, {}, "Ann\tWeb\t01/02/01\t12:05 AM\t00:01\r\n"},
        {at(2001, 1, 2, 0, 5), 60, true, {false, true, false}, "Ann\tWeb\t01/02/01\t00:05\t00:01\r\n"},
        {at(1996, 7, 4, 12, 30, 59), 60, true, {}, "Ann\tWeb\t07/04/96\t12:30 PM\t00:01\r\n"},
        {at(1996, 7, 4, 11, 59), 60, true, {}, "Ann\tWeb\t07/04/96\t11:59 AM\t00:01\r\n"},
        {at(1996, 7, 4, 23, 1), 60, true, {false, true, false}, "Ann\tWeb\t07/04/96\t23:01\t00:01\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exportLine("Ann", "Web", {3, c.start, c.start + c.seconds}, c.monthFirst, c.options), c.line)
            << c.line;
}

TEST_F(ExportLines, WithoutChosenDatesTheExportCoversTheEightiesAndNineties) {
    const ReportPeriod period = defaultExportPeriod();
    EXPECT_EQ(period.start, at(1980, 1, 1));
    EXPECT_EQ(period.end, at(1999, 12, 31, 23, 59, 59));
}

TEST_F(ExportLines, HeaderAndNamesThatCannotSplitALine) {
    EXPECT_EQ(exportHeader({}), "User\tProject\tDate\tTime\tDuration\r\n");
    EXPECT_EQ(exportHeader({true, true, true}), "User\tProject\tDate Time\tDuration\r\n");
    EXPECT_EQ(exportLine("A\tB", "Web\r\nsite", {0, example(), example() + 60}, true, {true, true, true}),
              "A B\tWeb  site\t03/14/96 16:00\t1\r\n");
}

class ExportFile : public testing::TrackingFixture {
protected:
    void SetUp() override {
        TrackingFixture::SetUp();
        std::vector<ProjectRecord> projects(3);
        const char* names[] = {"Web", "Logo", "Web site"};
        for (int i = 0; i < 3; ++i) {
            projects[static_cast<std::size_t>(i)].id = i;
            projects[static_cast<std::size_t>(i)].name = names[i];
        }
        projects[2].parentId = 0;  // "Web site" is a sub-project of "Web"
        ASSERT_TRUE(writeProjects(m_fs, path(FileKind::Projects), projects));
    }

    ExportRequest year1996(std::int32_t projectId = -1) const {
        ExportRequest r;
        r.period = {at(1996, 1, 1), at(1996, 12, 31, 23, 59, 59)};
        r.projectId = projectId;
        r.userName = "Ann";
        return r;
    }

    Result<std::string> run(const ExportRequest& request, FileSystem* fs = nullptr) {
        std::string text;
        const Status st = writeExport(fs ? *fs : m_fs, m_set, request, [&](std::string_view piece) {
            text += piece;
            return true;
        });
        if (!st) return st;
        return text;
    }
};

TEST_F(ExportFile, FileOrderPeriodBoundsAndProjectFilter) {
    writeFrames({
        {1, at(1996, 6, 1, 9), at(1996, 6, 1, 10)},
        {0, at(1996, 12, 31, 23, 59), at(1997, 1, 1, 1)},   // starts on the To date: in, whole
        {2, at(1996, 3, 1, 8), at(1996, 3, 1, 8, 30)},      // earlier, yet after in file order
        {0, at(1995, 12, 31, 23, 59), at(1996, 1, 1, 2)},   // starts the day before: out
        {9, at(1996, 2, 2, 9), at(1996, 2, 2, 9, 1)},       // no such project
    });
    const std::string header = "User\tProject\tDate\tTime\tDuration\r\n";
    const std::string logo = "Ann\tLogo\t06/01/96\t09:00 AM\t01:00\r\n";
    const std::string web = "Ann\tWeb\t12/31/96\t11:59 PM\t01:01\r\n";
    const std::string site = "Ann\tWeb site\t03/01/96\t08:00 AM\t00:30\r\n";
    const std::string deleted = "Ann\t(deleted project 9)\t02/02/96\t09:00 AM\t00:01\r\n";

    m_fs.resetCounts();  // writing the set above read it too
    EXPECT_EQ(*run(year1996()), header + logo + web + site + deleted);
    EXPECT_EQ(m_fs.reads(path(FileKind::Projects)), 1);
    EXPECT_EQ(m_fs.reads(path(FileKind::TimeFrames)), 1);
    EXPECT_EQ(*run(year1996(0)), header + web);  // its own id only, not the sub-project's
    EXPECT_EQ(*run(year1996(2)), header + site);

    ExportRequest empty = year1996();
    empty.period = {at(1997, 1, 2), at(1997, 1, 1, 23, 59, 59)};  // inverted: selects nothing
    m_fs.resetCounts();
    EXPECT_EQ(*run(empty), header);
    EXPECT_EQ(m_fs.reads(path(FileKind::Projects)), 0);
}

TEST_F(ExportFile, FailuresAreReportedWithTheirFile) {
    writeFrames({{0, at(1996, 6, 1, 9), at(1996, 6, 1, 10)}});
    test::FaultyFileSystem faulty;
    faulty.failEvery(test::FaultyFileSystem::Op::OpenRead);
    EXPECT_EQ(run(year1996(), &faulty).status().message(),
              "Cannot open time frames file : " + path(FileKind::TimeFrames));

    int pieces = 0;
    const Status refused = writeExport(m_fs, m_set, year1996(), [&](std::string_view) {
        ++pieces;
        return false;
    });
    EXPECT_EQ(refused.code(), StatusCode::IoError);
    EXPECT_EQ(pieces, 1);

    ASSERT_TRUE(std::filesystem::remove(path(FileKind::Projects)));
    EXPECT_EQ(run(year1996()).status().message(), "Cannot open project file : " + path(FileKind::Projects));
}

TEST_F(ExportFile, LargeExportsArriveWholeInPieces) {
    std::vector<TimeFrameRecord> frames;
    for (int i = 0; i < 5000; ++i) frames.push_back({i % 3, at(1996, 5, 1) + i * 60, at(1996, 5, 1) + i * 60 + 60});
    writeFrames(frames);
    int pieces = 0;
    std::size_t lines = 0;
    const Status st = writeExport(m_fs, m_set, year1996(), [&](std::string_view piece) {
        ++pieces;
        for (const char c : piece) lines += c == '\n';
        return true;
    });
    ASSERT_TRUE(st);
    EXPECT_GT(pieces, 1);
    EXPECT_EQ(lines, 5001u);
}

// Every byte is the same whatever locale the process runs in.
TEST_F(ExportFile, SameBytesUnderGermanAndCLocales) {
    writeFrames({
        {0, at(1996, 3, 14, 16), at(1996, 3, 14, 19)},
        {1, at(1996, 10, 27, 1, 30), at(1996, 10, 27, 1, 45)},  // the repeated hour, first pass
        {2, at(1996, 4, 7, 3), at(1996, 4, 7, 3, 1)},           // just after the spring switch
    });
    const std::string expected =
        "User\tProject\tDate\tTime\tDuration\r\n"
        "Jürgen\tWeb\t14/03/96\t04:00 PM\t03:00\r\n"
        "Jürgen\tLogo\t27/10/96\t01:30 AM\t00:15\r\n"
        "Jürgen\tWeb site\t07/04/96\t03:00 AM\t00:01\r\n";
    ExportRequest request = year1996();
    request.userName = "Jürgen";
    request.monthFirst = false;
    for (const char* locale : {"de_DE.UTF-8", "C"}) {
        ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << locale << " is not installed (scripts/install-deps)";
        EXPECT_EQ(*run(request), expected) << locale;
    }
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace ql

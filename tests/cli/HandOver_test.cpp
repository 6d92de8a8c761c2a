// Which runs quillory-cli hands over to its Qt half, and when: once, before the body reads the
// file set, and only after what the user is refused first; never for the other commands.
#include "CliFixture.h"

#include "cli/CliApp.h"
#include "cli/Commands.h"
#include "support/FaultyFileSystem.h"

#include "core/store/FileSet.h"

#include <fstream>
#include <sstream>

namespace ql::test {
namespace {

// A renderer that takes over in place (as the Qt half's does) or fails to (as a quillory-cli
// without its Qt half does), counting the hand-overs and the file reads made before the first.
class CountingPdf final : public cli::PdfRenderer {
public:
    CountingPdf(const FaultyFileSystem& fs, bool canTakeOver) : m_fs(fs), m_canTakeOver(canTakeOver) {}

    Status takeOver() override {
        if (takeOvers++ == 0) readsBeforeTakeOver = m_fs.totalReads();
        return m_canTakeOver ? Status::ok() : Status::ioError("cannot start the PDF renderer (counted)");
    }
    Result<std::string> invoicePdf(FileSystem&, const Invoice&, const InvoiceParties&) override {
        return std::string("%PDF-1.4 counted\n%%EOF\n");
    }
    Result<std::string> facturXAttachment(const std::string&) override {
        return Status::notFound("the PDF has no factur-x.xml");
    }
    Status writeTable(FileSystem&, const ReportTable&, const char*, const Clock&, const std::string&) override {
        ++pagesWritten;
        return Status::ok();
    }
    Status writeWeekChart(FileSystem&, const WeekChart&, const std::string&) override {
        ++pagesWritten;
        return Status::ok();
    }

    int takeOvers = 0;
    int readsBeforeTakeOver = -1;
    int pagesWritten = 0;

private:
    const FaultyFileSystem& m_fs;
    bool m_canTakeOver;
};

class HandOver : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        init();
        ok({"add-customer", path, "--name", "Acme"});
        ok({"add-project", path, "--name", "Design", "--customer", "0", "--rate", "60"});
        ok({"add-frame", path, "--project", "0", "--start", "1996-11-04 09:00", "--minutes", "90"});
        std::ofstream(dir.path("invoice.xml")) << "<not-an-invoice/>\n";
        std::ofstream(dir.path("invoice.pdf")) << "%PDF-1.7\n% no attachment\n%%EOF\n";
        std::ofstream(dir.path("short.pdf")) << "%PDF";
    }

    struct Run {
        int exitCode;
        std::string err;
        int takeOvers;
        int readsBeforeTakeOver;
        int pagesWritten;
    };

    // args name the set as SET and files of the folder as @name.
    Run run(const std::vector<std::string>& args, bool canTakeOver) {
        std::vector<std::string> full{"quillory-cli"};
        for (const std::string& a : args)
            full.push_back(a == "SET" ? path : a.starts_with("@") ? dir.path(a.substr(1)) : a);
        std::vector<const char*> argv;
        for (const auto& a : full) argv.push_back(a.c_str());
        FaultyFileSystem fs;
        CountingPdf pdf(fs, canTakeOver);
        const FixedClock clock(local(1996, 11, 20, 10, 0));
        std::ostringstream out, err;
        const int code = cli::runCli(static_cast<int>(argv.size()), argv.data(), out, err, fs, clock, &pdf);
        return {code, err.str(), pdf.takeOvers, pdf.readsBeforeTakeOver, pdf.pagesWritten};
    }
};

TEST_F(HandOver, OnlyTheRunsThatPrintReadAPdfOrOrderNamesHandOverAndThoseOnceBeforeReading) {
    const struct {
        std::vector<std::string> args;
        int takeOvers;
        int exitCode;  // with a renderer that takes over in place
    } cases[] = {
        {{"totals", "SET", "--at", "1996-11-20 10:00"}, 0, 0},
        {{"show", "SET", "projects"}, 0, 0},
        {{"pie", "SET", "--period", "this-month"}, 0, 0},
        {{"export", "SET", "--out", "@export.txt"}, 0, 0},
        {{"invoices", "SET"}, 0, 0},
        {{"--help"}, 0, 0},
        {{"history", "SET"}, 1, 0},  // sorted by project unless told otherwise
        {{"history", "SET", "--sort", "project", "--json"}, 1, 0},
        {{"history", "SET", "--sort", "date"}, 0, 0},
        {{"history", "SET", "--sort", "charges", "--json"}, 0, 0},
        // The Qt half refuses a bad value as this process would: the hand-over comes first.
        {{"history", "SET", "--at", "1996-13-01 10:00"}, 1, 2},
        {{"invoice", "SET", "--customer", "0", "--from", "1996-11-01", "--to", "1996-11-30", "--text", "@i.txt", "--no-advance"}, 0, 0},
        {{"invoice", "SET", "--customer", "0", "--from", "1996-11-01", "--to", "1996-11-30", "--pdf", "@i.pdf"}, 1, 0},
        {{"invoice", "SET", "--customer", "0", "--xml", "@i.xml"}, 0, 2},  // no billing details
        {{"report", "SET", "customers", "--pdf", "@c.pdf"}, 1, 0},
        {{"report", "SET", "week", "--at", "1996-11-04 10:00", "--pdf", "@w.pdf"}, 1, 0},
        {{"einvoice-check", "@invoice.xml"}, 0, 2},
        {{"einvoice-check", "@invoice.pdf"}, 1, 2},  // a PDF without its XML inside
        {{"einvoice-check", "@none.pdf"}, 0, 2},
        {{"einvoice-check", "@short.pdf"}, 0, 2},  // too short to be a PDF
    };
    for (const auto& c : cases) {
        const std::string shown = ::testing::PrintToString(c.args);
        const Run r = run(c.args, true);
        EXPECT_EQ(r.takeOvers, c.takeOvers) << shown;
        EXPECT_EQ(r.exitCode, c.exitCode) << shown << r.err;
        // The e-invoice check peeks at its own file, never at a set's.
        if (r.takeOvers > 0 && c.args[0] != "einvoice-check") {
            EXPECT_EQ(r.readsBeforeTakeOver, 0) << shown;
        }
        if (c.args[0] == "report") {
            EXPECT_EQ(r.pagesWritten, 1) << shown;
        }
    }
}

// What the user is refused before a hand-over is refused without one, in the same words and
// with the same exit status, whether or not the Qt half could have started.
TEST_F(HandOver, RefusalsBeforeTheHandOverNeedNoQtHalf) {
    const FileSet set(path);
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"invoice", "SET", "--from", "1996-11-01", "--to", "1996-11-30", "--pdf", "@i.pdf"}, "--customer is required"},
        {{"invoice", "SET", "--customer", "0", "--pdf", set.projects()}, set.projects()},
        {{"report", "SET", "history", "--pdf", set.timeFrames()}, set.timeFrames()},
        {{"report", "SET", "weekly", "--pdf", "@r.pdf"}, "weekly"},
        {{"einvoice-check", "@none.pdf"}, "Cannot open e-invoice file : "},
    };
    for (const auto& c : cases) {
        const std::string shown = ::testing::PrintToString(c.args);
        for (const bool canTakeOver : {true, false}) {
            const Run r = run(c.args, canTakeOver);
            EXPECT_EQ(r.takeOvers, 0) << shown;
            EXPECT_EQ(r.exitCode, 2) << shown << r.err;
            EXPECT_NE(r.err.find(c.message), std::string::npos) << shown << r.err;
        }
    }
}

// Without the Qt half, pages and PDFs fail with its reason; the history is still printed.
TEST_F(HandOver, AHandOverThatFailsEndsOnlyTheRunsThatCannotDoWithoutIt) {
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"history", "SET"}, 0},
        {{"invoice", "SET", "--customer", "0", "--from", "1996-11-01", "--to", "1996-11-30", "--pdf", "@i.pdf"}, 1},
        {{"report", "SET", "customers", "--pdf", "@c.pdf"}, 1},
        {{"einvoice-check", "@invoice.pdf"}, 1},
    };
    for (const auto& c : cases) {
        const std::string shown = ::testing::PrintToString(c.args);
        const auto before = folderSnapshot(dir.root());
        const Run r = run(c.args, false);
        EXPECT_EQ(r.takeOvers, 1) << shown;
        EXPECT_EQ(r.exitCode, c.exitCode) << shown << r.err;
        EXPECT_EQ(r.pagesWritten, 0) << shown;
        if (c.exitCode != 0) {
            EXPECT_EQ(r.err, "quillory-cli: cannot start the PDF renderer (counted)\n") << shown;
            EXPECT_EQ(folderSnapshot(dir.root()), before) << shown;
        }
    }
}

}  // namespace
}  // namespace ql::test

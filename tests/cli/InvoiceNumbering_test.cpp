#include "CliFixture.h"

#include "cli/Commands.h"
#include "core/store/FileSet.h"
#include "core/store/Settings.h"
#include "support/FaultyFileSystem.h"

#include <filesystem>
#include <sstream>

namespace ql::test {
namespace {

// Pages without a renderer: the bytes stand for the invoice's PDF.
class FakePdf final : public cli::PdfRenderer {
public:
    Status takeOver() override { return Status::ok(); }
    Result<std::string> invoicePdf(FileSystem&, const Invoice&, const InvoiceParties&) override {
        return std::string("%PDF-1.4 fake invoice\n%%EOF\n");
    }
};

// Watches the moment an invoice shows under its name: which next number was stored then, and
// whether that rename fails.
class WatchedFileSystem final : public FileSystemWrapper {
public:
    WatchedFileSystem(FileSystem& target, std::string output, FileSet set)
        : FileSystemWrapper(target), m_output(std::move(output)), m_set(std::move(set)) {}
    Status rename(const std::string& from, const std::string& to) override {
        if (to != m_output) return FileSystemWrapper::rename(from, to);
        storedAtShowing = readSettings(target(), m_set)->nextInvoiceNumber;
        if (failShowing) return Status::ioError("injected rename failure").withReason("No space left on device");
        return FileSystemWrapper::rename(from, to);
    }
    bool failShowing = false;
    std::string storedAtShowing;

private:
    std::string m_output;
    FileSet m_set;
};

using InvoiceNumbering = CliTest;

// quillory-cli invoice in the process, with faults where an invoice and its number meet.
TEST_F(InvoiceNumbering, AnInvoiceShowsOnlyWithItsNumberStoredAndAFailureUsesNoNumber) {
    using Op = FaultyFileSystem::Op;
    enum class Fault { None, StoringTheNumber, WritingTheInvoice, ShowingTheInvoice };
    const struct {
        const char* name;
        Fault fault;
        bool written;
        const char* next;
    } cases[] = {
        {"sound", Fault::None, true, "9600002"},
        {"settings cannot be stored", Fault::StoringTheNumber, false, "9600001"},
        {"invoice cannot be written", Fault::WritingTheInvoice, false, "9600001"},
        {"invoice cannot be renamed into place", Fault::ShowingTheInvoice, false, "9600001"},
    };
    for (const bool asPdf : {false, true}) {
        for (const auto& c : cases) {
            const std::string label = std::string(c.name) + (asPdf ? " (pdf)" : " (text)");
            TempDir folder;
            const std::string set = folder.path("Work.qlr");
            ASSERT_EQ(runCli({"init", set}).exitCode, 0);
            ASSERT_EQ(runCli({"add-customer", set, "--name", "Acme"}).out, "0\n");
            const std::string output = folder.path(asPdf ? "invoice.pdf" : "invoice.txt");

            FaultyFileSystem faulty;
            WatchedFileSystem fs(faulty, output, FileSet(set));
            if (c.fault == Fault::StoringTheNumber) faulty.failOn(Op::Create, FileSet(set).temporary());
            if (c.fault == Fault::WritingTheInvoice) faulty.failOn(Op::Create, output + ".part");
            fs.failShowing = c.fault == Fault::ShowingTheInvoice;

            cli::InvoiceCommandRequest request;
            request.path = set;
            request.customer = "0";
            request.from = "1996-11-01";
            request.to = "1996-11-30";
            (asPdf ? request.pdf : request.text) = output;
            FakePdf pdf;
            FixedClock clock(0);
            std::ostringstream out;
            const Status st = cli::runInvoice(fs, clock, pdf, request, out);

            EXPECT_EQ(st.isOk(), c.written) << label << ": " << st.message();
            EXPECT_EQ(std::filesystem::exists(output), c.written) << label;
            EXPECT_EQ(readSettings(defaultFileSystem(), FileSet(set))->nextInvoiceNumber, c.next) << label;
            if (c.fault != Fault::StoringTheNumber && c.fault != Fault::WritingTheInvoice) {
                EXPECT_EQ(fs.storedAtShowing, "9600002") << label;  // stored before the invoice showed
            }
            if (!c.written) {
                EXPECT_NE(st.message().find("Cannot write"), std::string::npos) << label << st.message();
            }
            // Whatever happened, no temporary stays beside the invoice or the set.
            for (const auto& entry : std::filesystem::directory_iterator(folder.root())) {
                const std::string name = entry.path().filename().string();
                const bool ofSet = name.starts_with("Work.") && name.find("tmp") == std::string::npos;
                EXPECT_TRUE(ofSet || name == std::filesystem::path(output).filename().string()) << label << ": " << name;
            }
        }
    }
}

// A number with a prefix set from the command line is stored as given, printed on the
// invoice and followed by the number with its last digits counted up.
TEST_F(InvoiceNumbering, ANumberOfAnyTextRoundTripsAndCountsOnInItsLastDigits) {
    ok({"init", path});
    ok({"add-customer", path, "--name", "Acme"});
    ok({"add-project", path, "--name", "Design", "--customer", "0", "--rate", "60"});
    ok({"add-frame", path, "--project", "0", "--start", "1996-11-04 09:00", "--minutes", "90"});
    const struct {
        const char* set;
        const char* after;
        const char* afterThat;
    } cases[] = {
        {"INV-099", "INV-100", "INV-101"},
        {"2026-0042", "2026-0043", "2026-0044"},
        {"96-15", "96-16", "96-17"},
        {"A9Z", "A10Z", "A11Z"},
        {"R\xC3\xA9" "f. 2026/9", "R\xC3\xA9" "f. 2026/10", "R\xC3\xA9" "f. 2026/11"},
        {"Draft", "1", "2"},
    };
    const std::vector<std::string> invoice{"invoice", path, "--customer", "0", "--from", "1996-11-01",
                                           "--to", "1996-11-30", "--text", "-", "--rebill"};
    for (const auto& c : cases) {
        ok({"settings", path, "--set", std::string("nextInvoiceNumber=") + c.set});
        EXPECT_EQ(showJson("settings")[0]["nextInvoiceNumber"], c.set);
        for (const std::string& number : {std::string(c.set), std::string(c.after)}) {
            const std::string text = ok(invoice);
            EXPECT_EQ(text.substr(0, text.find('\n')), "INVOICE# " + number) << c.set;
        }
        EXPECT_EQ(showJson("settings")[0]["nextInvoiceNumber"], c.afterThat) << c.set;
    }
}

}  // namespace
}  // namespace ql::test

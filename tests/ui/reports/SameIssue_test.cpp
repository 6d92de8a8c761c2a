// Issuing is one operation for both front ends: the same invoices issued through the window's
// invoice command and through quillory-cli, on two copies of one file set at one time, leave
// the same register, texts and next number behind, and write the same files.
#include "cli/CliRunner.h"
#include "ui/NamedChild.h"
#include "ui/app/ShellFixture.h"

#include "core/reports/InvoiceRegister.h"
#include "core/store/BillingDetails.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "ui/common/CommandIds.h"
#include "ui/reports/CNewInvoiceDlg.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

namespace {

std::string fileBytes(const std::string& path) {
    const std::vector<unsigned char> bytes = ql::test::readBytes(path);
    return {bytes.begin(), bytes.end()};
}

// Design Works (Germany) bills Acme (France) for Web at 30.00 and Audit at 52.50 an hour, in
// December 1996; every detail an e-invoice needs is there.
class SameIssue : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("window"))));
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("script"))));
        m_window = makeFileSet(QStringLiteral("window/Work.qlr")).toStdString();
        m_script = path(QStringLiteral("script/Work.qlr")).toStdString();
        auto& fs = ql::defaultFileSystem();
        const ql::FileSet set(m_window);
        ASSERT_TRUE(ql::updateSettings(fs, set, [](ql::SettingsRecord& s) {
            s.companyName = "Design Works";
            s.applySalesTax = 1, s.salesTaxLabel = "VAT", s.salesTaxRate = 19.0;
            return ql::Status::ok();
        }));
        ASSERT_TRUE(ql::updateBillingDetails(fs, set, [](ql::BillingDetails& b) {
            b.countryCode = "DE";
            b.vatId = "DE123456788";
            b.currencyCode = "EUR";
            return ql::Status::ok();
        }));
        ql::CustomerRecord acme;
        acme.name = "Acme";
        ql::CustomerDetails details;
        details.countryCode = "FR";
        ASSERT_TRUE(ql::addCustomerWithDetails(fs, acme, details, set));
        ASSERT_TRUE(ql::writeProjects(fs, set.path(ql::FileKind::Projects),
                                      {{0, "Web", 0, 30.0, {}, -1}, {1, "Audit", 0, 52.5, {}, -1}}));
        for (int day = 2; day <= 20; day += 3) {
            const std::int32_t start = *ql::calendar::fromLocal(1996, 12, day, 9, 0);
            ASSERT_TRUE(ql::appendTimeFrame(fs, set, {day % 2, start, start + 3600 + day * 61}));
        }
        for (const auto& entry : std::filesystem::directory_iterator(path(QStringLiteral("window")).toStdString()))
            std::filesystem::copy_file(entry.path(), path(QStringLiteral("script")).toStdString() + "/" +
                                                         entry.path().filename().string());
    }

    // The window's Ctrl+I: the dialog filled in, a button pressed, the save dialog answered.
    void issueInWindow(CTessalyApp& app, const char* from, const char* to, const char* button, const QString& file) {
        modal.savePaths = {file};
        modal.answerDialog = [&](QDialog& d) {
            auto& dlg = dynamic_cast<CNewInvoiceDlg&>(d);
            child<QLineEdit>(dlg, "fromEdit")->setText(QString::fromLatin1(from));
            child<QLineEdit>(dlg, "toEdit")->setText(QString::fromLatin1(to));
            child<QPushButton>(dlg, button)->click();
            return dlg.result();
        };
        app.frame().action(cmd::kInvoice)->trigger();
    }
    void issueByScript(std::vector<std::string> args) {
        args.insert(args.begin(), {"invoice", m_script, "--customer", "0", "--at", "1996-12-11 10:00"});
        const ql::test::CliRun run = ql::test::runCli(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
    }
    // The register of set whole, its texts and the next number: all that issuing wrote there.
    static std::vector<std::string> issuedState(const std::string& settings) {
        const ql::FileSet set(settings);
        return {fileBytes(set.invoiceRegister()), fileBytes(set.invoiceTexts()),
                ql::readSettings(ql::defaultFileSystem(), set)->nextInvoiceNumber};
    }

    std::string m_window;
    std::string m_script;
};

TEST_F(SameIssue, TheWindowAndTheCommandLineIssueTheSameBytes) {
    auto app = startApp(QString::fromStdString(m_window));
    const auto out = [this](const char* name) { return path(QString::fromLatin1(name)); };
    const struct {
        const char* name;
        const char* from;  // as the window's date fields take it
        const char* to;
        const char* button;
        int billedAnswer;  // the window's answer, should it be asked: 0 Leave Out, 1 Bill Again
        std::vector<std::string> cliArgs;  // besides the period and the output
        const char* cliFrom;
        const char* cliTo;
        bool xml;
    } cases[] = {
        {"text file", "12/01/1996", "12/10/1996", "toFileButton", 0, {}, "1996-12-01", "1996-12-10", false},
        {"e-invoice, billed time left out", "12/01/1996", "12/31/1996", "eInvoiceXmlButton", 0, {"--unbilled"},
         "1996-12-01", "1996-12-31", true},
        {"text file, billed again", "12/05/1996", "12/31/1996", "toFileButton", 1, {"--rebill"}, "1996-12-05",
         "1996-12-31", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string extension = c.xml ? ".xml" : ".txt";
        const QString windowFile = out(("window-out" + extension).c_str());
        const std::string scriptFile = out(("script-out" + extension).c_str()).toStdString();
        prompter.chooseFor = [&c](const QString&) { return c.billedAnswer; };
        issueInWindow(*app, c.from, c.to, c.button, windowFile);
        std::vector<std::string> args = c.cliArgs;
        args.insert(args.end(), {"--from", c.cliFrom, "--to", c.cliTo, c.xml ? "--xml" : "--text", scriptFile});
        issueByScript(args);

        const std::string written = fileBytes(windowFile.toStdString());
        EXPECT_NE(written.find(c.xml ? "DE123456788" : "INVOICE# "), std::string::npos) << written;
        EXPECT_EQ(fileBytes(scriptFile), written);
        EXPECT_EQ(issuedState(m_script), issuedState(m_window));
    }
    const auto reg = ql::readInvoiceRegister(ql::defaultFileSystem(), ql::FileSet(m_window));
    ASSERT_TRUE(reg.isOk());
    ASSERT_EQ(reg->invoices().size(), 3u);
    EXPECT_FALSE(reg->invoices()[1].rebills);
    EXPECT_TRUE(reg->invoices()[2].rebills);
    EXPECT_EQ(issuedState(m_window)[2], "9600004");
}

}  // namespace

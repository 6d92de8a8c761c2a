#include "ui/NamedChild.h"
#include "ui/app/ShellFixture.h"

#include "core/einvoice/CiiInvoice.h"
#include "core/reports/InvoiceIssue.h"
#include "core/reports/InvoiceRegister.h"
#include "core/store/BillingDetails.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "einvoicepdf/FacturX.h"
#include "ui/TempFileSet.h"
#include "ui/common/CommandIds.h"
#include "ui/reports/CInvoicesDlg.h"
#include "ui/reports/CNewInvoiceDlg.h"
#include "ui/reports/PrintDispatch.h"

#include <QAction>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>

#include <functional>

namespace {

// Acme (France) is billed by Design Works (Germany) for Web at 30.00 an hour, an hour on
// 2 December 1996; every detail an e-invoice needs is there.
class EInvoiceButtons : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        m_settings = makeFileSet(QStringLiteral("Work.qlr"));
        m_path = m_settings.toStdString();
        ASSERT_TRUE(ql::updateSettings(fs(), set(), [](ql::SettingsRecord& s) {
            s.companyName = "Design Works";
            return ql::Status::ok();
        }));
        ASSERT_TRUE(ql::updateBillingDetails(fs(), set(), [](ql::BillingDetails& b) {
            b.countryCode = "DE";
            b.vatId = "DE123456788";
            b.currencyCode = "EUR";
            return ql::Status::ok();
        }));
        ql::CustomerRecord acme;
        acme.name = "Acme";
        ql::CustomerDetails details;
        details.countryCode = "FR";
        ASSERT_TRUE(ql::addCustomerWithDetails(fs(), acme, details, set()));
        ql::ProjectRecord web;
        web.id = 0;
        web.name = "Web";
        web.customerId = 0;
        web.chargesPerHour = 30.0;
        ASSERT_TRUE(ql::writeProjects(fs(), set().path(ql::FileKind::Projects), {web}));
        const std::int32_t start = *ql::calendar::fromLocal(1996, 12, 2, 9, 0);
        ASSERT_TRUE(ql::appendTimeFrame(fs(), set(), {0, start, start + 3600}));
        // Issuing the same hour again is meant here: it is billed again.
        prompter.chooseFor = [](const QString&) { return 1; };  // Bill Again
    }
    static ql::FileSystem& fs() { return ql::defaultFileSystem(); }
    ql::FileSet set() const { return ql::FileSet(m_path); }
    std::string storedNumber() const { return ql::readSettings(fs(), set())->nextInvoiceNumber; }
    std::size_t registered() const { return ql::readInvoiceRegister(fs(), set())->invoices().size(); }
    // The e-invoice of issued invoice i, as the core writes it.
    std::string issuedXml(std::size_t i) const {
        auto reg = ql::readInvoiceRegister(fs(), set());
        auto content = ql::issuedContent(fs(), *reg, i, set());
        EXPECT_TRUE(content.isOk());
        auto xml = ql::ciiInvoiceXml(content->invoice, content->parties);
        EXPECT_TRUE(xml.isOk()) << xml.status().message();
        return xml ? *xml : std::string();
    }
    std::string written(const QString& file) const {
        const std::vector<char> bytes = TempFileSet::bytes(file.toStdString());
        return {bytes.begin(), bytes.end()};
    }
    // The e-invoice a written file carries: the file itself, or the PDF's attachment.
    std::string carried(const char* button, const QString& file) const {
        if (std::string(button) == "eInvoiceXmlButton") return written(file);
        auto xml = ql::facturXAttachment(written(file));
        EXPECT_TRUE(xml.isOk()) << xml.status().message();
        return xml ? *xml : std::string();
    }
    void runNewInvoice(CTessalyApp& app, const std::function<void(CNewInvoiceDlg&)>& act) {
        modal.answerDialog = [act](QDialog& d) {
            auto& dlg = dynamic_cast<CNewInvoiceDlg&>(d);
            act(dlg);
            return dlg.result();
        };
        app.frame().action(cmd::kInvoice)->trigger();
    }
    void runInvoices(CTessalyApp& app, const std::function<void(CInvoicesDlg&)>& act) {
        modal.answerDialog = [act](QDialog& d) {
            act(dynamic_cast<CInvoicesDlg&>(d));
            return int(QDialog::Rejected);
        };
        app.frame().action(cmd::kInvoices)->trigger();
    }
    // Every box but the question about hours billed already.
    std::vector<RecordingPrompter::Box> told() const {
        std::vector<RecordingPrompter::Box> boxes;
        for (const auto& box : prompter.boxes)
            if (!box.text.contains(QStringLiteral("billed already"))) boxes.push_back(box);
        return boxes;
    }

    QString m_settings;
    std::string m_path;
};

struct Form {
    const char* button;
    const char* name;  // offered by the save dialog
    const char* filter;
};
constexpr Form kForms[] = {{"eInvoiceXmlButton", "Invoice 9600001.xml", "XML files (*.xml)"},
                           {"facturXButton", "Invoice 9600002.pdf", "PDF files (*.pdf)"}};

// Either button of the New invoice dialog issues the invoice and writes its e-invoice, as the
// register holds it, where the save dialog says; Reports > Invoices... writes it again as issued.
TEST_F(EInvoiceButtons, WriteTheIssuedInvoiceAsEInvoiceFromBothDialogs) {
    auto app = startApp(m_settings);
    std::size_t issued = 0;
    for (const Form& form : kForms) {
        const QString target = path(QString::fromLatin1(form.button));
        modal.savePaths = {target};
        runNewInvoice(*app, [&](CNewInvoiceDlg& d) { child<QPushButton>(d, form.button)->click(); });
        ASSERT_EQ(registered(), ++issued) << form.button;
        ASSERT_FALSE(modal.saveRequests.empty());
        EXPECT_EQ(modal.saveRequests.back().fileName.toStdString(), form.name);
        EXPECT_EQ(modal.saveRequests.back().filter.toStdString(), form.filter);
        EXPECT_EQ(modal.saveRequests.back().folder, QFileInfo(m_settings).absolutePath());
        EXPECT_EQ(carried(form.button, target), issuedXml(issued - 1)) << form.button;
        EXPECT_TRUE(told().empty()) << told().front().text.toStdString();

        const QString again = target + QStringLiteral(".again");
        modal.savePaths = {again};
        runInvoices(*app, [&](CInvoicesDlg& d) { child<QPushButton>(d, form.button)->click(); });
        EXPECT_EQ(written(again), written(target)) << form.button;
        EXPECT_EQ(registered(), issued);
    }
    // A void invoice is not offered as an e-invoice again.
    ASSERT_TRUE(ql::voidInvoice(fs(), set(), "9600002"));
    runInvoices(*app, [](CInvoicesDlg& d) {
        for (const Form& form : kForms) EXPECT_FALSE(child<QPushButton>(d, form.button)->isEnabled()) << form.button;
        EXPECT_TRUE(child<QPushButton>(d, "toFileButton")->isEnabled());
    });
}

// Each detail the standard requires is named, with where to fill it in, by both buttons of both
// dialogs: the New invoice dialog stays open and takes no number; nothing is written.
TEST_F(EInvoiceButtons, AMissingDetailIsNamedAndNothingIsIssuedOrWritten) {
    using Change = std::function<void()>;
    auto billing = [this](std::function<void(ql::BillingDetails&)> edit) {
        ASSERT_TRUE(ql::updateBillingDetails(fs(), set(), [&](ql::BillingDetails& b) {
            edit(b);
            return ql::Status::ok();
        }));
    };
    auto customerCountry = [this](const char* code) {
        ASSERT_TRUE(ql::updateCustomerDetails(fs(), set(), 0, [code](ql::CustomerDetails& d) {
            d.countryCode = code;
            return ql::Status::ok();
        }));
    };
    const struct {
        Change breaks, mends;
        const char* named;
    } cases[] = {
        {[&] { billing([](ql::BillingDetails& b) { b.countryCode.clear(); }); },
         [&] { billing([](ql::BillingDetails& b) { b.countryCode = "DE"; }); },
         "the seller's country code (File > Properties > Billing)"},
        {[&] { billing([](ql::BillingDetails& b) { b.vatId.clear(); }); },
         [&] { billing([](ql::BillingDetails& b) { b.vatId = "DE123456788"; }); },
         "the seller's VAT ID or registration number (File > Properties > Billing)"},
        {[&] { billing([](ql::BillingDetails& b) { b.currencyCode.clear(); }); },
         [&] { billing([](ql::BillingDetails& b) { b.currencyCode = "EUR"; }); },
         "the currency code (File > Properties > Billing)"},
        {[&] { customerCountry(""); }, [&] { customerCountry("FR"); },
         "the customer's country code (Customers > Edit Customers...)"},
    };
    // One invoice issued while every detail was there: the register's dialog has one to write.
    auto app = startApp(m_settings);
    app->printDispatch().setPreviewRunner([](QPrinter&, PageSource&) {});
    runNewInvoice(*app, [](CNewInvoiceDlg& d) { child<QPushButton>(d, "printButton")->click(); });
    ASSERT_EQ(registered(), 1u);
    const std::string next = storedNumber();
    for (const auto& c : cases) {
        c.breaks();
        for (const Form& form : kForms) {
            prompter.boxes.clear();
            modal.saveRequests.clear();
            int result = -1;
            runNewInvoice(*app, [&](CNewInvoiceDlg& d) {
                child<QPushButton>(d, form.button)->click();
                result = d.result();
            });
            EXPECT_EQ(result, 0) << c.named << " " << form.button;
            // Named before anything is asked about the hours the first invoice billed.
            EXPECT_EQ(prompter.boxes.size(), 1u) << c.named << " " << form.button;
            ASSERT_EQ(told().size(), 1u) << c.named << " " << form.button;
            EXPECT_EQ(told()[0].caption, QStringLiteral("E-invoice"));
            EXPECT_TRUE(told()[0].text.startsWith(QStringLiteral("The e-invoice lacks details the standard requires:\n")))
                << told()[0].text.toStdString();
            EXPECT_TRUE(told()[0].text.contains(QString::fromUtf8(c.named))) << told()[0].text.toStdString();
            EXPECT_TRUE(modal.saveRequests.empty());
            EXPECT_EQ(storedNumber(), next);
            EXPECT_EQ(registered(), 1u);
        }
        c.mends();
    }
    // An invoice issued without a detail cannot gain it afterwards: refused as issued.
    billing([](ql::BillingDetails& b) { b.currencyCode.clear(); });
    runNewInvoice(*app, [](CNewInvoiceDlg& d) { child<QPushButton>(d, "printButton")->click(); });
    ASSERT_EQ(registered(), 2u);
    billing([](ql::BillingDetails& b) { b.currencyCode = "EUR"; });
    for (const Form& form : kForms) {
        prompter.boxes.clear();
        runInvoices(*app, [&](CInvoicesDlg& d) { child<QPushButton>(d, form.button)->click(); });
        ASSERT_EQ(told().size(), 1u) << form.button;
        EXPECT_TRUE(told()[0].text.contains(QStringLiteral("the currency code (File > Properties > Billing)")))
            << told()[0].text.toStdString();
        EXPECT_TRUE(modal.saveRequests.empty());
    }
}

}  // namespace

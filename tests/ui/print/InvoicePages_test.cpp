#include "ui/print/PdfText.h"
#include "ui/app/ShellFixture.h"

#include "core/store/BillingDetails.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "print/InvoicePages.h"
#include "print/PageSource.h"
#include "ui/app/CTessalyView.h"
#include "ui/reports/PrintDispatch.h"
#include "ui/common/CommandIds.h"
#include "ui/reports/CNewInvoiceDlg.h"

#include <QAction>
#include <QImage>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

namespace {

// A set with customer 3 "Acme Corp" billed for `lines` frames of 90 min at 45.00 in December.
class InvoicePrint : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        m_settings = makeFileSet(QStringLiteral("Work.qlr"));
        m_path = m_settings.toStdString();
        ql::CustomerRecord c;
        c.id = 3;
        c.name = "Acme Corp";
        c.address = "1 Main St";
        c.city = "Springfield";
        c.state = "IL";
        c.zip = "62701";
        c.country = "USA";
        ASSERT_TRUE(ql::appendCustomer(ql::defaultFileSystem(), c, ql::FileSet(m_path)));
        ql::ProjectRecord p;
        p.id = 0;
        p.name = "Design";
        p.customerId = 3;
        p.chargesPerHour = 45.0;
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::fileSetPath(m_path, ql::FileKind::Projects), {p}));
    }
    void addLines(int count) {
        for (int i = 0; i < count; ++i) {
            const std::int32_t start = *ql::calendar::fromLocal(1996, 12, 1 + i % 28, 9, i / 28);
            ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(m_path), {0, start, start + 5450}));
        }
    }
    ql::InvoiceRequest december() const {
        return {3, *ql::calendar::fromLocal(1996, 12, 1), *ql::calendar::fromLocal(1996, 12, 31, 23, 59, 59), "9600001"};
    }
    InvoicePages pages() {
        auto invoice = ql::LoadInvoice(ql::defaultFileSystem(), december(), ql::FileSet(m_path));
        EXPECT_TRUE(invoice.isOk());
        auto parties = ql::loadInvoiceParties(ql::defaultFileSystem(), *invoice);
        EXPECT_TRUE(parties.isOk());
        return InvoicePages(*invoice, *parties, ql::defaultFileSystem());
    }

    QString m_settings;
    std::string m_path;
};

TEST_F(InvoicePrint, ThePdfShowsNumberCustomerLinesAndTotals) {
    addLines(2);
    InvoicePages source = pages();
    const QString pdf = path(QStringLiteral("invoice.pdf"));
    ASSERT_TRUE(writePdf(pdf, source));
    const QString text = pdfText(pdf);
    for (const char* expected : {"INVOICE# 9600001", "<Your Company Name>", "Acme Corp", "1 Main St",
                                 "Springfield, IL-62701", "USA", "Project", "Price/Hour", "Design", "12/01/1996",
                                 "09:00", "01:30", "$45.00", "$67.50", "TOTAL", "$135.00", "(6.00%)",
                                 "$8.10", "TOTAL + Sales Tax", "$143.10", "Thank you for your prompt payment."})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Page 1")));
}

// The details print on the page beside the blocks that were there before; without them the
// page shows none of their labels.
TEST_F(InvoicePrint, ThePdfShowsTheBillingDetailsWhenGiven) {
    addLines(2);
    auto issued = [&] {
        ql::InvoiceRequest request = december();
        request.issueDate = *ql::calendar::fromLocal(1996, 12, 20, 10, 0);
        auto invoice = ql::LoadInvoice(ql::defaultFileSystem(), request, ql::FileSet(m_path));
        EXPECT_TRUE(invoice.isOk());
        auto parties = ql::loadInvoiceParties(ql::defaultFileSystem(), *invoice);
        EXPECT_TRUE(parties.isOk()) << parties.status().messageWithReason();
        return InvoicePages(*invoice, *parties, ql::defaultFileSystem());
    };
    const QString plainPdf = path(QStringLiteral("plain.pdf"));
    InvoicePages plain = issued();
    ASSERT_TRUE(writePdf(plainPdf, plain));
    const QString plainText = pdfText(plainPdf);
    EXPECT_TRUE(plainText.contains(QStringLiteral("Invoice date: 12/20/1996"))) << plainText.toStdString();
    for (const char* absent : {"Due date", "VAT ID", "IBAN", "VAT exemption"})
        EXPECT_FALSE(plainText.contains(QString::fromLatin1(absent))) << absent;

    const ql::FileSet set(m_path);
    ASSERT_TRUE(ql::updateBillingDetails(ql::defaultFileSystem(), set, [](ql::BillingDetails& d) {
        d.vatId = "DE123456789";
        d.iban = "DE89370400440532013000";
        d.bic = "COBADEFFXXX";
        d.paymentTerms = "14";
        return ql::Status::ok();
    }));
    ASSERT_TRUE(ql::writeCustomerDetails(ql::defaultFileSystem(), set, 3, {"US", "", "", "PO-7"}));
    const QString pdf = path(QStringLiteral("detailed.pdf"));
    InvoicePages detailed = issued();
    ASSERT_TRUE(writePdf(pdf, detailed));
    const QString text = pdfText(pdf);
    for (const char* expected : {"Invoice date: 12/20/1996", "Period: 12/01/1996 - 12/31/1996", "Due date: 01/03/1997",
                                 "VAT ID: DE123456789", "Reference: PO-7", "IBAN: DE89 3704 0044 0532 0130 00",
                                 "BIC: COBADEFFXXX", "INVOICE# 9600001", "Acme Corp", "$143.10",
                                 "Thank you for your prompt payment."})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

TEST_F(InvoicePrint, AnAmountTooWideForItsCellShowsTheOverflowMarkNotOtherDigits) {
    ql::ProjectRecord p;
    p.id = 0;
    p.name = "Design";
    p.customerId = 3;
    p.chargesPerHour = 1e12;
    ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::fileSetPath(m_path, ql::FileKind::Projects), {p}));
    addLines(1);
    InvoicePages source = pages();
    const QString pdf = path(QStringLiteral("wide.pdf"));
    ASSERT_TRUE(writePdf(pdf, source));
    const QString text = pdfText(pdf);
    // Rate, amount, total, tax and total with tax: each too wide, each marked.
    EXPECT_GE(text.count(QStringLiteral("###")), 5) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("000000000000"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("01:30")));  // what fits is printed as it is
}

// A 1000-byte footer and a 40-character invoice text, as a user may fill them in.
TEST_F(InvoicePrint, ALongFooterStaysAboveThePageNumberAndALongTitleKeepsTheNumber) {
    std::string footer;
    for (int i = 0; footer.size() + 6 <= 1000; ++i) footer += "w" + std::to_string(1000 + i).substr(1) + " ";
    ASSERT_TRUE(ql::updateSettings(ql::defaultFileSystem(), ql::FileSet(m_path), [&](ql::SettingsRecord& s) {
        s.footer = footer;
        s.invoiceText = std::string(40, 'N');
        return ql::Status::ok();
    }));
    addLines(35);
    InvoicePages source = pages();
    const QString pdf = path(QStringLiteral("footer.pdf"));
    ASSERT_TRUE(writePdf(pdf, source));
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("9600001")));

    // Word boxes of page 1 in points; the page number's top is the line nothing may cross.
    const QString boxes = pdfText(pdf, {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                        QStringLiteral("-l"), QStringLiteral("1")});
    const QRegularExpression word(QStringLiteral("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">([^<]+)<"));
    double pageTop = -1, lowestFooter = -1;
    int footerWords = 0;
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(3) == QStringLiteral("Page")) pageTop = m.captured(1).toDouble();
        if (m.captured(3).startsWith(QLatin1Char('w'))) {
            ++footerWords;
            lowestFooter = std::max(lowestFooter, m.captured(2).toDouble());
        }
    }
    ASSERT_GT(pageTop, 0) << boxes.toStdString();
    EXPECT_GT(footerWords, 10);
    EXPECT_LE(lowestFooter, pageTop) << "the footer runs into the page number";
}

TEST_F(InvoicePrint, ThirtyFiveLinesPrintOnTwoNumberedPagesWithTheFullTotal) {
    addLines(35);
    InvoicePages source = pages();
    ASSERT_EQ(source.pageCount(), 2);
    const QString pdf = path(QStringLiteral("long.pdf"));
    ASSERT_TRUE(writePdf(pdf, source));
    for (int page = 1; page <= 2; ++page) {
        const QString n = QString::number(page);
        const QString text = pdfText(pdf, {QStringLiteral("-f"), n, QStringLiteral("-l"), n});
        EXPECT_TRUE(text.contains(QStringLiteral("Page ") + n)) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("$2362.50"))) << text.toStdString();  // 35 x 67.50
        EXPECT_EQ(text.count(QStringLiteral("$67.50")), page == 1 ? 30 : 5);
    }
}

TEST_F(InvoicePrint, TheTitleIsBoldAndTheGridFramesAreBlack) {
    addLines(1);
    InvoicePages source = pages();
    const QImage page = renderPage(source, 1, QSize(620, 830));
    // The left edge of the first column frame and the TOTAL box's bottom edge.
    EXPECT_EQ(page.pixelColor(10, 400), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(300, 679), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(300, 670), QColor(Qt::white));
    EXPECT_TRUE(invoiceTitleFont().bold());
    EXPECT_EQ(invoiceTitleFont().pixelSize(), 14);
}

TEST_F(InvoicePrint, PrintStoresTheNextNumberBeforeThePreviewOpens) {
    addLines(3);
    auto app = startApp(m_settings);
    std::vector<std::string> numberAtPreview;
    std::vector<int> pagesAtPreview;
    app->printDispatch().setPreviewRunner([&](QPrinter&, PageSource& source) {
        source.beginJob();
        numberAtPreview.push_back(ql::readSettings(ql::defaultFileSystem(), ql::FileSet(m_path))->nextInvoiceNumber);
        pagesAtPreview.push_back(source.pageCount());
    });
    modal.answerDialog = [](QDialog& d) {
        d.findChild<QPushButton*>(QStringLiteral("printButton"))->click();
        return d.result();
    };
    app->frame().action(cmd::kInvoice)->trigger();
    EXPECT_EQ(numberAtPreview, std::vector<std::string>{"9600002"});
    EXPECT_EQ(pagesAtPreview, std::vector<int>{1});
    EXPECT_EQ(app->printDispatch().printKind(), PrintDispatch::kInvoice);
    EXPECT_TRUE(prompter.boxes.empty());

    // Ctrl+P prints the last invoice again.
    int printed = 0;
    app->printDispatch().setPrintDialogRunner([&](QPrinter&, int pages) {
        printed = pages;
        return false;
    });
    app->frame().action(cmd::kFilePrint)->trigger();
    EXPECT_EQ(printed, 1);
}

}  // namespace

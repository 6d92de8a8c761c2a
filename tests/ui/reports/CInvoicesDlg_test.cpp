#include "ui/app/ShellFixture.h"
#include "ui/print/PdfText.h"

#include "core/reports/Invoice.h"
#include "core/reports/InvoiceIssue.h"
#include "core/reports/InvoiceRegister.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "print/PageSource.h"
#include "ui/common/CommandIds.h"
#include "ui/reports/CHistoryDlg.h"
#include "ui/reports/CInvoicesDlg.h"
#include "ui/reports/HistoryModel.h"
#include "ui/reports/PrintDispatch.h"

#include <QAction>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// Acme is billed for Web at $30 an hour: one hour on the 10th and one on the 11th of
// December 1996, issued as two invoices.
class InvoicesDialog : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        settings = makeFileSet(QStringLiteral("Work.qlr")).toStdString();
        ql::CustomerRecord acme;
        acme.id = 0;
        acme.name = "Acme";
        ASSERT_TRUE(ql::appendCustomer(fs(), acme, set()));
        setRate(30.0);
        for (const int day : {10, 11}) {
            const std::int32_t start = *ql::calendar::fromLocal(1996, 12, day, 9, 0);
            ASSERT_TRUE(ql::appendTimeFrame(fs(), set(), {0, start, start + 3600}));
        }
        app = startApp(QString::fromStdString(settings));
    }
    static ql::FileSystem& fs() { return ql::defaultFileSystem(); }
    ql::FileSet set() const { return ql::FileSet(settings); }
    void setRate(double rate) {
        ql::ProjectRecord web;
        web.id = 0;
        web.name = "Web";
        web.customerId = 0;
        web.chargesPerHour = rate;
        ASSERT_TRUE(ql::writeProjects(fs(), set().path(ql::FileKind::Projects), {web}));
    }
    // Issues the invoice of the given December days under the stored next number.
    void issue(int firstDay, int lastDay) {
        ql::InvoiceRequest request;
        request.customerId = 0;
        request.periodStart = *ql::calendar::fromLocal(1996, 12, firstDay, 0, 0);
        request.periodEnd = *ql::calendar::fromLocal(1996, 12, lastDay, 23, 59, 59);
        request.invoiceNumber = ql::readSettings(fs(), set())->nextInvoiceNumber;
        request.issueDate = *ql::calendar::fromLocal(1996, 12, 12, 9, 0);
        auto plan = ql::prepareInvoice(fs(), set(), request);
        ASSERT_TRUE(plan) << plan.status().message();
        auto issued = ql::issueInvoice(fs(), set(), *plan, [] { return ql::Status::ok(); });
        ASSERT_TRUE(issued);
        ASSERT_FALSE(issued->moved);
    }
    // The rows of the dialog as shown, each its six texts joined by "|".
    static QStringList rows(const CInvoicesDlg& dialog) {
        QStringList texts;
        for (int r = 0; r < dialog.list().topLevelItemCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < dialog.list().columnCount(); ++c) cells << dialog.list().topLevelItem(r)->text(c);
            texts << cells.join(QLatin1Char('|'));
        }
        return texts;
    }
    PrintDispatch& dispatch() { return app->printDispatch(); }

    std::string settings;
    std::unique_ptr<CTessalyApp> app;
};

TEST_F(InvoicesDialog, ListsTheRegisterNewestFirstAndVoidKeepsTheInvoiceListed) {
    issue(10, 10);
    issue(11, 11);
    QStringList shown, afterVoid;
    bool voidEnabledAfter = true;
    modal.answerDialog = [&](QDialog& dialog) {
        auto& invoices = dynamic_cast<CInvoicesDlg&>(dialog);
        shown = rows(invoices);
        prompter.answers = {false, true};
        invoices.voidSelected();  // No: nothing changes
        invoices.voidSelected();  // Yes
        afterVoid = rows(invoices);
        voidEnabledAfter = invoices.findChild<QPushButton*>(QStringLiteral("voidButton"))->isEnabled();
        return int(QDialog::Rejected);
    };
    app->frame().action(cmd::kInvoices)->trigger();
    EXPECT_EQ(shown, (QStringList{"9600002|12/12/1996|Acme|12/11/1996 - 12/11/1996|$31.80|issued",
                                  "9600001|12/12/1996|Acme|12/10/1996 - 12/10/1996|$31.80|issued"}))
        << shown.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0].text,
              QStringLiteral("Void invoice 9600002? It stays listed as void, its number is never issued again, and its "
                             "time frames can be invoiced again."));
    ASSERT_EQ(afterVoid.size(), 2);
    EXPECT_EQ(afterVoid[0], QStringLiteral("9600002|12/12/1996|Acme|12/11/1996 - 12/11/1996|$31.80|void"))
        << afterVoid[0].toStdString();
    EXPECT_EQ(afterVoid[1], shown[1]);
    EXPECT_FALSE(voidEnabledAfter);
    const auto reg = ql::readInvoiceRegister(fs(), set());
    ASSERT_TRUE(reg);
    EXPECT_EQ(reg->find("9600002")->state, ql::IssuedState::Void);
    EXPECT_EQ(reg->find("9600001")->state, ql::IssuedState::Issued);
}

// Reprint previews the invoice as issued, whatever changed since: the old rate's amount.
TEST_F(InvoicesDialog, ReprintShowsTheInvoiceAsIssued) {
    issue(10, 11);
    setRate(99.0);
    const QString pdf = ShellTest::path(QStringLiteral("reprint.pdf"));
    modal.savePaths = {pdf};
    bool exported = false;
    dispatch().setPreviewRunner([&](QPrinter&, PageSource& source) { exported = dispatch().exportPdf(source); });
    modal.answerDialog = [&](QDialog& dialog) {
        auto& invoices = dynamic_cast<CInvoicesDlg&>(dialog);
        invoices.reprint();
        return invoices.result();
    };
    app->frame().action(cmd::kInvoices)->trigger();
    ASSERT_TRUE(exported);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("9600001"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("60.00"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("99.00"))) << text.toStdString();
}

// The History names the invoice that billed each frame; a void invoice bills nothing.
TEST_F(InvoicesDialog, HistoryShowsEachFramesInvoice) {
    issue(10, 10);
    QStringList column;
    modal.answerDialog = [&](QDialog& dialog) {
        if (auto* history = dynamic_cast<CHistoryDlg*>(&dialog)) {
            const HistoryModel& model = history->model();
            EXPECT_EQ(model.headerData(HistoryModel::kInvoice, Qt::Horizontal).toString(), QStringLiteral("Invoice"));
            for (int r = 0; r < model.rowCount(); ++r)
                column << model.text(r, HistoryModel::kDate) + QLatin1Char('=') + model.text(r, HistoryModel::kInvoice);
        }
        return int(QDialog::Rejected);
    };
    app->frame().action(cmd::kHistory)->trigger();
    EXPECT_EQ(column, (QStringList{"12/10/96=9600001", "12/11/96="}));

    // Each change of the register shows at the next open, a damaged one included.
    ASSERT_TRUE(ql::voidInvoice(fs(), set(), "9600001"));
    column.clear();
    app->frame().action(cmd::kHistory)->trigger();
    EXPECT_EQ(column, (QStringList{"12/10/96=", "12/11/96="}));

    issue(11, 11);
    column.clear();
    app->frame().action(cmd::kHistory)->trigger();
    EXPECT_EQ(column, (QStringList{"12/10/96=", "12/11/96=9600002"}));

    {
        QFile damaged(QString::fromStdString(set().invoiceRegister()));
        ASSERT_TRUE(damaged.open(QIODevice::Append));
        damaged.write("xyz");
    }
    prompter.boxes.clear();
    app->frame().action(cmd::kHistory)->trigger();
    ASSERT_FALSE(prompter.boxes.empty());
    EXPECT_TRUE(prompter.boxes[0].text.startsWith(QStringLiteral("Cannot read invoice register : ")))
        << prompter.boxes[0].text.toStdString();
}

// A register that cannot be read opens no list and is never taken as nothing issued.
TEST_F(InvoicesDialog, AnUnreadableRegisterIsSaidAndOpensNothing) {
    {
        QFile garbage(QString::fromStdString(set().invoiceRegister()));
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write("not a register");
    }
    app->frame().action(cmd::kInvoices)->trigger();
    EXPECT_TRUE(ranDialogs.empty());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(prompter.boxes[0].text.startsWith(QStringLiteral("Cannot read invoice register : ")))
        << prompter.boxes[0].text.toStdString();
}

}  // namespace

#include "ui/reports/CNewInvoiceDlg.h"

#include "ui/NamedChild.h"
#include "ui/TempFileSet.h"
#include "ui/app/ShellFixture.h"


#include "core/reports/InvoiceRegister.h"
#include "core/reports/InvoiceText.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "print/PageSource.h"
#include "ui/app/CTessalyView.h"
#include "ui/reports/PrintDispatch.h"
#include "ui/common/CommandIds.h"

#include <cstdio>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

namespace {

class NewInvoice : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        m_settings = makeFileSet(QStringLiteral("Work.qlr"));
        m_path = m_settings.toStdString();
        // Tests that invoice the same hour twice mean to: they bill it again.
        prompter.chooseFor = [](const QString&) { return 1; };  // Bill Again
    }
    void addCustomer(std::int32_t id, const char* name) {
        ql::CustomerRecord c;
        c.id = id;
        c.name = name;
        c.city = "Albany";
        c.zip = "12207";
        ASSERT_TRUE(ql::appendCustomer(ql::defaultFileSystem(), c, ql::FileSet(m_path)));
    }
    // Gives customer id an hour worked in December 1996 (the dialog's default period) on a
    // project of its own, so that it has something to invoice.
    void bill(std::int32_t id) {
        auto projects = ql::loadProjects(ql::defaultFileSystem(), ql::fileSetPath(m_path, ql::FileKind::Projects));
        ASSERT_TRUE(projects.isOk());
        ql::ProjectRecord p;
        p.id = 100 + id;
        p.name = "Work";
        p.customerId = id;
        p.chargesPerHour = 10.0;
        projects->push_back(p);
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::fileSetPath(m_path, ql::FileKind::Projects), *projects));
        const std::int32_t start = *ql::calendar::fromLocal(1996, 12, 2, 9, 0);
        ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(m_path), {p.id, start, start + 3600}));
    }
    // Project 0 "Design" of customer 5 at 45.00 an hour, 1 h 30 min 50 s worked on 3 December 1996.
    void billDesign() {
        ql::ProjectRecord p;
        p.id = 0;
        p.name = "Design";
        p.customerId = 5;
        p.chargesPerHour = 45.0;
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::fileSetPath(m_path, ql::FileKind::Projects), {p}));
        const std::int32_t start = *ql::calendar::fromLocal(1996, 12, 3, 9, 0);
        ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(m_path), {0, start, start + 5450}));
    }
    std::unique_ptr<CNewInvoiceDlg> dialog() {
        return std::make_unique<CNewInvoiceDlg>(ql::defaultFileSystem(), prompter, clock, ql::FileSet(m_path));
    }
    // What the user was told or asked, but for the question about hours billed already.
    std::vector<RecordingPrompter::Box> toldBesidesBilled() const {
        std::vector<RecordingPrompter::Box> told;
        for (const auto& box : prompter.boxes)
            if (!box.text.contains(QStringLiteral("billed already"))) told.push_back(box);
        return told;
    }
    std::string storedNumber() const { return ql::readSettings(ql::defaultFileSystem(), ql::FileSet(m_path))->nextInvoiceNumber; }
    // The numbers of the register of issued invoices, in the order issued.
    std::vector<std::string> registered() const {
        auto reg = ql::readInvoiceRegister(ql::defaultFileSystem(), ql::FileSet(m_path));
        EXPECT_TRUE(reg.isOk());
        std::vector<std::string> numbers;
        if (reg)
            for (const ql::IssuedInvoice& i : reg->invoices()) numbers.push_back(i.number);
        return numbers;
    }
    // Runs the invoice command with the dialog driven by act.
    void runInvoice(CTessalyApp& app, std::function<void(CNewInvoiceDlg&)> act) {
        modal.answerDialog = [act](QDialog& d) {
            auto& dlg = dynamic_cast<CNewInvoiceDlg&>(d);
            act(dlg);
            return dlg.result();
        };
        app.frame().action(cmd::kInvoice)->trigger();
    }

    QString m_settings;
    std::string m_path;
};

TEST_F(NewInvoice, ListsCustomersSortedWithTheirOwnIdsAndTheCurrentMonth) {
    addCustomer(0, "zeta");
    addCustomer(1, "Acme");
    addCustomer(2, "Acme");
    bill(2);
    auto d = dialog();
    QComboBox* combo = child<QComboBox>(*d, "customerCombo");
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Acme"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Acme"));
    EXPECT_EQ(combo->itemText(2), QStringLiteral("zeta"));
    EXPECT_EQ(combo->itemData(0).toInt(), 1);
    EXPECT_EQ(combo->itemData(1).toInt(), 2);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(child<QLineEdit>(*d, "fromEdit")->text(), QStringLiteral("12/01/1996"));
    EXPECT_EQ(child<QLineEdit>(*d, "toEdit")->text(), QStringLiteral("12/31/1996"));
    EXPECT_EQ(child<QLineEdit>(*d, "numberEdit")->text(), QStringLiteral("9600001"));

    combo->setCurrentIndex(1);
    child<QPushButton>(*d, "printButton")->click();
    EXPECT_EQ(d->result(), CNewInvoiceDlg::kPrint);
    // Issued now: the dialog's clock dates the invoice.
    EXPECT_EQ(d->request(), (ql::InvoiceRequest{2, *ql::calendar::fromLocal(1996, 12, 1),
                                                *ql::calendar::fromLocal(1996, 12, 31, 23, 59, 59), "9600001",
                                                clock.now()}));
}

TEST_F(NewInvoice, PrintStoresTheNextNumberAndSendsTheInvoiceHint) {
    addCustomer(4, "Acme");
    bill(4);
    auto app = startApp(m_settings);
    int previews = 0;
    app->printDispatch().setPreviewRunner([&](QPrinter&, PageSource&) { ++previews; });
    QSignalSpy hints(&app->document(), &CTessalyDoc::updateHint);
    runInvoice(*app, [&](CNewInvoiceDlg& d) { child<QPushButton>(d, "printButton")->click(); });
    EXPECT_EQ(storedNumber(), "9600002");
    EXPECT_EQ(registered(), std::vector<std::string>{"9600001"});
    ASSERT_TRUE(app->invoiceRequest().has_value());
    EXPECT_EQ(app->invoiceRequest()->customerId, 4);
    EXPECT_EQ(app->invoiceRequest()->invoiceNumber, "9600001");
    ASSERT_GE(hints.count(), 1);
    EXPECT_EQ(hints.back()[0].toInt(), 5);
    EXPECT_EQ(previews, 1);

    // The typed number is the base of the next one, for To File... as for Print.
    modal.savePaths.clear();  // the save dialog is cancelled
    const struct {
        const char* typed;
        const char* next;
    } cases[] = {{"96-15", "96-16"}, {"INV-099", "INV-100"}, {"ABC", "1"}};
    prompter.answers = {false, false, false};  // the same hour billed again, on purpose
    for (const auto& c : cases) {
        runInvoice(*app, [&](CNewInvoiceDlg& d) {
            child<QLineEdit>(d, "numberEdit")->setText(QString::fromUtf8(c.typed));
            child<QPushButton>(d, "toFileButton")->click();
        });
        EXPECT_EQ(storedNumber(), c.next) << c.typed;
    }
    EXPECT_EQ(registered(), (std::vector<std::string>{"9600001", "96-15", "INV-099", "ABC"}));
}

// Hours billed already are asked about: left out by default, billed again only on purpose and
// recorded as such; with nothing left to bill no number is taken.
TEST_F(NewInvoice, FramesBilledAlreadyAreLeftOutUnlessTheUserBillsThemAgain) {
    addCustomer(4, "Acme");
    bill(4);
    auto app = startApp(m_settings);
    app->printDispatch().setPreviewRunner([](QPrinter&, PageSource&) {});
    const auto print = [&] { runInvoice(*app, [](CNewInvoiceDlg& d) { child<QPushButton>(d, "printButton")->click(); }); };
    print();
    const std::int32_t later = *ql::calendar::fromLocal(1996, 12, 5, 9, 0);
    ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(m_path), {104, later, later + 1800}));
    const auto entry = [&](const char* number) {
        return *ql::readInvoiceRegister(ql::defaultFileSystem(), ql::FileSet(m_path))->find(number);
    };

    // Escape (Cancel) neither bills nor leaves out: nothing is taken and the dialog stays open.
    prompter.choices = {2};
    runInvoice(*app, [](CNewInvoiceDlg& d) {
        child<QPushButton>(d, "printButton")->click();
        EXPECT_EQ(d.result(), 0);  // still open: no output chosen
    });
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("1 time frame of this period was billed already, on invoice 9600001.\n"
                                                     "Leave them out of this invoice, or bill them again (the register "
                                                     "records that it does)?"));
    EXPECT_EQ(prompter.boxes[0].answers,
              (QStringList{QStringLiteral("&Leave Out"), QStringLiteral("&Bill Again"), QStringLiteral("Cancel")}));
    EXPECT_EQ(storedNumber(), "9600002");
    EXPECT_EQ(ql::readInvoiceRegister(ql::defaultFileSystem(), ql::FileSet(m_path))->invoices().size(), 1u);

    prompter.boxes.clear();
    prompter.choices = {0};  // Leave Out, the default
    print();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(entry("9600002").frames.size(), 1u);
    EXPECT_EQ(entry("9600002").frames[0].start, later);
    EXPECT_FALSE(entry("9600002").rebills);

    prompter.choices = {0};
    print();
    ASSERT_EQ(prompter.boxes.size(), 3u);
    EXPECT_TRUE(prompter.boxes[1].text.startsWith(QStringLiteral("2 time frames of this period were billed already, on "
                                                                 "invoices 9600001, 9600002.")))
        << prompter.boxes[1].text.toStdString();
    EXPECT_EQ(prompter.boxes[2].text,
              QStringLiteral("Every time frame of this period was billed already: there is nothing to invoice."));
    EXPECT_EQ(storedNumber(), "9600003");

    prompter.choices = {1};  // Bill Again
    print();
    EXPECT_EQ(entry("9600003").frames.size(), 2u);
    EXPECT_TRUE(entry("9600003").rebills);
    EXPECT_EQ(storedNumber(), "9600004");
}

TEST_F(NewInvoice, RefusalsKeepTheDialogOpenAndAdvanceNothing) {
    {
        auto d = dialog();  // no customers at all
        child<QPushButton>(*d, "printButton")->click();
        EXPECT_EQ(d->result(), 0);
        ASSERT_EQ(prompter.boxes.size(), 1u);
        EXPECT_TRUE(prompter.boxes[0].text.contains(QStringLiteral("customer")));
    }
    addCustomer(3, "Acme");
    {
        auto d = dialog();
        child<QLineEdit>(*d, "numberEdit")->setText(QString(32, QLatin1Char('7')));
        child<QPushButton>(*d, "printButton")->click();
        EXPECT_EQ(d->result(), 0);
        EXPECT_TRUE(prompter.boxes.back().text.contains(QStringLiteral("31")));
    }
    {
        auto d = dialog();
        child<QLineEdit>(*d, "fromEdit")->setText(QStringLiteral("first of May"));
        child<QPushButton>(*d, "toFileButton")->click();
        EXPECT_EQ(d->result(), 0);
    }
    {
        auto d = dialog();
        ASSERT_TRUE(ql::removeCustomer(ql::defaultFileSystem(), 3, ql::fileSetPath(m_path, ql::FileKind::Customers)));
        child<QPushButton>(*d, "printButton")->click();
        EXPECT_EQ(d->result(), 0);
        EXPECT_TRUE(prompter.boxes.back().text.contains(QStringLiteral("no longer")));
    }
    addCustomer(6, "Idle");
    {
        auto d = dialog();  // a customer with nothing worked in the period
        child<QComboBox>(*d, "customerCombo")->setCurrentIndex(child<QComboBox>(*d, "customerCombo")->findText("Idle"));
        child<QPushButton>(*d, "toFileButton")->click();
        EXPECT_EQ(d->result(), 0);
        EXPECT_EQ(prompter.boxes.back().text, QString::fromUtf8(ql::englishForm(CNewInvoiceDlg::kNothingToInvoice).data()));
    }
    EXPECT_EQ(prompter.boxes.size(), 5u);
    EXPECT_EQ(storedNumber(), "9600001");
}

TEST_F(NewInvoice, ToFileWritesTheInvoiceTextAndReportsAFailedWrite) {
    addCustomer(5, "Acme");
    billDesign();

    auto app = startApp(m_settings);
    const QString target = path(QStringLiteral("Export.txt"));
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old invoice");
    }
    modal.savePaths = {target};
    runInvoice(*app, [](CNewInvoiceDlg& d) { child<QPushButton>(d, "toFileButton")->click(); });
    const QString offeredFolder = modal.saveRequests.empty() ? QString() : modal.saveRequests.back().folder;
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(offeredFolder, QFileInfo(m_settings).absolutePath());
    const std::vector<char> bytes = TempFileSet::bytes(target.toStdString());
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.substr(0, 18), "INVOICE# 9600001\n\n");
    EXPECT_NE(text.find("Design\t12/03/1996\t09:00\t01:30\t$45.00\t$67.50\t\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nTOTAL: $67.50\n"), std::string::npos);

    // A folder that is gone is told when chosen and the save dialog asked again; a target that
    // cannot be written (a folder) is reported, and nothing half-written anywhere.
    const QString folder = path(QStringLiteral("a folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    modal.savePaths = {path(QStringLiteral("gone/Export.txt")), folder};
    runInvoice(*app, [](CNewInvoiceDlg& d) { child<QPushButton>(d, "toFileButton")->click(); });
    const auto told = toldBesidesBilled();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[0].text.contains(QStringLiteral("does not exist"))) << told[0].text.toStdString();
    EXPECT_EQ(told[1].text, QStringLiteral("Cannot write invoice file : ") + folder + QStringLiteral("\nnot a regular file"));
    EXPECT_EQ(TempFileSet::bytes(target.toStdString()), bytes);
    // The invoice that was not written gave its number back, and left the register.
    EXPECT_EQ(storedNumber(), "9600002");
    EXPECT_EQ(registered(), std::vector<std::string>{"9600001"});
}

// Two windows, or a window and a script, issuing invoices from one set: a dialog never issues
// the number it showed once someone else has issued it.
TEST_F(NewInvoice, ADialogWhoseNumberWasIssuedMeanwhileAsksBeforeIssuingAnother) {
    addCustomer(4, "Acme");
    bill(4);
    const struct {
        const char* name;
        bool useTheNewNumber;
        int result;
        const char* field;
        const char* stored;
    } cases[] = {
        {"yes: issued as the number now stored", true, CNewInvoiceDlg::kPrint, "9600002", "9600003"},
        {"no: the dialog stays open offering it, nothing stored", false, 0, "9600002", "9600002"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(ql::updateSettings(ql::defaultFileSystem(), ql::FileSet(m_path), [](ql::SettingsRecord& s) {
            s.nextInvoiceNumber = "9600001";
            return ql::Status::ok();
        }));
        // Each case starts from a set that issued nothing: the register never issues a number twice.
        std::remove(ql::FileSet(m_path).invoiceRegister().c_str());
        prompter.boxes.clear();
        auto late = dialog();
        auto first = dialog();
        child<QPushButton>(*first, "printButton")->click();
        ASSERT_EQ(first->result(), CNewInvoiceDlg::kPrint) << c.name;

        prompter.answerFor = [&c](const QString&) { return c.useTheNewNumber; };
        child<QPushButton>(*late, "printButton")->click();
        const auto told = toldBesidesBilled();
        ASSERT_EQ(told.size(), 1u) << c.name;
        EXPECT_TRUE(told[0].question);
        EXPECT_TRUE(told[0].text.contains(QStringLiteral("9600002"))) << c.name;
        EXPECT_EQ(late->result(), c.result) << c.name;
        EXPECT_EQ(child<QLineEdit>(*late, "numberEdit")->text(), QString::fromUtf8(c.field)) << c.name;
        EXPECT_EQ(storedNumber(), c.stored) << c.name;
        if (c.result == CNewInvoiceDlg::kPrint) {
            EXPECT_EQ(late->request().invoiceNumber, "9600002");
        }
    }
}

// To File over a file of the open set would destroy its records: refused and said, the set
// left as it was before, the number of the invoice that was not written given back.
TEST_F(NewInvoice, ToFileOverAFileOfTheSetIsRefusedAndTheSetKeepsItsBytes) {
    addCustomer(5, "Acme");
    billDesign();
    auto app = startApp(m_settings);
    const ql::FileSet set(m_path);
    const auto setBytes = [&set] {
        std::vector<std::vector<char>> files;
        for (std::size_t k = 0; k < ql::kFileKindCount; ++k)
            files.push_back(TempFileSet::bytes(set.path(static_cast<ql::FileKind>(k))));
        return files;
    };
    for (const QString& target : {QString::fromStdString(set.timeFrames()), m_settings}) {
        prompter.boxes.clear();
        modal.savePaths = {target};
        const std::vector<std::vector<char>> before = setBytes();
        runInvoice(*app, [&](CNewInvoiceDlg& d) { child<QPushButton>(d, "toFileButton")->click(); });
        ASSERT_EQ(prompter.boxes.size(), 1u) << target.toStdString();
        EXPECT_EQ(prompter.boxes[0].text, QLatin1Char('\'') + target + QStringLiteral("' is a file of the set being read"));
        EXPECT_EQ(setBytes(), before) << target.toStdString();
    }
}

TEST_F(NewInvoice, ToFileAsksForATextFileNamedExportInTheFolderOfTheSet) {
    addCustomer(5, "Acme");
    bill(5);
    auto app = startApp(m_settings);
    runInvoice(*app, [](CNewInvoiceDlg& d) { child<QPushButton>(d, "toFileButton")->click(); });
    ASSERT_EQ(modal.saveRequests.size(), 1u);
    const Modal::SaveRequest& asked = modal.saveRequests[0];
    EXPECT_EQ(asked.caption, QString());
    EXPECT_EQ(asked.folder, QFileInfo(m_settings).absolutePath());
    EXPECT_EQ(asked.fileName, QStringLiteral("Export"));
    EXPECT_EQ(asked.filter, QStringLiteral("Text Files (*.txt)"));
    EXPECT_EQ(asked.defaultSuffix, QStringLiteral("txt"));
    EXPECT_TRUE(prompter.boxes.empty());  // cancelled: nothing written, nothing told
}

}  // namespace

// The files quillory-cli writes are those the window writes: each output is made through the
// window's own code and through the built command, under the C and a German locale, and by the
// window also in German and French, its translation loaded: outputs keep their English texts.
#include "cli/CliRunner.h"
#include "ui/app/ShellFixture.h"
#include "ui/print/PdfText.h"

#include "core/reports/Invoice.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "print/InvoicePages.h"
#include "ui/analysis/CExportDlg.h"
#include "ui/common/Translations.h"
#include "ui/app/CTessalyView.h"
#include "ui/reports/PrintDispatch.h"
#include "ui/reports/CNewInvoiceDlg.h"
#include "ui/reports/InvoiceTextFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>

namespace {

using Env = std::vector<std::string>;
const std::vector<Env> kLocales = {{"LC_ALL=C"}, {"LANG=de_DE.UTF-8", "LC_ALL=de_DE.UTF-8"}};
const char* const kUser = "Zo\xc3\xab Ann";
const char* const kAt = "1996-12-11 10:00";  // ShellTest's fixed clock

std::int32_t at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return *ql::calendar::fromLocal(y, mo, d, h, mi, s); }

std::string fileBytes(const std::string& path) {
    const std::vector<unsigned char> bytes = ql::test::readBytes(path);
    return {bytes.begin(), bytes.end()};
}

// "1996-10-27" as typed into a date field of the set's order.
QString typedDate(const char* iso, bool monthFirst) {
    const QString t = QString::fromLatin1(iso), m = t.mid(5, 2), d = t.mid(8, 2);
    return (monthFirst ? m + '/' + d : d + '/' + m) + '/' + t.left(4);
}

// What of a PDF is compared: its page count and size, each page's text as laid out, and the
// pages rasterised coarsely (the bars and frames that carry no text).
struct PdfFacts {
    QString info;
    int pageCount = 0;
    std::string text;
    QByteArray pixels;
};
PdfFacts pdfFacts(const std::string& file) {
    const QString path = QString::fromStdString(file);
    PdfFacts facts;
    for (const QString& line : pdfInfo(path).split('\n'))
        if (line.startsWith("Pages:") || line.startsWith("Page size:")) facts.info += line + '\n';
    facts.pageCount = facts.info.section('\n', 0, 0).mid(6).trimmed().toInt();
    facts.text = pdfText(path, {QStringLiteral("-layout")}).toStdString();
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("30"), path});
    EXPECT_TRUE(raster.waitForFinished(30000) && raster.exitCode() == 0) << "pdftoppm failed";
    facts.pixels = raster.readAllStandardOutput();
    return facts;
}

struct InvoiceCase {
    std::int32_t customer;
    const char* from;  // nullptr: the dialog's month of the clock, the command's of --at
    const char* to;
    const char* number;
};
const InvoiceCase kInvoices[] = {
    {0, "1996-11-01", "1996-11-30", "96-15"},  // 36 lines: two pages
    {1, "1996-01-01", "1996-12-31", "7"},
    {1, nullptr, nullptr, "Nr. 8"},
};

// The window's language: none (English), or a language whose translation is loaded.
class SameOutput : public ShellTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        if (*GetParam()) {
            const QLocale language(QString::fromLatin1(GetParam()));
            QLocale::setDefault(language);
            ASSERT_TRUE(m_translations.install(language, {QStringLiteral(QUILLORY_QM_DIR)}));
        }
        settings = makeFileSet(QStringLiteral("Work.qlr")).toStdString();
        auto& fs = ql::defaultFileSystem();
        ASSERT_TRUE(ql::updateSettings(fs, ql::FileSet(settings), [](ql::SettingsRecord& s) {
            s.companyName = "M\xc3\xbcller & Co";
            s.city = "Boston", s.state = "MA", s.zip = "02110";
            s.monetarySymbol = "\xe2\x82\xac";
            s.applySalesTax = 1, s.salesTaxLabel = "VAT", s.salesTaxRate = 7.5;
            s.footer = "Payable within 30 days.\r\nThank you.";
            return ql::Status::ok();
        }));
        std::vector<ql::ProjectRecord> projects = {{0, "Web", 0, 30.0, {}, -1},
                                                   {1, "Caf\xc3\xa9 Logo", 0, 42.5, {}, -1},
                                                   {2, "Audit", 1, 60.0, {}, -1},
                                                   {3, "Hosting", 0, 12.25, {}, 0}};
        // Past twelve names the week chart's colours are drawn at random.
        for (std::int32_t id = 10; id < 22; ++id) projects.push_back({id, "Task " + std::to_string(id), -1, 5.0, {}, -1});
        ASSERT_TRUE(ql::writeProjects(fs, ql::fileSetPath(settings, ql::FileKind::Projects), projects));
        ASSERT_TRUE(ql::appendCustomer(fs, {0, "Acme Ltd", "1 Main St", "Springfield", "01101", "MA", "USA", "555-0100", {}}, ql::FileSet(settings)));
        ASSERT_TRUE(ql::appendCustomer(fs, {1, "B\xc3\xbcrohaus GmbH", "Hauptstr. 5", "K\xc3\xb6ln", "50667", "", "Germany", "", {}}, ql::FileSet(settings)));
        const std::int32_t billed[] = {0, 1, 3};
        for (int i = 0; i < 36; ++i) frame(billed[i % 3], at(1996, 11, 1 + i % 29, 8 + i % 9, (i * 7) % 60), 25 + 11 * i);
        for (int m = 1; m <= 10; ++m)  // the history runs over several pages
            for (int d = 2; d <= 14; d += 3) frame(2, at(1996, m, d, 14), 50 + m * d);
        // The day the clocks go back, its edges, and the hour that happens twice.
        frame(0, at(1996, 10, 26, 23, 59, 30), 60);
        frame(1, at(1996, 10, 27, 1, 30), 90);
        frame(3, at(1996, 10, 27, 23, 59, 59), 600);
        frame(0, at(1996, 10, 28), 3000);
        frame(9, at(1996, 10, 27, 12), 1500);  // a project no longer in the file
        // The week of the clock, for the week chart.
        frame(0, at(1996, 12, 9, 9), 210);
        frame(2, at(1996, 12, 10, 13), 285);
        frame(1, at(1996, 12, 11, 8, 30), 90);
        frame(3, at(1996, 12, 13, 16, 15), 125);
        for (std::int32_t id = 10; id < 22; ++id) frame(id, at(1996, 12, 12 + id % 3, 8 + id - 10), 40);
    }

    void frame(std::int32_t project, std::int32_t start, std::int32_t minutes) {
        ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(settings), {project, start, start + minutes * 60}));
    }
    // Runs the command on the file set (its second argument) and returns the file it wrote to out.
    std::string cli(std::vector<std::string> args, const Env& env, const std::string& out) {
        std::remove(out.c_str());
        args.insert(args.begin() + 1, settings);
        const ql::test::CliRun run = ql::test::runCli(args, env);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return fileBytes(out);
    }
    std::string out(const char* name) const { return path(QString::fromLatin1(name)).toStdString(); }

    // The invoice as the New Invoice dialog's To File... or Print builds it.
    std::pair<ql::Invoice, ql::InvoiceParties> guiInvoice(const InvoiceCase& c) {
        // The cases invoice the same hours over and over, as the command does: billed again.
        prompter.chooseFor = [](const QString&) { return 1; };  // Bill Again
        CNewInvoiceDlg dlg(ql::defaultFileSystem(), prompter, clock, ql::FileSet(settings));
        auto* customer = dlg.findChild<QComboBox*>("customerCombo");
        customer->setCurrentIndex(customer->findData(c.customer));
        if (c.from) dlg.findChild<QLineEdit*>("fromEdit")->setText(typedDate(c.from, true));
        if (c.to) dlg.findChild<QLineEdit*>("toEdit")->setText(typedDate(c.to, true));
        dlg.findChild<QLineEdit*>("numberEdit")->setText(QString::fromUtf8(c.number));
        dlg.findChild<QPushButton*>("toFileButton")->click();
        EXPECT_EQ(dlg.result(), CNewInvoiceDlg::kToFile);
        auto invoice = ql::LoadInvoice(ql::defaultFileSystem(), dlg.request(), ql::FileSet(settings));
        EXPECT_TRUE(invoice) << invoice.status().message();
        auto parties = ql::loadInvoiceParties(ql::defaultFileSystem(), *invoice);
        EXPECT_TRUE(parties) << parties.status().message();
        return {*invoice, *parties};
    }
    static std::vector<std::string> invoiceArgs(const InvoiceCase& c) {
        std::vector<std::string> args{"invoice", "--customer", std::to_string(c.customer), "--number", c.number,
                                      "--no-advance", "--rebill", "--at", kAt};
        if (c.from) args.insert(args.end(), {"--from", c.from, "--to", c.to});
        return args;
    }

    void TearDown() override {
        QLocale::setDefault(m_systemLocale);
        ShellTest::TearDown();
    }

    std::string settings;

private:
    const QLocale m_systemLocale;
    Translations m_translations;
};

// The dialog's check boxes and the command's flags, in one order.
const std::pair<const char*, const char*> kExportOptions[] = {
    {"minutesCheck", "--minutes"}, {"hours24Check", "--24-hour"}, {"oneFieldCheck", "--one-field"}};

struct ExportCase {
    // nullptr: the dialog as it opens, with no user name in the profile; no --from, --to and --user
    const char* from;
    const char* to;
    std::int32_t project;  // -1: All Projects
    std::array<bool, 3> options;
    bool dayFirst;
};

TEST_P(SameOutput, ExportFileOfTheDialogAndTheCommand) {
    const ExportCase cases[] = {
        {"1996-01-01", "1996-12-31", -1, {false, false, false}, false},
        {"1996-10-27", "1996-10-27", -1, {true, false, false}, false},
        {"1996-11-01", "1996-11-30", 0, {false, true, true}, false},
        {"1980-01-01", "1999-12-31", 2, {true, true, true}, true},
        {"1996-10-26", "1996-10-28", -1, {false, false, true}, true},
        {nullptr, nullptr, 3, {true, false, true}, true},
    };
    for (const ExportCase& c : cases) {
        SCOPED_TRACE(std::string(c.from ? c.from : "default") + " project " + std::to_string(c.project));
        ASSERT_TRUE(ql::updateSettings(ql::defaultFileSystem(), ql::FileSet(settings), [&](ql::SettingsRecord& s) {
            s.dateFormat = c.dayFirst ? 0 : 1;
            return ql::Status::ok();
        }));
        setProfileValue("UserName", c.from ? QString::fromUtf8(kUser) : QString());
        CExportDlg dlg(ql::defaultFileSystem(), prompter, ql::FileSet(settings), true);
        dlg.setSaveFileChooser([&](QWidget*, const QString&) { return QString::fromStdString(out("gui.txt")); });
        if (c.from) dlg.findChild<QLineEdit*>("fromEdit")->setText(typedDate(c.from, !c.dayFirst));
        if (c.to) dlg.findChild<QLineEdit*>("toEdit")->setText(typedDate(c.to, !c.dayFirst));
        auto* combo = dlg.findChild<QComboBox*>("projectCombo");
        combo->setCurrentIndex(combo->findData(c.project));
        ASSERT_EQ(combo->currentData().toInt(), c.project);
        std::vector<std::string> args{"export", "--out", out("cli.txt")};
        for (std::size_t i = 0; i < c.options.size(); ++i) {
            dlg.findChild<QCheckBox*>(kExportOptions[i].first)->setChecked(c.options[i]);
            if (c.options[i]) args.push_back(kExportOptions[i].second);
        }
        dlg.findChild<QPushButton*>("fileButton")->click();
        dlg.findChild<QPushButton*>("okButton")->click();
        ASSERT_EQ(dlg.result(), QDialog::Accepted);
        const std::string gui = fileBytes(out("gui.txt"));
        EXPECT_GT(std::count(gui.begin(), gui.end(), '\n'), 1) << "no line exported";
        if (c.from) args.insert(args.end(), {"--from", c.from, "--to", c.to, "--user", kUser});
        if (c.project >= 0) args.insert(args.end(), {"--project", std::to_string(c.project)});
        for (const Env& env : kLocales) {
            SCOPED_TRACE(env.back());
            EXPECT_EQ(cli(args, env, out("cli.txt")), gui);
        }
    }
}

TEST_P(SameOutput, InvoiceTextFileOfToFileAndTheCommand) {
    for (const InvoiceCase& c : kInvoices) {
        SCOPED_TRACE(c.number);
        const auto [invoice, parties] = guiInvoice(c);
        EXPECT_GT(invoice.lines.size(), c.customer == 0 ? std::size_t{ql::kInvoiceLinesPerPage} : 0u);
        ASSERT_TRUE(writeInvoiceTextFile(ql::defaultFileSystem(), invoice, parties, QString::fromStdString(out("gui.txt"))));
        std::vector<std::string> args = invoiceArgs(c);
        args.insert(args.end(), {"--text", out("cli.txt")});
        for (const Env& env : kLocales) {
            SCOPED_TRACE(env.back());
            EXPECT_EQ(cli(args, env, out("cli.txt")), fileBytes(out("gui.txt")));
        }
    }
}

TEST_P(SameOutput, PrintedPagesOfThePreviewAndTheCommand) {
    std::unique_ptr<CTessalyApp> app = startApp(QString::fromStdString(settings));
    // The window names the chart's days in the desktop's language; the command pins C for scripts.
    struct CLocale {
        QLocale saved;
        CLocale() { QLocale::setDefault(QLocale::c()); }
        ~CLocale() { QLocale::setDefault(saved); }
    } cLocale;
    PrintDispatch& dispatch = app->printDispatch();
    bool exported = false;
    dispatch.setPreviewRunner([&](QPrinter&, PageSource& source) { exported = dispatch.exportPdf(source); });

    struct PdfCase {
        std::string name;
        std::vector<std::string> cliArgs;  // --pdf follows
        std::function<void()> print;       // the window's print command
        int leastPages;
    };
    std::vector<PdfCase> cases = {
        {"history", {"report", "history", "--at", kAt}, [&] { dispatch.printHistory(); }, 2},
        {"customers", {"report", "customers", "--at", kAt}, [&] { dispatch.printCustomers(); }, 1},
        {"week", {"report", "week", "--at", kAt}, [&] { dispatch.printWeekChart(); }, 1},
    };
    for (const InvoiceCase& c : kInvoices)
        cases.push_back({c.number, invoiceArgs(c), [&, c] {
                             auto [invoice, parties] = guiInvoice(c);
                             dispatch.printInvoice(std::make_unique<InvoicePages>(std::move(invoice), std::move(parties),
                                                                                  ql::defaultFileSystem()));
                         },
                         c.customer == 0 ? 2 : 1});
    for (PdfCase& c : cases) {
        SCOPED_TRACE(c.name);
        exported = false;
        modal.savePaths = {QString::fromStdString(out("gui.pdf"))};
        c.print();
        ASSERT_TRUE(exported);
        const PdfFacts gui = pdfFacts(out("gui.pdf"));
        EXPECT_GE(gui.pageCount, c.leastPages) << gui.info.toStdString();
        c.cliArgs.insert(c.cliArgs.end(), {"--pdf", out("cli.pdf")});
        for (const Env& env : kLocales) {
            SCOPED_TRACE(env.back());
            cli(c.cliArgs, env, out("cli.pdf"));
            const PdfFacts fromCli = pdfFacts(out("cli.pdf"));
            EXPECT_EQ(fromCli.info.toStdString(), gui.info.toStdString());
            EXPECT_EQ(fromCli.text, gui.text);
            EXPECT_TRUE(fromCli.pixels == gui.pixels) << "the pages are painted differently";
        }
    }
    // Nothing was said but the question about the hours invoiced again on purpose.
    for (const auto& box : prompter.boxes)
        EXPECT_TRUE(box.answers.contains(QCoreApplication::translate("CNewInvoiceDlg",
                                                                     "&Bill Again"))) << box.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(WindowLanguage, SameOutput, ::testing::Values("", "de_DE", "fr_FR"),
                         [](const ::testing::TestParamInfo<const char*>& language) {
                             return *language.param ? std::string(language.param) : std::string("English");
                         });

}  // namespace

#include "ui/app/ShellFixture.h"
#include "ui/print/PdfText.h"

#include "core/reports/ReportTable.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/HistoryFilterRecord.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "print/PageSource.h"
#include "ui/app/CTessalyView.h"
#include "ui/common/CommandIds.h"
#include "ui/reports/PrintDispatch.h"
#include "ui/reports/PreviewWindow.h"
#include "ui/ProjectChoice.h"
#include "ui/TempFileSet.h"
#include "ui/reports/CHistoryDlg.h"
#include "ui/reports/CHistoryFilterDlg.h"
#include "ui/reports/HistoryModel.h"
#include "ui/reports/HistoryFixture.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QAction>
#include <QPrintPreviewWidget>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>

#include <cstdio>

namespace {

// What one preview or print dialog was shown.
struct Job {
    bool printDialog;
    QPageLayout::Orientation orientation;
    int pages;
    QPageSize::PageSizeId paper;
};

class PrintDispatchTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        settings = makeFileSet(QStringLiteral("Work.qlr")).toStdString();
        ql::ProjectRecord web, audit;
        web.id = 0;
        web.name = "Web";
        web.chargesPerHour = 30.0;
        audit.id = 1;
        audit.name = "Audit";
        audit.chargesPerHour = 60.0;
        ASSERT_TRUE(ql::writeProjects(fs(), path(ql::FileKind::Projects), {web, audit}));
        frame(0, 1996, 12, 10);
        frame(1, 1996, 12, 10);
        frame(1, 1996, 11, 5);
        app = startApp(QString::fromStdString(settings));
        dispatch().setPreviewRunner([this](QPrinter& printer, PageSource& source) {
            source.beginJob();
            jobs.push_back({false, printer.pageLayout().orientation(), source.pageCount(), printer.pageLayout().pageSize().id()});
            if (source.pageCount() > 0) firstPage = renderPage(source, 1, QSize(620, 830));
        });
        dispatch().setPrintDialogRunner([this](QPrinter& printer, int pages) {
            jobs.push_back({true, printer.pageLayout().orientation(), pages, printer.pageLayout().pageSize().id()});
            return false;
        });
    }

    static ql::FileSystem& fs() { return ql::defaultFileSystem(); }
    std::string path(ql::FileKind kind) const { return ql::fileSetPath(settings, kind); }
    void frame(std::int32_t project, int y, int m, int d) {
        const std::int32_t start = *ql::calendar::fromLocal(y, m, d, 9, 0);
        ASSERT_TRUE(ql::appendTimeFrame(fs(), ql::FileSet(settings), {project, start, start + 3600}));
    }
    PrintDispatch& dispatch() { return app->printDispatch(); }
    void addCustomer() {
        ql::CustomerRecord c;
        c.id = 0;
        c.name = "Acme";
        ASSERT_TRUE(ql::appendCustomer(fs(), c, ql::FileSet(settings)));
    }
    std::vector<std::string> printedProjects() const {
        std::vector<std::string> names;
        const ql::ReportTable* table = app->printDispatch().reportTable();
        if (!table) return names;
        for (std::size_t r = 0; r < table->rowCount(); ++r) names.push_back(table->textAt(r, 0));
        return names;
    }

    std::string settings;
    std::unique_ptr<CTessalyApp> app;
    std::vector<Job> jobs;
    QImage firstPage;
    bool exported = false;
};

TEST_F(PrintDispatchTest, WeekChartTurnsThePrinterLandscapeAndTheNextHistoryIsPortrait) {
    app->frame().action(cmd::kPrintGanttChart)->trigger();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].orientation, QPageLayout::Landscape);
    EXPECT_EQ(jobs[0].pages, 1);
    EXPECT_EQ(dispatch().printKind(), PrintDispatch::kWeekChart);
    EXPECT_EQ(app->printer().pageLayout().orientation(), QPageLayout::Portrait);

    app->document().notifyViews(hint::kPrintHistory);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[1].orientation, QPageLayout::Portrait);
    EXPECT_EQ(dispatch().printKind(), PrintDispatch::kHistory);
}

TEST_F(PrintDispatchTest, HistoryPrintsTheSavedFilterOrThisYear) {
    app->document().notifyViews(hint::kPrintHistory);
    EXPECT_EQ(printedProjects(), (std::vector<std::string>{"Audit", "Audit", "Web"}));
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].pages, 1);
    EXPECT_FALSE(firstPage.isNull());

    // A filter confirmed without "Save settings" never reaches the file; the saved one prints.
    ASSERT_TRUE(ql::writeHistoryFilter(fs(), path(ql::FileKind::HistoryFilter),
                                       {1, 1, *ql::calendar::fromLocal(1996, 12, 1), *ql::calendar::fromLocal(1996, 12, 31, 23, 59, 59)}));
    app->document().notifyViews(hint::kPrintHistory);
    EXPECT_EQ(printedProjects(), (std::vector<std::string>{"Audit"}));
}

TEST_F(PrintDispatchTest, PrintInTheHistoryWithSaveSettingsClearedPrintsTheSavedFilter) {
    ASSERT_TRUE(ql::writeHistoryFilter(fs(), path(ql::FileKind::HistoryFilter),
                                       {1, 1, *ql::calendar::fromLocal(1996, 12, 1), *ql::calendar::fromLocal(1996, 12, 31, 23, 59, 59)}));
    int listed = -1;
    modal.answerDialog = [&](QDialog& dialog) {
        if (auto* tree = dynamic_cast<CProjectsTreeDlg*>(&dialog)) return answerProjectTree(*tree, 0);
        if (auto* filter = dynamic_cast<CHistoryFilterDlg*>(&dialog)) {
            FilterUi ui(*filter);
            ui.singleRadio->click();
            filter->selectProject();  // Web, all of this year, not saved
            ui.periodList->setCurrentIndex(0);
            ui.saveCheck->setChecked(false);
            filter->accept();
            return filter->result();
        }
        auto& history = dynamic_cast<CHistoryDlg&>(dialog);
        history.changeFilter();
        listed = history.model().rowCount();
        FilterUi::find<QPushButton>(history, "printButton")->click();
        return history.result();
    };
    app->frame().action(cmd::kHistory)->trigger();
    EXPECT_EQ(listed, 1);  // the dialog shows Web's one frame
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(printedProjects(), (std::vector<std::string>{"Audit"}));  // the saved filter prints
}

// A job of no pages opens no preview: the printer still holds the previous job's pages.
TEST_F(PrintDispatchTest, AReportWithNoPagesSaysSoAndOpensNoPreview) {
    app->document().notifyViews(hint::kPrintHistory);
    ASSERT_EQ(jobs.size(), 1u);
    app->document().notifyViews(hint::kPrintCustomers);  // no customers: no pages
    EXPECT_EQ(jobs.size(), 1u);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, QLatin1String(PrintDispatch::kNothingToPrint));
    dispatch().printAgain();  // Ctrl+P neither
    EXPECT_EQ(jobs.size(), 1u);
    EXPECT_EQ(prompter.boxes.size(), 2u);
}

TEST_F(PrintDispatchTest, UnreadableFilesAreReportedAndOpenNoPreview) {
    addCustomer();
    app->document().notifyViews(hint::kPrintCustomers);
    ASSERT_EQ(jobs.size(), 1u);

    ASSERT_EQ(std::remove(path(ql::FileKind::TimeFrames).c_str()), 0);
    ASSERT_EQ(std::remove(path(ql::FileKind::Customers).c_str()), 0);
    app->document().notifyViews(hint::kPrintHistory);
    app->document().notifyViews(hint::kPrintCustomers);
    EXPECT_EQ(jobs.size(), 1u);
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0].text.toStdString(), "Cannot open time frames file : " + path(ql::FileKind::TimeFrames));
    EXPECT_EQ(prompter.boxes[1].text.toStdString(), "Cannot open Customers file : " + path(ql::FileKind::Customers));
    EXPECT_EQ(dispatch().printKind(), PrintDispatch::kCustomers);  // the last report stays
}

TEST_F(PrintDispatchTest, CtrlPDoesNothingBeforeAnyReportThenPrintsTheLastOneAgain) {
    QAction* printAgain = app->frame().action(cmd::kFilePrint);
    EXPECT_FALSE(printAgain->isEnabled());
    dispatch().printAgain();
    EXPECT_TRUE(jobs.empty());

    app->document().notifyViews(hint::kPrintHistory);
    EXPECT_TRUE(printAgain->isEnabled());
    // New frames after the report was built do not change what Ctrl+P prints.
    frame(0, 1996, 12, 11);
    printAgain->trigger();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_TRUE(jobs[1].printDialog);
    EXPECT_EQ(jobs[1].pages, 1);
    EXPECT_EQ(printedProjects().size(), 3u);

    app->frame().action(cmd::kPrintGanttChart)->trigger();
    printAgain->trigger();
    ASSERT_EQ(jobs.size(), 4u);
    EXPECT_TRUE(jobs[3].printDialog);
    EXPECT_EQ(jobs[3].orientation, QPageLayout::Landscape);
    EXPECT_EQ(app->printer().pageLayout().orientation(), QPageLayout::Portrait);
}

TEST_F(PrintDispatchTest, ExportPdfFromThePreviewWritesTheSamePagesOrSaysWhyNot) {
    const QString pdf = ShellTest::path(QStringLiteral("history.pdf"));
    std::optional<QString> answer = pdf;
    modal.savePaths = {answer};
    dispatch().setPreviewRunner([this](QPrinter&, PageSource& source) { exported = dispatch().exportPdf(source); });
    app->document().notifyViews(hint::kPrintHistory);
    ASSERT_TRUE(exported);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Quillory95 - History of charges -12/11/1996 10:00"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Audit")));
    EXPECT_TRUE(prompter.boxes.empty());

    // A missing folder is told when chosen (then the dialog is cancelled); a target that
    // cannot be written is said with its reason.
    const QString folder = ShellTest::path(QStringLiteral("a folder.pdf"));
    ASSERT_TRUE(QDir().mkpath(folder));
    modal.savePaths = {ShellTest::path(QStringLiteral("missing/history.pdf")), std::nullopt, folder};
    app->document().notifyViews(hint::kPrintHistory);
    EXPECT_FALSE(exported);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(prompter.boxes[0].text.contains(QStringLiteral("does not exist"))) << prompter.boxes[0].text.toStdString();
    app->document().notifyViews(hint::kPrintHistory);
    EXPECT_FALSE(exported);
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1].text, QStringLiteral("Cannot write PDF file : ") + folder +
                                          QStringLiteral("\nnot a regular file"));
}

// Export PDF over a file of the open set would destroy its records: refused and said.
TEST_F(PrintDispatchTest, ExportPdfOverAFileOfTheSetIsRefusedAndTheSetKeepsItsBytes) {
    dispatch().setPreviewRunner([this](QPrinter&, PageSource& source) { exported = dispatch().exportPdf(source); });
    for (const std::string& target : {path(ql::FileKind::TimeFrames), settings}) {
        prompter.boxes.clear();
        const std::vector<char> before = TempFileSet::bytes(target);
        modal.savePaths = {QString::fromStdString(target)};
        app->document().notifyViews(hint::kPrintHistory);
        EXPECT_FALSE(exported) << target;
        ASSERT_EQ(prompter.boxes.size(), 1u) << target;
        EXPECT_EQ(prompter.boxes[0].text, QString::fromStdString("'" + target + "' is a file of the set being read"));
        EXPECT_EQ(TempFileSet::bytes(target), before) << target;
    }
}

// The save dialog of Export PDF asks for a PDF file; a name typed without a suffix gets ".pdf",
// Cancel writes nothing and says nothing.
TEST_F(PrintDispatchTest, ExportPdfAsksForAPdfFileAndAddsTheSuffix) {
    addCustomer();
    modal.savePaths = {ShellTest::path(QStringLiteral("customers")), std::nullopt};
    dispatch().setPreviewRunner([this](QPrinter&, PageSource& source) { exported = dispatch().exportPdf(source); });
    app->document().notifyViews(hint::kPrintCustomers);
    EXPECT_TRUE(exported);
    EXPECT_TRUE(QFile::exists(ShellTest::path(QStringLiteral("customers.pdf"))));
    EXPECT_FALSE(QFile::exists(ShellTest::path(QStringLiteral("customers"))));
    ASSERT_EQ(modal.saveRequests.size(), 1u);
    EXPECT_EQ(modal.saveRequests[0].caption, QStringLiteral("Export PDF"));
    EXPECT_EQ(modal.saveRequests[0].filter, QStringLiteral("PDF files (*.pdf)"));
    // Offered beside the set under the document's name, which is also the PDF's title.
    EXPECT_EQ(modal.saveRequests[0].folder, QFileInfo(QString::fromStdString(settings)).absolutePath());
    EXPECT_EQ(modal.saveRequests[0].fileName, QStringLiteral("Customers.pdf"));
    EXPECT_TRUE(pdfInfo(ShellTest::path(QStringLiteral("customers.pdf"))).contains(QStringLiteral("Title:           Customers")));

    app->document().notifyViews(hint::kPrintCustomers);
    EXPECT_FALSE(exported);
    EXPECT_EQ(modal.saveRequests.size(), 2u);
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(PrintDispatchTest, PrintSetupOffersThePrinterChoiceAndItHoldsForTheNextPreview) {
    addCustomer();
    QStringList buttons;
    modal.answerDialog = [&](QDialog& dialog) {
        ranDialogs.push_back(dialog.metaObject()->className());
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            buttons.push_back(button->text().remove(QLatin1Char('&')));
        app->printer().setPageSize(QPageSize(QPageSize::Letter));
        return int(QDialog::Accepted);
    };
    app->frame().action(cmd::kFilePrintSetup)->trigger();
    ASSERT_EQ(ranDialogs.size(), 1u);
    EXPECT_EQ(ranDialogs[0], QStringLiteral("PrintSetupDialog"));
    // Setup prints nothing, with or without a printer: its button does not say it does.
    EXPECT_FALSE(buttons.contains(QStringLiteral("Print"))) << buttons.join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(buttons.contains(QStringLiteral("OK"))) << buttons.join(QLatin1Char(',')).toStdString();
    app->document().notifyViews(hint::kPrintCustomers);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].paper, QPageSize::Letter);
}

// A print to a PDF file leaves nothing on screen: where it went is said; a failed one is reported.
TEST_F(PrintDispatchTest, PrintToAFileSaysWhereTheFileWent) {
    const QString pdf = ShellTest::path(QStringLiteral("printed.pdf"));
    dispatch().setPrintDialogRunner([&](QPrinter& printer, int) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    app->document().notifyViews(hint::kPrintHistory);
    app->frame().action(cmd::kFilePrint)->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("The report was printed to the file ") + pdf + QLatin1Char('.'));
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("Audit")));

    const QString unwritable = ShellTest::path(QStringLiteral("no folder/printed.pdf"));
    dispatch().setPrintDialogRunner([&](QPrinter& printer, int) {
        printer.setOutputFileName(unwritable);
        return true;
    });
    app->frame().action(cmd::kFilePrint)->trigger();
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1].text, QStringLiteral("The report could not be printed on ") + unwritable + QLatin1Char('.'));
    app->printer().setOutputFileName(QString());
}

// The columns of the history's heading row at a zoom: x of each dark run that crosses the
// whole row, the rules between and around the heading boxes.
std::vector<int> headingRules(const QImage& shot) {
    const QImage whole = shot.convertToFormat(QImage::Format_Grayscale8);
    // The page is the white area around the middle of the view.
    const auto white = [&](int x, int y) { return whole.pixelColor(x, y).value() == 255; };
    int left = 0, right = whole.width() - 1, pageTop = 0;
    const int middle = whole.height() / 2;
    while (left < whole.width() && !white(left, middle)) ++left;
    while (right > left && !white(right, middle)) --right;
    while (pageTop < middle && !white((left + right) / 2, pageTop)) ++pageTop;
    const QImage image = whole.copy(left, pageTop, right - left + 1, whole.height() - pageTop);
    const auto dark = [&](int x, int y) { return image.pixelColor(x, y).value() < 235; };
    // The heading box's top rule is the first long dark row of the page.
    int top = -1;
    for (int y = 0; y < image.height() && top < 0; ++y) {
        int run = 0;
        for (int x = 0; x < image.width() && top < 0; ++x) {
            run = dark(x, y) ? run + 1 : 0;
            if (run > image.width() / 4) top = y;
        }
    }
    if (top < 0) return {};
    int bottom = top + 2;
    while (bottom < image.height() && !dark(image.width() / 2, bottom)) ++bottom;
    std::vector<int> rules;
    for (int x = 0; x < image.width(); ++x) {
        bool crosses = bottom - top > 3;
        for (int y = top + 2; y <= bottom - 2 && crosses; ++y) crosses = dark(x, y);
        if (crosses && (rules.empty() || rules.back() != x - 1)) rules.push_back(x);
    }
    return rules;
}

// The preview opens at page width in the size it had when last closed; fitted into a small
// window, every rule of the page is still drawn.
TEST_F(PrintDispatchTest, PreviewOpensAtPageWidthInItsLastSizeAndDrawsEveryRule) {
    std::vector<int> atFit;
    QSize opened;
    QPrintPreviewWidget::ZoomMode mode = QPrintPreviewWidget::CustomZoom;
    const auto preview = [&](QPrinter& printer, PageSource& source) {
        PreviewWindow window(&printer, nullptr);
        QObject::connect(&window, &QPrintPreviewDialog::paintRequested, &window,
                         [&source](QPrinter* target) { paintPages(*target, source); });
        window.show();
        QCoreApplication::processEvents();
        opened = window.size();
        mode = window.previewWidget()->zoomMode();
        window.resize(460, 380);
        window.previewWidget()->fitInView();
        QCoreApplication::processEvents();
        atFit = headingRules(window.previewWidget()->grab().toImage());
        window.resize(700, 500);
        window.reject();
    };
    dispatch().setPreviewRunner(preview);
    app->document().notifyViews(hint::kPrintHistory);
    EXPECT_EQ(mode, QPrintPreviewWidget::FitToWidth);
    // Five columns: six rules, none lost to the scale.
    EXPECT_EQ(atFit.size(), 6u);
    app->document().notifyViews(hint::kPrintHistory);
    EXPECT_EQ(opened, QSize(700, 500));
}

// Long work stopped by the user writes nothing, leaves nothing and says nothing.
TEST_F(PrintDispatchTest, StoppedPdfAndPrintWriteNothingAndSayNothing) {
    const QString pdf = ShellTest::path(QStringLiteral("history.pdf"));
    modal.savePaths = {pdf};
    modal.stopProgressAt = 1;
    dispatch().setPreviewRunner([this](QPrinter&, PageSource& source) { exported = dispatch().exportPdf(source); });
    app->document().notifyViews(hint::kPrintHistory);
    EXPECT_FALSE(exported);
    EXPECT_EQ(modal.progressLabels, std::vector<QString>{QStringLiteral("Writing the PDF file...")});
    EXPECT_FALSE(QFile::exists(pdf));

    const QString printed = ShellTest::path(QStringLiteral("printed.pdf"));
    dispatch().setPrintDialogRunner([&](QPrinter& printer, int) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        return true;
    });
    modal.progressSteps = 0;
    app->frame().action(cmd::kFilePrint)->trigger();
    EXPECT_EQ(modal.progressLabels.back(), QStringLiteral("Printing..."));
    EXPECT_FALSE(QFile::exists(printed));
    EXPECT_TRUE(prompter.boxes.empty()) << prompter.boxes[0].text.toStdString();
    EXPECT_EQ(QDir(ShellTest::path(QString())).entryList({QStringLiteral("*.pdf*")}, QDir::Files), QStringList());
    app->printer().setOutputFileName(QString());
}

}  // namespace

#include "ui/app/CTessalyApp.h"

#include "ui/analysis/AnalysisCommands.h"
#include "ui/customers/CustomerCommands.h"
#include "ui/projects/ProjectCommands.h"
#include "ui/reports/CHistoryDlg.h"
#include "ui/tracking/CRecoveryDlg.h"
#include "ui/tracking/CSelectRunningDlg.h"
#include "ui/common/Prompter.h"

#include "ui/reports/CNewInvoiceDlg.h"
#include "ui/reports/InvoiceTextFile.h"
#include "ui/app/CAboutDlg.h"
#include "ui/app/CPropertiesSheet.h"
#include "ui/common/LocaleFacts.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTessalyDoc.h"
#include "ui/app/CTessalyView.h"
#include "ui/common/CommandIds.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>

CTessalyApp::CTessalyApp(AppServices services, QObject* parent)
    : QObject(parent), m_services(services), m_runDialog([](QDialog& dialog) { return dialog.exec(); }) {
    m_chooseProject = [this] {
        return chooseProject(m_frame.get(), m_services.fileSystem, m_services.prompter, &m_services.help,
                             m_doc->settingsPath(), runningProjectIds());
    };
    m_chooseInvoiceFile = chooseInvoiceTextFile;
}

CTessalyApp::~CTessalyApp() {
    m_frame.reset();
    m_doc.reset();
}

void CTessalyApp::start(const QString& commandLine, const std::function<void(CMainFrame&)>& showFrame) {
    m_doc = std::make_unique<CTessalyDoc>(m_services.prompter, m_services.clock, m_services.fileSystem,
                                          m_services.fileDialogs);
    m_doc->openAtStart(commandLine);
    m_frame = std::make_unique<CMainFrame>(*m_doc, m_services.help);
    m_view = new CTessalyView(*m_doc, m_services.clock, m_frame.get());
    m_frame->setCentralWidget(m_view);
    m_view->setHelp(&m_services.help);
    m_view->setDialogRunner([this](QDialog& dialog) { return runDialog(dialog); });
    m_view->printDispatch().setPrinter(&printer());
    m_view->setInvoiceRequest(&m_invoiceRequest);
    m_doc->setDialogParent(m_frame.get());
    connectCommands();
    m_frame->restorePlacement();
    if (showFrame) showFrame(*m_frame);
    m_doc->notifyViews(hint::kTotals);
    m_doc->notifyViews(hint::kWeekChart);
    m_doc->setRecoveryChooser([this](const ql::JournalState& state) {
        CRecoveryDlg dialog(m_services.fileSystem, m_doc->pathOf(ql::FileKind::Settings), state, m_frame.get());
        runDialog(dialog);
        return dialog.choice();
    });
    // A logout must not wait for the exit question; the journal keeps the running projects.
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, m_doc.get(), [this] { m_doc->endSession(); },
                Qt::DirectConnection);
    m_doc->recoverRunning();
}

void CTessalyApp::endSession() {
    m_sessionEnded = true;
    m_doc->endSession();
    m_frame->close();
    QCoreApplication::exit(0);
}

QPrinter& CTessalyApp::printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

QString CTessalyApp::commandLineText(const QStringList& arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}

void CTessalyApp::onAppAbout() {
    CAboutDlg dialog(m_frame.get());
    runDialog(dialog);
}

void CTessalyApp::onFilePrintSetup() {
    // The print dialog, not the page setup alone: only it offers the choice of printer.
    QPrintDialog dialog(&printer(), m_frame.get());
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    runDialog(dialog);
    // Setup chooses the printer and paper, never which pages the next report prints.
    printer().setPrintRange(QPrinter::AllPages);
    printer().setFromTo(0, 0);
}

void CTessalyApp::connectCommands() {
    CMainFrame& frame = *m_frame;
    connect(frame.action(cmd::kFileNew), &QAction::triggered, m_doc.get(), &CTessalyDoc::onFileNew);
    connect(frame.action(cmd::kFileOpen), &QAction::triggered, m_doc.get(), &CTessalyDoc::onFileOpen);
    connect(frame.action(cmd::kAppAbout), &QAction::triggered, this, &CTessalyApp::onAppAbout);
    connect(frame.action(cmd::kFilePrintSetup), &QAction::triggered, this, &CTessalyApp::onFilePrintSetup);
    connect(frame.action(cmd::kEditProjects), &QAction::triggered, this, &CTessalyApp::onEditProjects);
    connect(frame.action(cmd::kEditCustomers), &QAction::triggered, this, &CTessalyApp::onEditCustomers);
    connect(frame.action(cmd::kHistory), &QAction::triggered, this, &CTessalyApp::onHistory);
    connect(frame.action(cmd::kCheckIn), &QAction::triggered, this, &CTessalyApp::onCheckIn);
    connect(frame.action(cmd::kCheckOut), &QAction::triggered, this, &CTessalyApp::onCheckOut);
    connect(frame.action(cmd::kPause), &QAction::triggered, this, &CTessalyApp::onPause);
    connect(frame.action(cmd::kPieChart), &QAction::triggered, this, &CTessalyApp::onPieChart);
    connect(frame.action(cmd::kExport), &QAction::triggered, this, &CTessalyApp::onExport);
    connect(frame.action(cmd::kProperties), &QAction::triggered, this, &CTessalyApp::onProperties);
    connect(frame.action(cmd::kInvoice), &QAction::triggered, this, &CTessalyApp::onInvoice);
    connect(frame.action(cmd::kPrintGanttChart), &QAction::triggered, m_view, &CTessalyView::onPrintGanttChart);
    // Ctrl+P repeats the last report; there is none until one was asked for.
    QAction* printAgain = frame.action(cmd::kFilePrint);
    printAgain->setEnabled(m_view->printDispatch().printKind() != PrintDispatch::kNone);
    connect(printAgain, &QAction::triggered, &m_view->printDispatch(), &PrintDispatch::printAgain);
    connect(&m_view->printDispatch(), &PrintDispatch::reportAvailable, printAgain, [printAgain] { printAgain->setEnabled(true); });
    // The commands of the chart, report and analysis dialogs are connected here
    // as those dialogs arrive.
}

std::vector<std::int32_t> CTessalyApp::runningProjectIds() const {
    std::vector<std::int32_t> ids;
    for (const ql::RunningEntry& entry : m_doc->runningProjects()) ids.push_back(entry.projectId);
    return ids;
}

void CTessalyApp::onEditProjects() {
    if (!m_doc->fileSetOpen()) return;
    editProjects(m_frame.get(), m_services.fileSystem, m_services.prompter, &m_services.help, m_doc->settingsPath(),
                 runningProjectIds());
    // Names and rates shown in the panels may have changed.
    m_doc->notifyViews(hint::kTotals);
    m_doc->notifyViews(hint::kWeekChart);
}

void CTessalyApp::onEditCustomers() {
    if (!m_doc->fileSetOpen()) return;
    if (editCustomers(m_frame.get(), m_services.fileSystem, m_services.prompter, m_doc->settingsPath()))
        m_doc->notifyViews(hint::kPrintCustomers);
}

void CTessalyApp::onHistory() {
    if (!m_doc->fileSetOpen()) return;
    CHistoryDlg dialog(m_services.fileSystem, m_services.prompter, m_services.clock, m_doc->settingsPath(),
                       m_chooseProject, m_frame.get());
    dialog.setDialogRunner([this](QDialog& d) { return runDialog(d); });
    if (runDialog(dialog) == QDialog::Accepted) m_doc->notifyViews(hint::kPrintHistory);
    // Frames may have been added, edited or removed, whatever the ending.
    m_doc->notifyViews(hint::kTotals);
    m_doc->notifyViews(hint::kWeekChart);
}

void CTessalyApp::onPieChart() {
    if (!m_doc->fileSetOpen()) return;
    showPieChart(m_frame.get(), m_services.fileSystem, m_services.prompter, m_services.clock, m_doc->settingsPath(),
                 [this](QDialog& dialog) { return runDialog(dialog); });
}

void CTessalyApp::onExport() {
    if (!m_doc->fileSetOpen()) return;
    exportData(m_frame.get(), m_services.fileSystem, m_services.prompter, m_doc->settingsPath(),
               [this](QDialog& dialog) { return runDialog(dialog); });
}

void CTessalyApp::onCheckIn() {
    if (!m_doc->fileSetOpen()) {
        m_services.prompter.inform(QStringLiteral("File not found"),
                                   QStringLiteral("No file has been opened. Cannot load the projects file."),
                                   Prompter::Icon::Information);
        return;
    }
    if (!m_doc->claimForCheckIn()) {
        m_services.prompter.inform(QStringLiteral("Quillory"), CTessalyDoc::heldElsewhereText(m_doc->settingsPath()),
                                   Prompter::Icon::Information);
        return;
    }
    if (m_doc->running().full()) {
        m_services.prompter.inform(QStringLiteral("Too many projects"),
                                   QStringLiteral("The limit of 5 projects being charged at the same time has been "
                                                  "reached. Check out from a project before checking in."),
                                   Prompter::Icon::Information);
        return;
    }
    const std::optional<std::int32_t> chosen = m_chooseProject();
    if (!chosen) return;
    // The start is taken now, when the tree has closed, not when the command was given.
    m_doc->checkIn(*chosen);
    m_view->update();
}

void CTessalyApp::onCheckOut() {
    if (m_doc->runningCount() == 0) return;
    std::optional<std::int32_t> id;
    if (m_doc->runningCount() == 1) {
        id = m_doc->runningProjects().front().projectId;
    } else {
        CSelectRunningDlg dialog(m_services.fileSystem, m_services.prompter, m_doc->pathOf(ql::FileKind::Projects),
                                 m_doc->running().runningIds(), m_frame.get());
        if (runDialog(dialog) == QDialog::Accepted && dialog.chosenId() != -1) id = dialog.chosenId();
    }
    if (id) {
        const ql::Status written = m_doc->checkOut(*id);
        // The project keeps running, so the user can check out again once the file is back.
        if (!written)
            m_services.prompter.inform(QStringLiteral("Quillory"), QString::fromStdString(written.message()),
                                       Prompter::Icon::Warning);
    }
    m_view->update();
    m_doc->notifyViews(hint::kTotals);
    m_doc->notifyViews(hint::kWeekChart);
}

void CTessalyApp::onPause() {
    if (m_doc->runningCount() == 0) return;
    m_doc->togglePause();
    m_view->update();
}

void CTessalyApp::onProperties() {
    if (!m_doc->fileSetOpen()) return;
    const LocaleFacts locale = localeFacts();
    CPropertiesSheet sheet(m_services.fileSystem, m_services.prompter, &m_services.help,
                           m_doc->pathOf(ql::FileKind::Settings),
                           ql::defaultSettings(locale.currencySymbol, locale.monthFirst), m_frame.get());
    // The sheet has written the record when it ends with OK; a switch of the date order
    // shows in the totals at once.
    if (runDialog(sheet) == QDialog::Accepted) m_doc->notifyViews(hint::kTotals);
}

void CTessalyApp::onInvoice() {
    if (!m_doc->fileSetOpen()) return;
    const std::string settingsPath = m_doc->pathOf(ql::FileKind::Settings);
    CNewInvoiceDlg dialog(m_services.fileSystem, m_services.prompter, m_services.clock, settingsPath, m_frame.get());
    const int result = runDialog(dialog);
    if (result != CNewInvoiceDlg::kPrint && result != CNewInvoiceDlg::kToFile) return;
    m_invoiceRequest = dialog.request();
    if (result == CNewInvoiceDlg::kPrint) {
        m_doc->notifyViews(hint::kPrintInvoice);
        return;
    }
    auto report = [this](const ql::Status& st) {
        m_services.prompter.inform(QStringLiteral("Quillory"), QString::fromStdString(st.message()),
                                   Prompter::Icon::Warning);
    };
    auto invoice = ql::LoadInvoice(m_services.fileSystem, *m_invoiceRequest, m_doc->fileSet());
    if (!invoice) return report(invoice.status());
    auto parties = ql::loadInvoiceParties(m_services.fileSystem, *invoice);
    if (!parties) return report(parties.status());
    const auto path = m_chooseInvoiceFile(m_frame.get(), QFileInfo(m_doc->settingsPath()).absolutePath());
    if (!path) return;
    if (const ql::Status written = writeInvoiceTextFile(*invoice, *parties, *path); !written) report(written);
}

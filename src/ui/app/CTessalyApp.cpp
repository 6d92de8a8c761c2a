#include "ui/app/CTessalyApp.h"
#include "ui/common/CoreText.h"

#include "core/store/FileSystem.h"

#include "ui/analysis/AnalysisCommands.h"
#include "ui/app/AbsenceWatch.h"
#include "ui/app/AccessibleFactory.h"
#include "ui/app/CAboutDlg.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTessalyDoc.h"
#include "ui/app/CTessalyView.h"
#include "ui/reports/PrintDispatch.h"
#include "ui/reports/PrintSetupDialog.h"
#include "ui/common/CommandIds.h"
#include "ui/common/Modal.h"
#include "ui/common/Prompter.h"
#include "ui/customers/CustomerCommands.h"
#include "ui/projects/ProjectCommands.h"
#include "ui/reports/ReportCommands.h"
#include "ui/settings/SettingsCommands.h"
#include "ui/tracking/CRecoveryDlg.h"
#include "ui/tracking/PresenceMonitor.h"
#include "ui/tracking/TrackingCommands.h"

#include <QAction>
#include <QGuiApplication>
#include <QPrinter>

namespace {

struct CommandBinding {
    int id;
    Command command;
};

// Every menu command of a feature, by the id its action carries.
constexpr CommandBinding kCommands[] = {
    {cmd::kCheckIn, checkIn},
    {cmd::kCheckOut, checkOut},
    {cmd::kPause, pause},
    {cmd::kEditProjects, editProjects},
    {cmd::kEditCustomers, editCustomers},
    {cmd::kPieChart, pieChart},
    {cmd::kHistory, history},
    {cmd::kInvoice, invoice},
    {cmd::kInvoices, issuedInvoices},
    {cmd::kExport, exportData},
    {cmd::kProperties, editProperties},
};

}  // namespace

CTessalyApp::CTessalyApp(AppServices services, QObject* parent) : QObject(parent), m_services(services) {}

CTessalyApp::~CTessalyApp() {
    m_absence.reset();
    m_frame.reset();
    m_doc.reset();
}

void CTessalyApp::start(const QString& commandLine, const std::function<void(CMainFrame&)>& showFrame) {
    installAccessibleFactory();
    m_doc = std::make_unique<CTessalyDoc>(m_services.prompter, m_services.clock, m_services.fileSystem,
                                          m_services.fileDialogs);
    m_doc->openAtStart(commandLine);
    m_frame = std::make_unique<CMainFrame>(*m_doc, m_services.help);
    m_commandContext.emplace(CommandContext{m_services.prompter, m_services.modal, m_services.help, m_services.clock,
                                            m_services.fileSystem, *m_doc, m_frame.get(), m_invoiceRequests});
    m_view = new CTessalyView(*m_doc, *m_commandContext, m_frame.get());
    m_frame->setCentralWidget(m_view);
    // The print dialogs open over the view, as they did when the view ran them.
    CommandContext printContext = *m_commandContext;
    printContext.parent = m_view;
    m_print = std::make_unique<PrintDispatch>(printContext, m_view->weekChart());
    m_print->setPrinter(&printer());
    m_view->setPrintDispatch(m_print.get());
    m_doc->setDialogParent(m_frame.get());
    if (!m_services.presence) m_noPresence = std::make_unique<NoPresenceMonitor>();
    m_absence = std::make_unique<AbsenceWatch>(*m_doc, presence(), m_services.modal, m_services.clock, *m_frame);
    connectCommands();
    m_frame->restorePlacement();
    if (showFrame) showFrame(*m_frame);
    m_doc->notifyViews(hint::kTotals);
    m_doc->notifyViews(hint::kWeekChart);
    m_doc->setRecoveryChooser([this](const ql::RecoveryReview& review, const ql::ProjectIndex* projects) {
        CRecoveryDlg dialog(m_services.fileSystem, m_services.prompter, m_doc->fileSet(), review, projects,
                            m_frame.get());
        m_services.modal.runDialog(dialog);
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

PresenceMonitor& CTessalyApp::presence() const {
    return m_services.presence ? *m_services.presence : *m_noPresence;
}

void CTessalyApp::onAppAbout() {
    CAboutDlg dialog(presence().activeSources(), m_frame.get());
    m_services.modal.runDialog(dialog);
}

void CTessalyApp::onFilePrintSetup() {
    PrintSetupDialog dialog(&printer(), m_frame.get());
    m_services.modal.runDialog(dialog);
    // Setup chooses the printer and paper, never which pages the next report prints.
    printer().setPrintRange(QPrinter::AllPages);
    printer().setFromTo(0, 0);
}

void CTessalyApp::showDiskWarnings() {
    // The change was made and stays reported as made; the user only learns it may not be durable.
    for (const ql::Message& warning : m_services.fileSystem.takeWarnings())
        m_services.prompter.inform(tr("Warning"), coreText(warning), Prompter::Icon::Warning);
}

void CTessalyApp::connectCommands() {
    CMainFrame& frame = *m_frame;
    connect(frame.action(cmd::kFileNew), &QAction::triggered, m_doc.get(), &CTessalyDoc::onFileNew);
    connect(frame.action(cmd::kFileNew), &QAction::triggered, this, &CTessalyApp::showDiskWarnings);
    connect(frame.action(cmd::kFileOpen), &QAction::triggered, m_doc.get(), &CTessalyDoc::onFileOpen);
    connect(frame.action(cmd::kAppAbout), &QAction::triggered, this, &CTessalyApp::onAppAbout);
    connect(frame.action(cmd::kFilePrintSetup), &QAction::triggered, this, &CTessalyApp::onFilePrintSetup);
    for (const CommandBinding& binding : kCommands) {
        const Command command = binding.command;
        connect(frame.action(binding.id), &QAction::triggered, this, [this, command] {
            command(*m_commandContext);
            showDiskWarnings();
        });
    }
    connect(frame.action(cmd::kPrintGanttChart), &QAction::triggered, m_print.get(), &PrintDispatch::printWeekChart);
    // Ctrl+P repeats the last report; there is none until one was asked for.
    QAction* printAgain = frame.action(cmd::kFilePrint);
    printAgain->setEnabled(m_print->printKind() != PrintDispatch::kNone);
    connect(printAgain, &QAction::triggered, m_print.get(), &PrintDispatch::printAgain);
    connect(m_print.get(), &PrintDispatch::reportAvailable, printAgain, [printAgain] { printAgain->setEnabled(true); });
}

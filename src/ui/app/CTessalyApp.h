#pragma once

#include "ui/app/ShellOnly.h"

#include "ui/common/CommandContext.h"
#include "ui/common/InvoiceRequestStore.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <memory>

class AbsenceWatch;
class CMainFrame;
class CTessalyDoc;
class CTessalyView;
class PrintDispatch;
class FileSetDialogs;
class HelpService;
class Modal;
class PresenceMonitor;
class Prompter;
class QPrinter;
namespace ql {
class Clock;
class FileSystem;
}  // namespace ql

// The services every part of the application is given instead of reaching for globals.
struct AppServices {
    Prompter& prompter;
    const ql::Clock& clock;
    ql::FileSystem& fileSystem;
    HelpService& help;
    FileSetDialogs& fileDialogs;
    // Every dialog, menu and save dialog the application runs goes through it.
    Modal& modal;
    // What tells the user's absences (screen lock, sleep, idleness); none when null.
    PresenceMonitor* presence = nullptr;
};

// The application object: creates the document, the main frame and the view, in that
// order, connects every menu command to the free function of its area (one table of
// command ids), and owns the one QPrinter of the application and the last invoice request.
// The profile store (QSettings "KESTRA"/"Quillory") is set by main before it starts.
class CTessalyApp : public QObject {
    Q_OBJECT
public:
    explicit CTessalyApp(AppServices services, QObject* parent = nullptr);
    // Destroys the frame, then the document (which remembers the open file set).
    ~CTessalyApp() override;

    // Start-up: the document opens the file set of the command line or the profile, the
    // frame and view are built and the saved placement is applied; then showFrame runs (the
    // program shows the window there and makes it the owner of message boxes) and the view
    // gets hints 3 and 4, so what they report appears over the shown window; then projects
    // left running by an earlier end are offered for recovery (CRecoveryDlg). Without
    // showFrame the window is not shown.
    void start(const QString& commandLine, const std::function<void(CMainFrame&)>& showFrame = {});

    CTessalyDoc& document() const { return *m_doc; }
    CMainFrame& frame() const { return *m_frame; }
    CTessalyView& view() const { return *m_view; }
    // Notices absences while projects run and asks about them.
    AbsenceWatch& absenceWatch() const { return *m_absence; }
    // The print jobs of the window (the reports, the week chart, the invoice, Ctrl+P).
    PrintDispatch& printDispatch() const { return *m_print; }
    const AppServices& services() const { return m_services; }
    // The application's printer, created at first use; reports and Print Setup share it.
    QPrinter& printer();

    // The request of the last invoice asked for; nullopt before the first.
    const std::optional<ql::InvoiceRequest>& invoiceRequest() const { return m_invoiceRequests.last(); }
    // The session ends (a logout or a termination signal): the document journals the running
    // projects, the window closes without the exit question, and every event loop ends, also
    // those of open dialogs. The next start offers the recovery.
    void endSession();
    // Whether endSession ran: a signal during a start-up question must not leave the window
    // to be shown afterwards.
    bool sessionEnded() const { return m_sessionEnded; }

    // The command line as one text: the arguments after the program name joined by blanks.
    static QString commandLineText(const QStringList& arguments);

public slots:
    // The application's own commands: About, and Print Setup on the application's printer.
    void onAppAbout();
    void onFilePrintSetup();
    // Shows the changes the last command made that may not be on disk yet, one box each.
    void showDiskWarnings();

private:
    void connectCommands();
    PresenceMonitor& presence() const;

    AppServices m_services;
    std::unique_ptr<CTessalyDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<PresenceMonitor> m_noPresence;
    std::unique_ptr<AbsenceWatch> m_absence;
    CTessalyView* m_view = nullptr;
    std::unique_ptr<PrintDispatch> m_print;
    std::unique_ptr<QPrinter> m_printer;
    InvoiceRequestStore m_invoiceRequests;
    // What the menu commands are given; made once the document and the frame exist.
    std::optional<CommandContext> m_commandContext;
    bool m_sessionEnded = false;
};

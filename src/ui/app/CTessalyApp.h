#pragma once

#include "ui/app/ShellOnly.h"

#include "core/reports/Invoice.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <memory>
#include <vector>

class CMainFrame;
class CTessalyDoc;
class CTessalyView;
class PrintDispatch;
class FileSetDialogs;
class HelpService;
class Modal;
class Prompter;
class QDialog;
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
};

// The application object: creates the document, the main frame and the view, in that
// order, wires every command to its handler, and owns the one QPrinter of the application.
// The profile store (QSettings "KESTRA"/"Quillory") is set by main before it starts.
class CTessalyApp : public QObject {
    Q_OBJECT
public:
    // Runs a modal dialog and returns its result; tests replace it so nothing blocks.
    using DialogRunner = std::function<int(QDialog&)>;

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
    // The print jobs of the window (the reports, the week chart, the invoice, Ctrl+P).
    PrintDispatch& printDispatch() const { return *m_print; }
    const AppServices& services() const { return m_services; }
    // The application's printer, created at first use; reports and Print Setup share it.
    QPrinter& printer();

    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }
    int runDialog(QDialog& dialog) const { return m_runDialog(dialog); }

    // Picks the project to check in (the project tree in choosing mode); nullopt on Cancel.
    using ProjectChooser = std::function<std::optional<std::int32_t>()>;
    void setProjectChooser(ProjectChooser chooser) { m_chooseProject = std::move(chooser); }

    // Asks where To File... writes an invoice (the save dialog); tests answer it.
    using InvoiceFileChooser = std::function<std::optional<QString>(QWidget* parent, const QString& folder)>;
    void setInvoiceFileChooser(InvoiceFileChooser chooser) { m_chooseInvoiceFile = std::move(chooser); }
    // The request of the last invoice asked for; nullopt before the first.
    const std::optional<ql::InvoiceRequest>& invoiceRequest() const { return m_invoiceRequest; }
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
    void onAppAbout();
    void onFilePrintSetup();
    // Edit Projects and Edit Customers; both refresh the view afterwards, and Print in the
    // customer list asks the view for the printed list (hint 2).
    void onEditProjects();
    void onEditCustomers();
    // History of charges (Ctrl+H): Print asks the view for the printed history (hint 1);
    // then, whatever the ending, the totals and the week chart are refreshed (hints 3, 4).
    void onHistory();
    // Projects Pie Chart and Export: their dialogs on the open file set.
    void onPieChart();
    void onExport();
    // Control menu: Check In (Ctrl+E), Check Out (Ctrl+T), Pause (Ctrl+A).
    void onCheckIn();
    void onCheckOut();
    void onPause();
    // File > Properties: the Properties sheet on the open set; OK sends hint 3.
    void onProperties();
    // Reports > Invoice (Ctrl+I): the New invoice dialog; Print keeps the request and sends
    // hint 5, To File... writes the invoice text file.
    void onInvoice();

private:
    // Ids of the projects running now, which new projects must not take.
    std::vector<std::int32_t> runningProjectIds() const;
    void connectCommands();

    AppServices m_services;
    std::unique_ptr<CTessalyDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    CTessalyView* m_view = nullptr;
    std::unique_ptr<PrintDispatch> m_print;
    std::unique_ptr<QPrinter> m_printer;
    DialogRunner m_runDialog;
    ProjectChooser m_chooseProject;
    InvoiceFileChooser m_chooseInvoiceFile;
    std::optional<ql::InvoiceRequest> m_invoiceRequest;
    bool m_sessionEnded = false;
};

#pragma once

#include "core/reports/Invoice.h"
#include "core/reports/InvoiceIssue.h"
#include "core/store/FileSet.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class Prompter;
namespace ql {
class Clock;
class FileSystem;
}  // namespace ql
namespace Ui {
class CNewInvoiceDlg;
}

// The New invoice dialog: a customer, a period (the current month by default) and the
// invoice number. Print ends it with kPrint, To File... with kToFile, E-invoice (XML)... with
// kEInvoiceXml and PDF with e-invoice... with kFacturX, each after the request was collected
// and the invoice issued (its number stored, the invoice recorded in the register and its
// output, when output gives one, written in the same operation); a refusal (no customer, an
// unknown one, a number over 31 bytes or in the register, an unreadable date, a settings file
// that cannot be written, an output that cannot be written) is told to the user and keeps the
// dialog open with nothing stored; so does a request with no time frame to invoice. When
// another window or program issued invoices after the dialog showed its number, the user is
// asked whether to issue this one as the number now stored; No keeps the dialog open with
// nothing stored. The two e-invoice buttons also refuse, naming each with where to fill it in,
// an invoice that lacks details the e-invoice standard requires.
class CNewInvoiceDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPrint = 1;
    static constexpr int kToFile = 3;
    static constexpr int kEInvoiceXml = 4;
    static constexpr int kFacturX = 5;
    // The refusal of a request whose customer has no time frame in the period.
    static constexpr ql::MessageId kNothingToInvoice = ql::kNothingToInvoice;
    // The step that writes what result asks for, chosen once the user answered the dialog's
    // questions and before the number is taken (parent: the dialog, for a save dialog). It
    // runs under the set's lock while the invoice is issued; its failure leaves nothing
    // issued. An empty step writes nothing and issues all the same, as for a print.
    using Output = std::function<std::function<ql::Status()>(int result, const ql::InvoicePlan& plan, QWidget* parent)>;

    // set names the customers and settings files read and written (kept as a copy).
    // Without output the invoice is issued with nothing written.
    CNewInvoiceDlg(ql::FileSystem& fs, Prompter& prompter, const ql::Clock& clock, const ql::FileSet& set,
                   QWidget* parent = nullptr, Output output = {});
    ~CNewInvoiceDlg() override;

    // The collected request; meaningful once the dialog ended with one of its results but Rejected.
    const ql::InvoiceRequest& request() const { return m_request; }
    // The invoice as issued with the parties it was recorded with; meaningful once the dialog
    // ended with one of its results but Rejected.
    const ql::InvoicePlan& plan() const { return m_plan; }

public slots:
    void onPrint() { collectAndEnd(kPrint); }
    void onToFile() { collectAndEnd(kToFile); }
    void onEInvoiceXml() { collectAndEnd(kEInvoiceXml); }
    void onFacturX() { collectAndEnd(kFacturX); }

private:
    void collectAndEnd(int result);
    void refuse(const ql::Message& message);
    // Asks whether to issue as current, the number stored since the dialog showed its own;
    // offers current in the field either way. True: issue again.
    bool askAboutMovedNumber(const std::string& current);
    // The billed-time question; nullopt when the user cancelled.
    std::optional<ql::BilledAnswer> askAboutBilled(const ql::BilledOverlap& overlap);

    ql::FileSystem& m_fs;
    Prompter& m_prompter;
    const ql::Clock& m_clock;  // the issue date of the invoice
    ql::FileSet m_set;
    bool m_monthFirst = true;
    std::unique_ptr<Ui::CNewInvoiceDlg> m_ui;
    // The next invoice number the user was shown (as read when the dialog opened, or since).
    std::string m_shownNumber;
    ql::InvoiceRequest m_request;
    ql::InvoicePlan m_plan;
    Output m_output;
};

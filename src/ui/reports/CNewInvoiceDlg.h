#pragma once

#include "core/reports/Invoice.h"
#include "core/reports/InvoiceNumbers.h"
#include "core/store/FileSet.h"

#include <QDialog>

#include <memory>
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
// kEInvoiceXml and PDF with e-invoice... with kFacturX, each after the request
// was collected and the next invoice number stored; a refusal (no customer, an unknown one,
// a number over 31 bytes, an unreadable date, a settings file that cannot be written) is told
// to the user and keeps the dialog open with nothing stored; so does a request with no time
// frame to invoice. When another window or program
// issued invoices after the dialog showed its number, the user is asked whether to issue this
// one as the number now stored; No keeps the dialog open with nothing stored. The two
// e-invoice buttons also refuse, naming each with where to fill it in, an invoice that lacks
// details the e-invoice standard requires.
class CNewInvoiceDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPrint = 1;
    static constexpr int kToFile = 3;
    static constexpr int kEInvoiceXml = 4;
    static constexpr int kFacturX = 5;
    // The refusal of a request whose customer has no time frame in the period.
    static constexpr const char* kNothingToInvoice =
        "This customer has no time frame in the period: there is nothing to invoice.";

    // set names the customers and settings files read and written (kept as a copy).
    CNewInvoiceDlg(ql::FileSystem& fs, Prompter& prompter, const ql::Clock& clock, const ql::FileSet& set,
                   QWidget* parent = nullptr);
    ~CNewInvoiceDlg() override;

    // The collected request; meaningful once the dialog ended with one of its results but Rejected.
    const ql::InvoiceRequest& request() const { return m_request; }
    // What storing the request's number changed, to give it back when the invoice cannot be
    // written; meaningful once the dialog ended with one of its results but Rejected.
    const ql::IssuedInvoiceNumber& issuedNumber() const { return m_issued; }
    // The invoice of the request, loaded when it was checked for lines (the time frames file
    // read once); meaningful once the dialog ended with one of its results but Rejected.
    const ql::Invoice& invoice() const { return m_invoice; }

public slots:
    void onPrint() { collectAndEnd(kPrint); }
    void onToFile() { collectAndEnd(kToFile); }
    void onEInvoiceXml() { collectAndEnd(kEInvoiceXml); }
    void onFacturX() { collectAndEnd(kFacturX); }

private:
    void collectAndEnd(int result);
    void refuse(const std::string& message);

    ql::FileSystem& m_fs;
    Prompter& m_prompter;
    const ql::Clock& m_clock;  // the issue date of the invoice
    ql::FileSet m_set;
    bool m_monthFirst = true;
    std::unique_ptr<Ui::CNewInvoiceDlg> m_ui;
    // The next invoice number the user was shown (as read when the dialog opened, or since).
    std::string m_shownNumber;
    ql::InvoiceRequest m_request;
    ql::IssuedInvoiceNumber m_issued;
    ql::Invoice m_invoice;
};

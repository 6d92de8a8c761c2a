#include "ui/reports/CNewInvoiceDlg.h"
#include "ui/common/CoreText.h"

#include "core/reports/InvoiceRegister.h"

#include "ui_CNewInvoiceDlg.h"

#include "collation/NameOrder.h"
#include "core/reports/InvoiceNumbers.h"
#include "core/reports/ReportPeriod.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Settings.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/common/FailureText.h"
#include "ui/common/LocaleFacts.h"
#include "ui/common/Prompter.h"
#include "ui/reports/EInvoiceFiles.h"

#include <QStringList>

#include <algorithm>

CNewInvoiceDlg::CNewInvoiceDlg(ql::FileSystem& fs, Prompter& prompter, const ql::Clock& clock, const ql::FileSet& set,
                               QWidget* parent)
    : QDialog(parent), m_fs(fs), m_prompter(prompter), m_clock(clock), m_set(set),
      m_ui(std::make_unique<Ui::CNewInvoiceDlg>()) {
    m_ui->setupUi(this);
    connect(m_ui->printButton, &QPushButton::clicked, this, &CNewInvoiceDlg::onPrint);
    connect(m_ui->toFileButton, &QPushButton::clicked, this, &CNewInvoiceDlg::onToFile);
    connect(m_ui->eInvoiceXmlButton, &QPushButton::clicked, this, &CNewInvoiceDlg::onEInvoiceXml);
    connect(m_ui->facturXButton, &QPushButton::clicked, this, &CNewInvoiceDlg::onFacturX);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CNewInvoiceDlg::reject);

    auto customers = ql::loadCustomers(m_fs, m_set.customers());
    if (!customers) {
        m_prompter.inform(tr("Warning"), coreText(customers.status().message()),
                          Prompter::Icon::Information);
        return;
    }
    std::vector<ql::CustomerRecord> sorted = std::move(customers).value();
    // A sorted list, as every list of names; two customers of one name stay two entries.
    const ql::NameOrder order;
    std::stable_sort(sorted.begin(), sorted.end(), [&order](const ql::CustomerRecord& a, const ql::CustomerRecord& b) {
        return order.compareUtf8(a.name, b.name) < 0;
    });
    for (const ql::CustomerRecord& c : sorted) m_ui->customerCombo->addItem(QString::fromStdString(c.name), c.id);
    m_ui->customerCombo->setCurrentIndex(sorted.empty() ? -1 : 0);

    const LocaleFacts locale = localeFacts();
    const ql::SettingsRecord settings =
        ql::readSettingsOrDefaults(m_fs, m_set, locale.currencySymbol, locale.monthFirst);
    m_monthFirst = settings.monthFirst();
    const ql::ReportPeriod period = ql::defaultInvoicePeriod(clock.now());
    m_ui->fromEdit->setText(QString::fromStdString(ql::longDateText(period.start, m_monthFirst)));
    m_ui->toEdit->setText(QString::fromStdString(ql::longDateText(period.end, m_monthFirst)));
    m_shownNumber = settings.nextInvoiceNumber;
    m_ui->numberEdit->setText(QString::fromStdString(m_shownNumber));
}

CNewInvoiceDlg::~CNewInvoiceDlg() = default;

void CNewInvoiceDlg::refuse(const std::string& message) {
    m_prompter.inform(tr("Warning"), coreText(message), Prompter::Icon::Information);
}

void CNewInvoiceDlg::collectAndEnd(int result) {
    ql::InvoiceRequest request;
    const QVariant id = m_ui->customerCombo->currentData();
    request.customerId = id.isValid() ? id.toInt() : -1;
    request.invoiceNumber = m_ui->numberEdit->text().toStdString();
    if (const ql::Status st = ql::checkInvoiceNumber(request.invoiceNumber); !st) return refuse(st.message());
    if (const ql::Status st =
            ql::checkInvoiceCustomer(m_fs, m_set.customers(), request.customerId);
        !st)
        return refuse(st.message());
    const auto start = ql::ParseDateText(m_ui->fromEdit->text().toStdString(), m_monthFirst, ql::DayClock::Start, "From");
    if (!start) return refuse(start.status().message());
    const auto end = ql::ParseDateText(m_ui->toEdit->text().toStdString(), m_monthFirst, ql::DayClock::End, "To");
    if (!end) return refuse(end.status().message());
    request.periodStart = *start;
    request.periodEnd = *end;
    request.issueDate = m_clock.now();
    // An invoice of no lines would take a number for nothing.
    auto invoice = ql::LoadInvoice(m_fs, request, m_set);
    if (!invoice) return refuse(invoice.status().message());
    if (invoice->lines.empty()) return refuse(kNothingToInvoice);
    // Recorded as it is shown now, so that a reprint gives this invoice whatever changes later.
    auto parties = ql::loadInvoiceParties(m_fs, *invoice);
    if (!parties) return refuse(parties.status().message());
    // An e-invoice its receiver would reject must not take a number: the user is told what to
    // fill in first (before any question on billed hours), and the dialog stays open.
    if (result == kEInvoiceXml || result == kFacturX) {
        if (const std::optional<QString> missing = missingEInvoiceText(*invoice, *parties)) {
            m_prompter.inform(tr("E-invoice"), *missing, Prompter::Icon::Information);
            return;
        }
    }
    // The same hours billed twice without a word would cost the customer's trust: asked first.
    const auto reg = ql::readInvoiceRegister(m_fs, m_set);
    if (!reg) return refuse(reg.status().message());
    bool rebills = false;
    if (const ql::BilledOverlap overlap = ql::billedOverlap(*invoice, *reg); overlap.frames > 0) {
        QStringList numbers;
        for (const std::string& n : overlap.numbers) numbers << QString::fromStdString(n);
        const QString frames = overlap.frames == 1 ? tr("1 time frame of this period was")
                                                   : tr("%1 time frames of this period were").arg(overlap.frames);
        // Escape does neither: billing the hours again must be chosen, never fallen into.
        enum { kLeaveOut, kBillAgain, kCancel };
        const int choice = m_prompter.choose(
            tr("New invoice"),
            tr("%1 billed already, on %2 %3.\nLeave them out of this invoice, or bill them again "
               "(the register records that it does)?")
                .arg(frames, numbers.size() == 1 ? tr("invoice") : tr("invoices"),
                     numbers.join(QStringLiteral(", "))),
            {tr("&Leave Out"), tr("&Bill Again"), tr("Cancel")}, kCancel);
        if (choice == kCancel) return;
        if (choice == kLeaveOut) {
            ql::leaveOutBilled(*invoice, *reg);
            if (invoice->lines.empty())
                return refuse("Every time frame of this period was billed already: there is nothing to invoice.");
        } else {
            rebills = true;
        }
    }
    // The date the invoice shows, whatever time the question above took.
    const ql::InvoiceRecord record{*invoice, *parties, request.issueDate, rebills};
    // Stored and recorded before anything is printed or written: cancelling later does not
    // take it back.
    auto claim = ql::claimInvoiceNumber(m_fs, m_set, m_shownNumber, request.invoiceNumber, &record);
    if (!claim) {
        // A settings file that cannot be written (a full disk): said with the system's reason.
        m_prompter.inform(tr("Warning"), failureText(claim.status()), Prompter::Icon::Warning);
        return;
    }
    if (claim->moved) {
        // Another window or program issued invoices since this one opened: the number shown may
        // be taken. The user decides with the number now stored in view; nothing is stored yet.
        const QString taken = QString::fromStdString(m_shownNumber);
        const QString next = QString::fromStdString(claim->current);
        m_shownNumber = claim->current;
        const bool useNext = m_prompter.ask(
            tr("New invoice"),
            tr("Invoice numbers were issued by another window or program since this one opened: "
                           "the next invoice number is now %1, not %2.\nIssue this invoice as number %1?")
                .arg(next, taken));
        // Either way the field offers the free number: issuing the taken one again needs the
        // user to type it deliberately.
        m_ui->numberEdit->setText(next);
        if (useNext) return collectAndEnd(result);
        m_ui->numberEdit->setFocus();
        m_ui->numberEdit->selectAll();
        return;
    }
    m_issued = claim->issued;
    m_request = request;
    m_invoice = std::move(invoice).value();
    m_invoice.request = request;
    done(result);
}

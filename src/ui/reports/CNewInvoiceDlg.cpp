#include "ui/reports/CNewInvoiceDlg.h"
#include "ui/common/CoreText.h"

#include "core/reports/InvoiceRegister.h"

#include "ui_CNewInvoiceDlg.h"

#include "collation/NameOrder.h"
#include "core/reports/InvoiceIssue.h"
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
                               QWidget* parent, Output output)
    : QDialog(parent), m_fs(fs), m_prompter(prompter), m_clock(clock), m_set(set),
      m_ui(std::make_unique<Ui::CNewInvoiceDlg>()), m_output(std::move(output)) {
    m_ui->setupUi(this);
    connect(m_ui->printButton, &QPushButton::clicked, this, &CNewInvoiceDlg::onPrint);
    connect(m_ui->toFileButton, &QPushButton::clicked, this, &CNewInvoiceDlg::onToFile);
    connect(m_ui->eInvoiceXmlButton, &QPushButton::clicked, this, &CNewInvoiceDlg::onEInvoiceXml);
    connect(m_ui->facturXButton, &QPushButton::clicked, this, &CNewInvoiceDlg::onFacturX);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CNewInvoiceDlg::reject);

    auto customers = ql::loadCustomers(m_fs, m_set.customers());
    if (!customers) {
        m_prompter.inform(tr("Warning"), coreText(customers.status()),
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

void CNewInvoiceDlg::refuse(const ql::Message& message) {
    m_prompter.inform(tr("Warning"), coreText(message), Prompter::Icon::Information);
}

bool CNewInvoiceDlg::askAboutMovedNumber(const std::string& current) {
    // Another window or program issued invoices since this one opened: the number shown may
    // be taken. The user decides with the number now stored in view; nothing is stored yet.
    const QString taken = QString::fromStdString(m_shownNumber);
    const QString next = QString::fromStdString(current);
    m_shownNumber = current;
    const bool useNext = m_prompter.ask(
        tr("New invoice"),
        tr("Invoice numbers were issued by another window or program since this one opened: "
                       "the next invoice number is now %1, not %2.\nIssue this invoice as number %1?")
            .arg(next, taken));
    // Either way the field offers the free number: issuing the taken one again needs the
    // user to type it deliberately.
    m_ui->numberEdit->setText(next);
    if (useNext) return true;
    m_ui->numberEdit->setFocus();
    m_ui->numberEdit->selectAll();
    return false;
}

std::optional<ql::BilledAnswer> CNewInvoiceDlg::askAboutBilled(const ql::BilledOverlap& overlap) {
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
            .arg(frames, numbers.size() == 1 ? tr("invoice") : tr("invoices"), numbers.join(QStringLiteral(", "))),
        {tr("&Leave Out"), tr("&Bill Again"), tr("Cancel")}, kCancel);
    if (choice == kCancel) return std::nullopt;
    return choice == kLeaveOut ? ql::BilledAnswer::LeaveOut : ql::BilledAnswer::BillAgain;
}

void CNewInvoiceDlg::collectAndEnd(int result) {
    ql::InvoiceRequest request;
    const QVariant id = m_ui->customerCombo->currentData();
    request.customerId = id.isValid() ? id.toInt() : -1;
    request.invoiceNumber = m_ui->numberEdit->text().toStdString();
    const auto start = ql::ParseDateText(m_ui->fromEdit->text().toStdString(), m_monthFirst, ql::DayClock::Start, ql::MessageId::FieldFrom);
    if (!start) return refuse(start.status().userMessage());
    const auto end = ql::ParseDateText(m_ui->toEdit->text().toStdString(), m_monthFirst, ql::DayClock::End, ql::MessageId::FieldTo);
    if (!end) return refuse(end.status().userMessage());
    request.periodStart = *start;
    request.periodEnd = *end;
    // The date the invoice shows, whatever time the questions below take.
    request.issueDate = m_clock.now();
    auto plan = ql::prepareInvoice(m_fs, m_set, request);
    if (!plan) return refuse(plan.status().userMessage());
    // Asked before anything else: the questions below are then asked of the number issued.
    if (plan->shownNumber != m_shownNumber) {
        if (askAboutMovedNumber(plan->shownNumber)) return collectAndEnd(result);
        return;
    }
    // An e-invoice its receiver would reject must not take a number: the user is told what to
    // fill in first (before any question on billed hours), and the dialog stays open.
    if (result == kEInvoiceXml || result == kFacturX) {
        if (const std::optional<QString> missing = missingEInvoiceText(plan->gaps)) {
            m_prompter.inform(tr("E-invoice"), *missing, Prompter::Icon::Information);
            return;
        }
    }
    // The same hours billed twice without a word would cost the customer's trust: asked first.
    if (plan->overlap.frames > 0) {
        const std::optional<ql::BilledAnswer> answer = askAboutBilled(plan->overlap);
        if (!answer) return;
        if (const ql::Status answered = ql::answerBilled(*plan, *answer); !answered) return refuse(answered.userMessage());
    }
    const std::function<ql::Status()> write = m_output ? m_output(result, *plan, this) : nullptr;
    bool writeFailed = false;
    auto issued = ql::issueInvoice(m_fs, m_set, *plan, [&] {
        const ql::Status written = write ? write() : ql::Status::ok();
        writeFailed = !written;
        return written;
    });
    if (!issued) {
        // A file that cannot be written, or a settings file that cannot (a full disk): said with
        // the system's reason; nothing was issued.
        m_prompter.inform(writeFailed ? QStringLiteral("Quillory") : tr("Warning"), failureText(issued.status()),
                          Prompter::Icon::Warning);
        return;
    }
    if (issued->moved) {
        if (askAboutMovedNumber(issued->storedNext)) return collectAndEnd(result);
        return;
    }
    m_request = request;
    m_plan = std::move(plan).value();
    done(result);
}

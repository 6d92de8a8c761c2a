#include "ui/reports/CInvoicesDlg.h"
#include "ui/common/CoreText.h"

#include "core/reports/Invoice.h"
#include "core/reports/InvoiceIssue.h"
#include "core/Progress.h"
#include "core/store/Settings.h"
#include "core/time/TimeText.h"
#include "ui/common/ExistingFolder.h"
#include "ui/common/FailureText.h"
#include "ui/common/Modal.h"
#include "ui/common/Prompter.h"
#include "ui/common/RecordText.h"
#include "ui/reports/InvoiceTextFile.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

enum Column { kNumber, kDate, kCustomer, kPeriod, kTotal, kState, kColumns };
constexpr int kIndexRole = Qt::UserRole;

}  // namespace

CInvoicesDlg::CInvoicesDlg(ql::FileSystem& fs, Prompter& prompter, Modal& modal, const ql::FileSet& set,
                           ql::InvoiceRegister reg, QWidget* parent)
    : QDialog(parent), m_fs(fs), m_prompter(prompter), m_modal(modal), m_set(set), m_register(std::move(reg)) {
    setWindowTitle(tr("Invoices"));
    setObjectName(QStringLiteral("invoicesDialog"));

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("invoiceList"));
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({tr("Number"), tr("Date"), tr("Customer"),
                             tr("Period"), tr("Total"), tr("State")});
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(kCustomer, QHeaderView::Stretch);
    m_list->setAccessibleName(tr("Issued invoices"));

    m_emptyNote = new QLabel(tr("No invoice has been issued from this file set yet."), this);
    m_emptyNote->setWordWrap(true);

    m_reprintButton = new QPushButton(tr("&Reprint"), this);
    m_toFileButton = new QPushButton(tr("To &File..."), this);
    m_eInvoiceXmlButton = new QPushButton(tr("E-invoice (XML)..."), this);
    m_facturXButton = new QPushButton(tr("PDF with e-invoice..."), this);
    m_voidButton = new QPushButton(tr("&Void..."), this);
    auto* closeButton = new QPushButton(tr("Close"), this);
    m_reprintButton->setObjectName(QStringLiteral("reprintButton"));
    m_toFileButton->setObjectName(QStringLiteral("toFileButton"));
    m_eInvoiceXmlButton->setObjectName(QStringLiteral("eInvoiceXmlButton"));
    m_facturXButton->setObjectName(QStringLiteral("facturXButton"));
    m_voidButton->setObjectName(QStringLiteral("voidButton"));
    m_reprintButton->setDefault(true);
    connect(m_reprintButton, &QPushButton::clicked, this, &CInvoicesDlg::reprint);
    connect(m_toFileButton, &QPushButton::clicked, this, &CInvoicesDlg::toFile);
    connect(m_eInvoiceXmlButton, &QPushButton::clicked, this, [this] { eInvoiceFile(EInvoiceForm::Xml); });
    connect(m_facturXButton, &QPushButton::clicked, this, [this] { eInvoiceFile(EInvoiceForm::FacturXPdf); });
    connect(m_voidButton, &QPushButton::clicked, this, &CInvoicesDlg::voidSelected);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &CInvoicesDlg::updateButtons);
    connect(m_list, &QTreeWidget::itemActivated, this, &CInvoicesDlg::reprint);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_reprintButton, m_toFileButton, m_eInvoiceXmlButton, m_facturXButton, m_voidButton})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* listSide = new QVBoxLayout;
    listSide->addWidget(m_list);
    listSide->addWidget(m_emptyNote);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(listSide, 1);
    layout->addLayout(buttons);
    resize(720, 360);

    fill();
    m_list->setFocus();
}

CInvoicesDlg::~CInvoicesDlg() = default;

void CInvoicesDlg::fill() {
    const std::optional<std::size_t> keep = selectedIndex();
    m_list->clear();
    const auto settings = ql::readSettings(m_fs, m_set);
    const bool monthFirst = settings ? settings->monthFirst() : true;
    const auto& invoices = m_register.invoices();
    QTreeWidgetItem* current = nullptr;
    // Newest first: the invoice a user looks for is most often the last one issued.
    for (std::size_t n = invoices.size(); n-- > 0;) {
        const ql::IssuedInvoice& issued = invoices[n];
        // The customer and the money as the invoice showed them, whatever changed since.
        const std::string& customer = issued.customerName;
        const std::string& symbol = issued.monetarySymbol;
        auto* row = new QTreeWidgetItem(m_list);
        row->setText(kNumber, fromRecordText(issued.number));
        row->setText(kDate, QString::fromStdString(ql::dateText(issued.issuedAt, monthFirst)));
        row->setText(kCustomer, fromRecordText(customer));
        row->setText(kPeriod, QString::fromStdString(ql::dateText(issued.periodStart, monthFirst) + " - " +
                                                     ql::dateText(issued.periodEnd, monthFirst)));
        row->setText(kTotal, fromRecordText(ql::invoiceCentsText(symbol, issued.sums.total)));
        row->setTextAlignment(kTotal, Qt::AlignRight | Qt::AlignVCenter);
        const bool isVoid = issued.state == ql::IssuedState::Void;
        row->setText(kState, isVoid ? tr("void") : issued.rebills ? tr("issued (bills again)")
                                                                               : QStringLiteral("issued"));
        row->setData(kNumber, kIndexRole, static_cast<qulonglong>(n));
        if (isVoid)
            for (int c = 0; c < kColumns; ++c) row->setForeground(c, palette().brush(QPalette::Disabled, QPalette::Text));
        if (keep && *keep == n) current = row;
    }
    for (int c = 0; c < kColumns; ++c)
        if (c != kCustomer) m_list->resizeColumnToContents(c);
    if (!current && m_list->topLevelItemCount() > 0) current = m_list->topLevelItem(0);
    if (current) m_list->setCurrentItem(current);
    m_emptyNote->setVisible(invoices.empty());
    updateButtons();
}

std::optional<std::size_t> CInvoicesDlg::selectedIndex() const {
    const QTreeWidgetItem* row = m_list->currentItem();
    if (!row) return std::nullopt;
    return static_cast<std::size_t>(row->data(kNumber, kIndexRole).toULongLong());
}

void CInvoicesDlg::updateButtons() {
    const std::optional<std::size_t> i = selectedIndex();
    m_reprintButton->setEnabled(i.has_value());
    m_toFileButton->setEnabled(i.has_value());
    const bool issued = i && m_register.invoices()[*i].state == ql::IssuedState::Issued;
    // A customer's software books an e-invoice without a person reading it: a void one is not
    // sent again in that form.
    m_eInvoiceXmlButton->setEnabled(issued);
    m_facturXButton->setEnabled(issued);
    m_voidButton->setEnabled(issued);
}

std::optional<ql::IssuedContent> CInvoicesDlg::selectedContent() {
    const std::optional<std::size_t> i = selectedIndex();
    if (!i) return std::nullopt;
    // Paper copies of a void invoice may still be wanted; the e-invoice buttons are off for one.
    auto content = ql::findIssuedContent(m_fs, m_set, m_register, m_register.invoices()[*i].number,
                                         ql::VoidInvoices::Given);
    if (!content) {
        m_prompter.inform(QStringLiteral("Quillory"), coreText(content.status()),
                          Prompter::Icon::Warning);
        return std::nullopt;
    }
    return std::move(content).value();
}

void CInvoicesDlg::reprint() {
    std::optional<ql::IssuedContent> content = selectedContent();
    if (!content) return;
    m_reprint = std::move(content);
    done(kReprint);
}

void CInvoicesDlg::toFile() {
    const std::optional<ql::IssuedContent> content = selectedContent();
    if (!content) return;
    const QString folder = QFileInfo(QString::fromStdString(m_set.settings())).absolutePath();
    const std::optional<QString> path =
        chooseSavePathInExistingFolder(m_modal, m_prompter, this, invoiceTextFileRequest(folder));
    if (!path) return;
    const ql::Status written = writeInvoiceTextFile(m_fs, content->invoice, content->parties, *path, &m_set);
    if (!written) m_prompter.inform(QStringLiteral("Quillory"), failureText(written), Prompter::Icon::Warning);
}

void CInvoicesDlg::eInvoiceFile(EInvoiceForm form) {
    const std::optional<ql::IssuedContent> content = selectedContent();
    if (!content) return;
    // What an invoice lacked when it was issued cannot be filled in for it afterwards.
    if (const std::optional<QString> missing = missingEInvoiceText(ql::missingEInvoiceDetails(content->invoice, content->parties))) {
        m_prompter.inform(tr("E-invoice"), *missing, Prompter::Icon::Information);
        return;
    }
    const QString folder = QFileInfo(QString::fromStdString(m_set.settings())).absolutePath();
    const std::optional<QString> path = chooseSavePathInExistingFolder(
        m_modal, m_prompter, this, eInvoiceFileRequest(form, folder, content->invoice.request.invoiceNumber));
    if (!path) return;
    const std::unique_ptr<ql::Progress> progress =
        form == EInvoiceForm::FacturXPdf ? m_modal.progress(this, tr("Writing the PDF file...")) : nullptr;
    const ql::Status written =
        writeEInvoiceFile(m_fs, form, content->invoice, content->parties, *path, &m_set, progress.get());
    if (!written && !written.isCancelled())
        m_prompter.inform(QStringLiteral("Quillory"), failureText(written), Prompter::Icon::Warning);
}

void CInvoicesDlg::voidSelected() {
    const std::optional<std::size_t> i = selectedIndex();
    if (!i) return;
    const QString number = fromRecordText(m_register.invoices()[*i].number);
    if (!m_prompter.ask(tr("Void invoice"),
                        tr("Void invoice %1? It stays listed as void, its number is never issued again, "
                                       "and its time frames can be invoiced again.")
                            .arg(number)))
        return;
    const ql::Status voided = ql::voidInvoice(m_fs, m_set, m_register.invoices()[*i].number);
    if (!voided)
        m_prompter.inform(QStringLiteral("Quillory"), failureText(voided), Prompter::Icon::Warning);
    // Read again either way: another program may have changed the register meanwhile.
    auto reread = ql::readInvoiceRegister(m_fs, m_set);
    if (!reread) {
        m_prompter.inform(QStringLiteral("Quillory"), coreText(reread.status()),
                          Prompter::Icon::Warning);
        return;
    }
    m_register = std::move(reread).value();
    fill();
}

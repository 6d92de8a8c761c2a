#include "ui/customers/CCustomerInfoDlg.h"
#include "ui/common/CoreText.h"

#include "ui_CCustomerInfoDlg.h"

#include "core/store/BillingFields.h"
#include "ui/common/FieldValidator.h"
#include "ui/common/Prompter.h"
#include "ui/common/RecordText.h"

namespace {

using R = ql::CustomerRecord;

struct LineField {
    QLineEdit* Ui_CCustomerInfoDlg::*edit;
    std::string R::*field;
    std::size_t width;
};

constexpr LineField kLineFields[] = {
    {&Ui_CCustomerInfoDlg::nameEdit, &R::name, R::kNameWidth},
    {&Ui_CCustomerInfoDlg::addressEdit, &R::address, R::kAddressWidth},
    {&Ui_CCustomerInfoDlg::zipEdit, &R::zip, R::kShortTextWidth},
    {&Ui_CCustomerInfoDlg::stateEdit, &R::state, R::kShortTextWidth},
    {&Ui_CCustomerInfoDlg::cityEdit, &R::city, R::kShortTextWidth},
    {&Ui_CCustomerInfoDlg::countryEdit, &R::country, R::kShortTextWidth},
    {&Ui_CCustomerInfoDlg::phoneEdit, &R::phone, R::kShortTextWidth},
};

struct DetailField {
    QLineEdit* Ui_CCustomerInfoDlg::*edit;
    std::string ql::CustomerDetails::*field;
    ql::BillingField kind;
};

constexpr DetailField kDetailFields[] = {
    {&Ui_CCustomerInfoDlg::countryCodeEdit, &ql::CustomerDetails::countryCode, ql::BillingField::CountryCode},
    {&Ui_CCustomerInfoDlg::vatIdEdit, &ql::CustomerDetails::vatId, ql::BillingField::VatId},
    {&Ui_CCustomerInfoDlg::emailEdit, &ql::CustomerDetails::email, ql::BillingField::Email},
    {&Ui_CCustomerInfoDlg::buyerReferenceEdit, &ql::CustomerDetails::buyerReference, ql::BillingField::BuyerReference},
};

}  // namespace

CCustomerInfoDlg::CCustomerInfoDlg(const ql::CustomerRecord& record, QWidget* parent)
    : CCustomerInfoDlg(record, ql::CustomerDetails{}, nullptr, parent) {}

CCustomerInfoDlg::CCustomerInfoDlg(const ql::CustomerRecord& record, const ql::CustomerDetails& details,
                                   Prompter* prompter, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CCustomerInfoDlg>()), m_record(record), m_details(details),
      m_prompter(prompter) {
    m_ui->setupUi(this);
    for (const LineField& f : kLineFields) {
        QLineEdit* edit = (*m_ui).*f.edit;
        edit->setText(fromRecordText(m_record.*f.field));
        FieldValidator::install(edit, f.width);
    }
    m_ui->notesEdit->setPlainText(fromRecordLines(m_record.notes));
    m_ui->notesEdit->setFieldWidth(R::kNotesWidth);
    for (const DetailField& f : kDetailFields) {
        QLineEdit* edit = (*m_ui).*f.edit;
        edit->setText(QString::fromStdString(m_details.*f.field));
        // Room for what may be typed (an IBAN's spaces, say); the check on OK has the last word.
        edit->setMaxLength(static_cast<int>(ql::billingFieldWidth(f.kind)) + 20);
    }
    connect(m_ui->okButton, &QPushButton::clicked, this, &CCustomerInfoDlg::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CCustomerInfoDlg::reject);
    m_ui->nameEdit->setFocus();
}

CCustomerInfoDlg::~CCustomerInfoDlg() = default;

void CCustomerInfoDlg::accept() {
    // Checked first, so a refusal leaves the record as it was too.
    ql::CustomerDetails details = m_details;
    for (const DetailField& f : kDetailFields) {
        QLineEdit* edit = (*m_ui).*f.edit;
        auto stored = ql::checkBillingField(f.kind, edit->text().toStdString());
        if (!stored) {
            if (m_prompter)
                m_prompter->inform(tr("Customer info"), coreText(stored.status()),
                                   Prompter::Icon::Warning);
            edit->setFocus();
            edit->selectAll();
            return;
        }
        details.*f.field = std::move(stored).value();
    }
    m_details = details;
    // An untouched field keeps the record's own text, which its display form may not give
    // back exactly (line breaks other than CR LF, an 8-bit text read from an old file).
    for (const LineField& f : kLineFields) {
        const QString text = ((*m_ui).*f.edit)->text();
        if (text != fromRecordText(m_record.*f.field)) m_record.*f.field = toRecordText(text, f.width);
    }
    const QString notes = m_ui->notesEdit->toPlainText();
    if (notes != fromRecordLines(m_record.notes)) m_record.notes = toRecordLines(notes, R::kNotesWidth);
    QDialog::accept();
}

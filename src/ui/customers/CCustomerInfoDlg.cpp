#include "ui/customers/CCustomerInfoDlg.h"

#include "ui_CCustomerInfoDlg.h"

#include "ui/common/FieldValidator.h"
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

}  // namespace

CCustomerInfoDlg::CCustomerInfoDlg(const ql::CustomerRecord& record, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CCustomerInfoDlg>()), m_record(record) {
    m_ui->setupUi(this);
    for (const LineField& f : kLineFields) {
        QLineEdit* edit = (*m_ui).*f.edit;
        edit->setText(fromRecordText(m_record.*f.field));
        FieldValidator::install(edit, f.width);
    }
    m_ui->notesEdit->setPlainText(fromRecordLines(m_record.notes));
    m_ui->notesEdit->setFieldWidth(R::kNotesWidth);
    connect(m_ui->okButton, &QPushButton::clicked, this, &CCustomerInfoDlg::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CCustomerInfoDlg::reject);
    m_ui->nameEdit->setFocus();
}

CCustomerInfoDlg::~CCustomerInfoDlg() = default;

void CCustomerInfoDlg::accept() {
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

#include "ui/customers/CCustomerInfoDlg.h"

#include "ui_CCustomerInfoDlg.h"

#include "ui/common/RecordText.h"

CCustomerInfoDlg::CCustomerInfoDlg(const ql::CustomerRecord& record, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CCustomerInfoDlg>()), m_record(record) {
    m_ui->setupUi(this);
    m_ui->nameEdit->setText(fromRecordText(m_record.name));
    m_ui->addressEdit->setText(fromRecordText(m_record.address));
    m_ui->zipEdit->setText(fromRecordText(m_record.zip));
    m_ui->stateEdit->setText(fromRecordText(m_record.state));
    m_ui->cityEdit->setText(fromRecordText(m_record.city));
    m_ui->countryEdit->setText(fromRecordText(m_record.country));
    m_ui->phoneEdit->setText(fromRecordText(m_record.phone));
    m_ui->notesEdit->setPlainText(fromRecordLines(m_record.notes));
    connect(m_ui->okButton, &QPushButton::clicked, this, &CCustomerInfoDlg::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CCustomerInfoDlg::reject);
    m_ui->nameEdit->setFocus();
}

CCustomerInfoDlg::~CCustomerInfoDlg() = default;

void CCustomerInfoDlg::accept() {
    using R = ql::CustomerRecord;
    m_record.name = toRecordText(m_ui->nameEdit->text(), R::kNameWidth);
    m_record.address = toRecordText(m_ui->addressEdit->text(), R::kAddressWidth);
    m_record.zip = toRecordText(m_ui->zipEdit->text(), R::kShortTextWidth);
    m_record.state = toRecordText(m_ui->stateEdit->text(), R::kShortTextWidth);
    m_record.city = toRecordText(m_ui->cityEdit->text(), R::kShortTextWidth);
    m_record.country = toRecordText(m_ui->countryEdit->text(), R::kShortTextWidth);
    m_record.phone = toRecordText(m_ui->phoneEdit->text(), R::kShortTextWidth);
    m_record.notes = toRecordLines(m_ui->notesEdit->toPlainText(), R::kNotesWidth);
    QDialog::accept();
}

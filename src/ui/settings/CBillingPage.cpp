#include "ui/settings/CBillingPage.h"

#include "ui_CBillingPage.h"

#include "core/store/BillingFields.h"

#include <QLineEdit>

namespace {

struct PageField {
    QLineEdit* Ui_CBillingPage::*edit;
    std::string ql::BillingDetails::*field;
    ql::BillingField kind;
};

using D = ql::BillingDetails;
using F = ql::BillingField;
using U = Ui_CBillingPage;

constexpr PageField kFields[] = {
    {&U::countryCodeEdit, &D::countryCode, F::CountryCode},
    {&U::vatIdEdit, &D::vatId, F::VatId},
    {&U::taxNumberEdit, &D::taxNumber, F::TaxNumber},
    {&U::registrationEdit, &D::registration, F::Registration},
    {&U::ibanEdit, &D::iban, F::Iban},
    {&U::bicEdit, &D::bic, F::Bic},
    {&U::paymentTermsEdit, &D::paymentTerms, F::PaymentTerms},
    {&U::currencyCodeEdit, &D::currencyCode, F::CurrencyCode},
    {&U::exemptionReasonEdit, &D::exemptionReason, F::ExemptionReason},
    {&U::exemptionCodeEdit, &D::exemptionCode, F::ExemptionCode},
};

}  // namespace

CBillingPage::CBillingPage(QWidget* parent) : QWidget(parent), m_ui(std::make_unique<Ui::CBillingPage>()) {
    m_ui->setupUi(this);
    // Room for what may be typed (an IBAN's spaces, say); the check on OK has the last word.
    for (const PageField& f : kFields)
        ((*m_ui).*f.edit)->setMaxLength(static_cast<int>(ql::billingFieldWidth(f.kind)) + 20);
}

CBillingPage::~CBillingPage() = default;

void CBillingPage::fill(const ql::BillingDetails& details, const std::string& monetarySymbol) {
    for (const PageField& f : kFields) ((*m_ui).*f.edit)->setText(QString::fromStdString(details.*f.field));
    if (details.currencyCode.empty())
        m_ui->currencyCodeEdit->setText(QString::fromStdString(ql::currencyCodeForSymbol(monetarySymbol)));
}

ql::Result<ql::BillingDetails> CBillingPage::readBack() {
    ql::BillingDetails details;
    for (const PageField& f : kFields) {
        QLineEdit* edit = (*m_ui).*f.edit;
        auto stored = ql::checkBillingField(f.kind, edit->text().toStdString());
        if (!stored) {
            edit->setFocus();
            edit->selectAll();
            return stored.status();
        }
        details.*f.field = std::move(stored).value();
    }
    return details;
}

QLineEdit* CBillingPage::edit(const char* objectName) const { return findChild<QLineEdit*>(QString::fromLatin1(objectName)); }

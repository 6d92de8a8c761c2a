#include "ui/settings/CPropertiesSheet.h"
#include "ui/common/CoreText.h"

#include "ui_CPropertiesPage1.h"
#include "ui_CPropertiesPage2.h"
#include "ui_CPropertiesPage3.h"

#include "core/store/Settings.h"
#include "core/store/BillingFields.h"
#include "ui/settings/CAwayPage.h"
#include "ui/settings/CBillingPage.h"
#include "core/text/NumberText.h"
#include "ui/common/HelpService.h"
#include "ui/common/Prompter.h"
#include "ui/common/FieldTextEdit.h"
#include "ui/common/FieldValidator.h"
#include "ui/common/RecordText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using R = ql::SettingsRecord;

QString shown(const std::string& text) { return QString::fromStdString(text); }
std::string stored(const QLineEdit* edit) { return edit->text().toStdString(); }

}  // namespace

void CPropertiesPage::fillOnce(const ql::SettingsRecord& record) {
    if (m_shown) return;
    fill(record);
    m_shown = true;
}

CPropertiesPage1::CPropertiesPage1(QWidget* parent) : CPropertiesPage(parent), m_ui(std::make_unique<Ui::CPropertiesPage1>()) {
    m_ui->setupUi(this);
    for (QLineEdit* edit : {m_ui->companyEdit, m_ui->addressEdit, m_ui->zipEdit, m_ui->stateEdit, m_ui->cityEdit,
                            m_ui->countryEdit, m_ui->phoneEdit})
        FieldValidator::install(edit, R::kCompanyTextWidth);
    m_ui->companyEdit->setFocus();
}

CPropertiesPage1::~CPropertiesPage1() = default;

void CPropertiesPage1::focusFirstField() { m_ui->companyEdit->setFocus(); }

void CPropertiesPage1::fill(const ql::SettingsRecord& r) {
    m_ui->companyEdit->setText(shown(r.companyName));
    m_ui->addressEdit->setText(shown(r.companyAddress));
    m_ui->zipEdit->setText(shown(r.zip));
    m_ui->stateEdit->setText(shown(r.state));
    m_ui->cityEdit->setText(shown(r.city));
    m_ui->countryEdit->setText(shown(r.country));
    m_ui->phoneEdit->setText(shown(r.phone));
}

void CPropertiesPage1::readBack(ql::SettingsRecord& r) const {
    r.companyName = stored(m_ui->companyEdit);
    r.companyAddress = stored(m_ui->addressEdit);
    r.zip = stored(m_ui->zipEdit);
    r.state = stored(m_ui->stateEdit);
    r.city = stored(m_ui->cityEdit);
    r.country = stored(m_ui->countryEdit);
    r.phone = stored(m_ui->phoneEdit);
}

CPropertiesPage2::CPropertiesPage2(QWidget* parent) : CPropertiesPage(parent), m_ui(std::make_unique<Ui::CPropertiesPage2>()) {
    m_ui->setupUi(this);
    FieldValidator::install(m_ui->invoiceTextEdit, R::kInvoiceTextWidth);
    FieldValidator::install(m_ui->nextInvoiceEdit, R::kInvoiceNumberWidth);
    m_ui->footerEdit->setFieldWidth(R::kFooterWidth);
    FieldValidator::install(m_ui->salesTaxTextEdit, R::kSalesTaxLabelWidth);
    // The label and the rate mean nothing while no tax is applied.
    connect(m_ui->applySalesTaxCheck, &QCheckBox::toggled, this, [this](bool apply) {
        m_ui->salesTaxTextEdit->setEnabled(apply);
        m_ui->salesTaxRateEdit->setEnabled(apply);
    });
}

CPropertiesPage2::~CPropertiesPage2() = default;

void CPropertiesPage2::fill(const ql::SettingsRecord& r) {
    m_ui->invoiceTextEdit->setText(shown(r.invoiceText));
    m_ui->nextInvoiceEdit->setText(shown(r.nextInvoiceNumber));
    m_ui->footerEdit->setPlainText(fromRecordLines(r.footer));
    m_ui->applySalesTaxCheck->setChecked(r.applySalesTax != 0);
    m_ui->salesTaxTextEdit->setText(shown(r.salesTaxLabel));
    m_ui->salesTaxRateEdit->setText(QString::fromStdString(ql::fixed2Text(r.salesTaxRate)));
    m_ui->salesTaxTextEdit->setEnabled(r.applySalesTax != 0);
    m_ui->salesTaxRateEdit->setEnabled(r.applySalesTax != 0);
}

void CPropertiesPage2::readBack(ql::SettingsRecord& r) const {
    r.invoiceText = stored(m_ui->invoiceTextEdit);
    r.nextInvoiceNumber = stored(m_ui->nextInvoiceEdit);
    r.footer = toRecordLines(m_ui->footerEdit->toPlainText(), R::kFooterWidth);
    r.applySalesTax = m_ui->applySalesTaxCheck->isChecked() ? 1 : 0;
    r.salesTaxLabel = stored(m_ui->salesTaxTextEdit);
    r.salesTaxRate = ql::typedDecimal(stored(m_ui->salesTaxRateEdit));
}

CPropertiesPage3::CPropertiesPage3(QWidget* parent) : CPropertiesPage(parent), m_ui(std::make_unique<Ui::CPropertiesPage3>()) {
    m_ui->setupUi(this);
    FieldValidator::install(m_ui->monetarySymbolEdit, R::kMonetarySymbolWidth);
}

CPropertiesPage3::~CPropertiesPage3() = default;

void CPropertiesPage3::fill(const ql::SettingsRecord& r) {
    m_ui->showTipsCheck->setChecked(r.showTips != 0);
    (r.dateFormat == 1 ? m_ui->americanDateRadio : m_ui->europeanDateRadio)->setChecked(true);
    m_ui->monetarySymbolEdit->setText(shown(r.monetarySymbol));
}

void CPropertiesPage3::readBack(ql::SettingsRecord& r) const {
    r.showTips = m_ui->showTipsCheck->isChecked() ? 1 : 0;
    r.dateFormat = m_ui->americanDateRadio->isChecked() ? 1 : 0;
    r.monetarySymbol = stored(m_ui->monetarySymbolEdit);
}

CPropertiesSheet::CPropertiesSheet(ql::FileSystem& fs, Prompter& prompter, HelpService* help, const ql::FileSet& set,
                                   const ql::SettingsRecord& defaults, QWidget* parent)
    : QDialog(parent), m_fs(fs), m_prompter(prompter), m_help(help), m_set(set),
      m_billingLoaded(ql::readBillingDetails(fs, m_set)) {
    setWindowTitle(tr("Properties"));
    auto read = ql::readSettings(m_fs, m_set);
    if (read) m_loaded = *read;
    m_record = read ? *read : defaults;

    m_tabs = new QTabWidget(this);
    m_company = new CPropertiesPage1(m_tabs);
    m_invoice = new CPropertiesPage2(m_tabs);
    m_general = new CPropertiesPage3(m_tabs);
    m_tabs->addTab(m_company, tr("Company"));
    m_tabs->addTab(m_invoice, tr("Invoice"));
    m_tabs->addTab(m_general, tr("General"));
    m_billing = new CBillingPage(m_tabs);
    m_tabs->addTab(m_billing, tr("Billing"));
    m_away = new CAwayPage(m_tabs);
    m_tabs->addTab(m_away, tr("Away"));
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &CPropertiesSheet::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CPropertiesSheet::reject);
    connect(m_buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (m_help) m_help->showTopic(kHelpContext);
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPropertiesSheet::showPage);
    showPage(m_tabs->currentIndex());
    // Set last: the tabs and buttons added after the page would otherwise take it.
    m_company->focusFirstField();
}

CPropertiesSheet::~CPropertiesSheet() = default;

void CPropertiesSheet::showPage(int index) {
    if (auto* page = qobject_cast<CPropertiesPage*>(m_tabs->widget(index))) page->fillOnce(m_record);
    if (m_tabs->widget(index) != m_billing || m_billingShown || !m_billing->isEnabled()) return;
    if (!m_billingLoaded) {
        // Damaged details are the user's to look at: never shown as empty and written over.
        m_billing->setEnabled(false);
        m_prompter.inform(tr("Properties"), coreTextWithReason(m_billingLoaded.status()),
                          Prompter::Icon::Warning);
        return;
    }
    ql::BillingDetails shown = *m_billingLoaded;
    if (shown.currencyCode.empty()) shown.currencyCode = ql::currencyCodeForSymbol(m_record.monetarySymbol);
    m_billing->fill(shown, m_record.monetarySymbol);
    m_billingShown = shown;
}

void CPropertiesSheet::accept() {
    // Checked before anything is written, so a refused field leaves the settings alone too.
    std::optional<ql::BillingDetails> billing;
    if (m_billingShown) {
        auto typed = m_billing->readBack();
        if (!typed) {
            m_tabs->setCurrentWidget(m_billing);
            m_prompter.inform(tr("Properties"), coreText(typed.status()),
                              Prompter::Icon::Warning);
            return;
        }
        // A page looked at and left as shown (the proposed currency included) writes nothing,
        // so a set gains no billing file until the user fills it in.
        if (*typed != *m_billingShown) billing = *typed;
    }
    ql::SettingsRecord edited = m_record;
    m_company->readBackInto(edited);
    m_invoice->readBackInto(edited);
    m_general->readBackInto(edited);
    // The sheet writes the whole record it loaded: refused if another program (an invoice
    // run advancing the number) changed it meanwhile, instead of undoing that change.
    const ql::Status written =
        m_loaded ? ql::writeSettings(m_fs, edited, m_set, *m_loaded) : ql::writeSettings(m_fs, edited, m_set);
    if (!written) {
        // Nothing was stored: the user can try again or cancel.
        m_prompter.inform(tr("Properties"), coreText(written),
                          Prompter::Icon::Warning);
        return;
    }
    m_record = edited;
    m_loaded = edited;
    if (billing) {
        const ql::Status stored = ql::updateBillingDetails(
            m_fs, m_set,
            [&](ql::BillingDetails& details) {
                details = *billing;
                return ql::Status::ok();
            },
            &*m_billingLoaded);
        if (!stored) {
            // The settings are stored; OK again retries the details alone.
            m_prompter.inform(tr("Properties"), coreTextWithReason(stored),
                              Prompter::Icon::Warning);
            return;
        }
        m_billingLoaded = *billing;
        m_billingShown = *billing;
    }
    m_away->store();
    QDialog::accept();
}

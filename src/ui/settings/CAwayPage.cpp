#include "ui/settings/CAwayPage.h"

#include "ui_CAwayPage.h"

#include "ui/common/Profile.h"

CAwayPage::CAwayPage(QWidget* parent) : QWidget(parent), m_ui(std::make_unique<Ui::CAwayPage>()) {
    m_ui->setupUi(this);
    m_ui->awayMinutesSpin->setRange(Profile::kMinAwayMinutes, Profile::kMaxAwayMinutes);
    m_ui->awayDetectionCheck->setChecked(Profile::awayDetection());
    m_ui->awayMinutesSpin->setValue(Profile::awayMinutes());
    m_ui->awayMinutesSpin->setEnabled(m_ui->awayDetectionCheck->isChecked());
    connect(m_ui->awayDetectionCheck, &QCheckBox::toggled, m_ui->awayMinutesSpin, &QSpinBox::setEnabled);
}

CAwayPage::~CAwayPage() = default;

void CAwayPage::store() const {
    // Values left as shown stay unwritten: an absent value keeps following the default.
    if (m_ui->awayDetectionCheck->isChecked() != Profile::awayDetection())
        Profile::setAwayDetection(m_ui->awayDetectionCheck->isChecked());
    if (m_ui->awayMinutesSpin->value() != Profile::awayMinutes()) Profile::setAwayMinutes(m_ui->awayMinutesSpin->value());
}

QCheckBox* CAwayPage::detectionCheck() const { return m_ui->awayDetectionCheck; }
QSpinBox* CAwayPage::minutesSpin() const { return m_ui->awayMinutesSpin; }

#include "ui/chart/CChartHoursDlg.h"

#include "ui/common/FormDialogLayout.h"

#include <QFormLayout>
#include <QKeyEvent>

HourSpinBox::HourSpinBox(QWidget* parent) : QSpinBox(parent) {
    // Each value change re-limits both boxes and rewrites their texts: only a finished entry
    // may cause that.
    setKeyboardTracking(false);
}

void HourSpinBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        stepBy(event->key() == Qt::Key_PageUp ? 1 : -1);
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

QString HourSpinBox::textFromValue(int value) const { return QString::fromStdString(ql::ChartHours::text(value)); }

int HourSpinBox::valueFromText(const QString& text) const { return text.section(QLatin1Char(':'), 0, 0).toInt(); }

QValidator::State HourSpinBox::validate(QString& input, int&) const {
    bool ok = false;
    const int hour = input.section(QLatin1Char(':'), 0, 0).trimmed().toInt(&ok);
    if (!ok) return input.trimmed().isEmpty() ? QValidator::Intermediate : QValidator::Invalid;
    return hour >= minimum() && hour <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

CChartHoursDlg::CChartHoursDlg(ql::ChartHours hours, QWidget* parent)
    : QDialog(parent), m_hours(hours), m_start(new HourSpinBox(this)), m_end(new HourSpinBox(this)) {
    setWindowTitle(tr("Select chart hours"));
    m_start->setObjectName(QStringLiteral("startHourSpin"));
    m_end->setObjectName(QStringLiteral("endHourSpin"));
    applyLimits();

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(tr("Starting Hour :"), m_start);
    form->addRow(tr("Ending Hour :"), m_end);
    layOutFormWithOkCancel(*this, form);

    connect(m_start, &QSpinBox::valueChanged, this, [this](int value) {
        m_hours.stepStart(value - m_hours.start);
        applyLimits();
    });
    connect(m_end, &QSpinBox::valueChanged, this, [this](int value) {
        m_hours.stepEnd(value - m_hours.end);
        applyLimits();
    });
    m_start->setFocus();
}

void CChartHoursDlg::accept() {
    m_start->interpretText();
    m_end->interpretText();
    QDialog::accept();
}

// Each box may only move as far as the other allows, so start never reaches end.
void CChartHoursDlg::applyLimits() {
    const QSignalBlocker blockStart(m_start), blockEnd(m_end);
    m_start->setRange(0, m_hours.end - 1);
    m_end->setRange(m_hours.start + 1, 24);
    m_start->setValue(m_hours.start);
    m_end->setValue(m_hours.end);
}

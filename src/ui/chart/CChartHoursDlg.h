#pragma once

#include "core/chart/ChartHours.h"

#include <QDialog>
#include <QSpinBox>

// A spin box that shows a whole hour as "08:00".
class HourSpinBox : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;
};

// Select chart hours: the first and last hour the week chart shows. The spin boxes keep
// 0 <= start < end <= 24 at every step.
class CChartHoursDlg : public QDialog {
    Q_OBJECT
public:
    explicit CChartHoursDlg(ql::ChartHours hours, QWidget* parent = nullptr);

    ql::ChartHours hours() const { return m_hours; }
    HourSpinBox* startSpin() const { return m_start; }
    HourSpinBox* endSpin() const { return m_end; }

private:
    void applyLimits();

    ql::ChartHours m_hours;
    HourSpinBox* m_start;
    HourSpinBox* m_end;
};

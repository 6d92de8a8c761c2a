#pragma once

#include "core/chart/ChartHours.h"

#include <QDialog>
#include <QSpinBox>

// A spin box that shows a whole hour as "08:00". A typed hour is read once typing ends
// (Enter, leaving the box, OK), so "12" is not reformatted after its first digit; Page Up
// and Page Down step by one hour like the arrows.
class HourSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit HourSpinBox(QWidget* parent = nullptr);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
};

// Select chart hours: the first and last hour the week chart shows. The spin boxes keep
// 0 <= start < end <= 24 at every step.
class CChartHoursDlg : public QDialog {
    Q_OBJECT
public:
    explicit CChartHoursDlg(ql::ChartHours hours, QWidget* parent = nullptr);

    ql::ChartHours hours() const { return m_hours; }

public slots:
    // Takes what is typed in either box before closing.
    void accept() override;

public:
    HourSpinBox* startSpin() const { return m_start; }
    HourSpinBox* endSpin() const { return m_end; }

private:
    void applyLimits();

    ql::ChartHours m_hours;
    HourSpinBox* m_start;
    HourSpinBox* m_end;
};

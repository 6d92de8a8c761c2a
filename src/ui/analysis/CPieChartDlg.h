#pragma once

#include "core/analysis/PieChart.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "ui/common/PaintedAccessible.h"
#include "ui/common/ProgressWindow.h"

#include <QDialog>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>

class Prompter;
struct PeriodControls;
namespace ql {
class Clock;
}
namespace Ui {
class CPieChartDlg;
}

// Projects Pie Chart: the minutes of a period per project name as a pie, with the name and
// time of the slice under the pointer. Changes no data. The files are read on opening, on a
// change of period and when a date field loses the focus; never on a pointer move.
class CPieChartDlg : public QDialog {
    Q_OBJECT
public:
    // set: the document's file set (kept as a copy). localeMonthFirst orders the dates when the
    // settings file cannot be read. Opens on This Year and computes it. Each computation shows
    // its progress through progress (a ProgressWindow over parent when empty); a stopped one
    // leaves the chart empty.
    CPieChartDlg(ql::FileSystem& fs, Prompter& prompter, const ql::Clock& clock, const ql::FileSet& set,
                 bool localeMonthFirst, QWidget* parent = nullptr, ProgressFactory progress = {});
    ~CPieChartDlg() override;

    const ql::PieChart& chart() const { return m_chart; }
    // The label under the pointer as last painted; empty when none.
    const QString& hoverText() const { return m_hoverText; }
    // Where the hover label was last drawn; empty when none.
    const QRect& hoverLabelRect() const { return m_lastLabel; }
    // What a screen reader finds beside the controls: the pie, with one item per slice naming
    // the project, its time and its share of the period's time.
    std::vector<AccessibleItem> accessibleItems() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PeriodControls periodControls() const;
    void resetDateFields();
    void compute();
    void repaintChart();
    bool monthFirst() const;
    // The hover label's box at the pointer for slice, in client pixels.
    QRect labelRect(const QString& text, const QPoint& at) const;
    QString labelTextAt(const QPoint& at) const;

    std::unique_ptr<Ui::CPieChartDlg> m_ui;
    ql::FileSystem& m_fs;
    Prompter& m_prompter;
    const ql::Clock& m_clock;
    ql::FileSet m_set;
    bool m_localeMonthFirst;
    ql::PieChart m_chart;
    ProgressFactory m_progress;
    QPixmap m_buffer;
    QPoint m_pointer{-1, -1};
    QRect m_lastLabel;
    QString m_hoverText;
};

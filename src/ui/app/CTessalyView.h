#pragma once

#include "core/tracking/PanelRows.h"

#include <QBasicTimer>
#include <QColor>
#include <QWidget>

#include <array>
#include <vector>

class CTessalyDoc;
class QPainter;

namespace ql {
class Clock;
}

// The main view, the frame's central widget: the totals and running-projects panels above
// the week chart. It follows the document's update hints (3 totals, 4 week chart) and applies
// both again whenever its window is activated, so the panels are current after any dialog.
class CTessalyView : public QWidget {
    Q_OBJECT
public:
    static constexpr QColor kBackground{192, 192, 192};
    static constexpr int kTimerInterval = 30000;

    // The document and clock outlive the view. Follows doc's updateHint signal.
    CTessalyView(CTessalyDoc& doc, const ql::Clock& clock, QWidget* parent = nullptr);

    CTessalyDoc& document() const { return m_doc; }
    const ql::Clock& clock() const { return m_clock; }

    // The running projects' rows are read again (projects file, settings) and repainted.
    // report says whether a projects file that cannot be read is shown to the user: yes after
    // a command, no on the timer's ticks, which would otherwise raise a box every 30 seconds.
    void refreshRunningPanel(bool report);
    // Recomputes the four period totals when a file set is open, reports each failure once,
    // and repaints.
    void refreshTotals();

    // Paints both panels for a client area of the given width (the view paints itself this way).
    void paintPanels(QPainter& painter, int width) const;

public slots:
    // Reacts to a document hint; 3 recomputes the totals, 4 redraws the chart area.
    void onUpdateHint(int hint);
    // The 30-second tick: the document's pause accounting, then the running panel.
    void onTick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void paintRunningPanel(QPainter& painter, int width) const;
    void paintTotalsPanel(QPainter& painter, int width) const;

    CTessalyDoc& m_doc;
    const ql::Clock& m_clock;
    QBasicTimer m_timer;
    std::vector<ql::PanelRow> m_runningRows;
    std::array<ql::PanelRow, ql::kPeriodCount> m_totalsRows{};
};

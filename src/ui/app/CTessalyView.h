#pragma once

#include "ui/app/ShellOnly.h"

#include "core/chart/WeekChart.h"
#include "core/tracking/PanelRows.h"
#include "core/tracking/PeriodTotals.h"
#include "ui/chart/WeekChartInteraction.h"
#include "ui/common/CommandContext.h"
#include "ui/common/PaintedAccessible.h"
#include "ui/tracking/MainPanelsPainter.h"

#include <QBasicTimer>
#include <QColor>
#include <QWidget>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CTessalyDoc;
class PrintDispatch;
class QPainter;

// The main view, the frame's central widget: the totals and running-projects panels above
// the week chart. It follows the document's update hints (3 totals, 4 week chart) and applies
// both again whenever its window is activated, so the panels are current after any dialog or
// a change made by another program, and when the timer sees that the date has changed.
class CTessalyView : public QWidget {
    Q_OBJECT
public:
    static constexpr QColor kBackground{192, 192, 192};
    static constexpr int kTimerInterval = 30000;

    // The document and the context's services outlive the view (context.document is doc; the
    // chart's dialogs and menus open over the view itself). Follows doc's updateHint signal.
    CTessalyView(CTessalyDoc& doc, const CommandContext& context, QWidget* parent = nullptr);

    CTessalyDoc& document() const { return m_doc; }
    const ql::Clock& clock() const { return m_clock; }

    // The running projects' rows are read again (projects file, settings) and repainted.
    // report says whether a projects file that cannot be read is shown to the user: yes after
    // a command, no on the timer's ticks, which would otherwise raise a box every 30 seconds.
    void refreshRunningPanel(bool report);
    // Recomputes the four period totals when a file set is open and repaints.
    void refreshTotals();
    const std::array<ql::PanelRow, ql::kPeriodCount>& totalsRows() const { return m_totalsRows; }

    // Reloads the displayed week and repaints.
    void refreshWeekChart() { m_chart.refresh(); }
    const ql::WeekChart& weekChart() const { return m_chart.weekChart(); }
    // The week chart's tips, keyboard focus, context menu and commands.
    WeekChartInteraction& chart() { return m_chart; }

    // Where hints 1, 2, 5 and 6 send their print jobs; it outlives the view. Without one
    // those hints do nothing.
    void setPrintDispatch(PrintDispatch* dispatch) { m_print = dispatch; }

    // The two panels as they show now.
    MainPanelsPainter panels() const;
    // Paints both panels for a client area of the given width (the view paints itself this way).
    void paintPanels(QPainter& painter, int width) const { panels().paint(painter, width); }

    // What a screen reader finds in the view as it is painted now: the totals as a table (a
    // header row, then one row per period), the running projects as a list, and the week chart
    // with one item per time frame naming its project, day, start, end and duration.
    std::vector<AccessibleItem> accessibleItems() const;

public slots:
    // Reacts to a document hint; 3 recomputes the totals, 4 redraws the chart area, 1, 2, 5
    // and 6 print the history, the customer list, the invoice and the week chart.
    void onUpdateHint(int hint);
    // The 30-second tick: the document's pause accounting, then the running panel; on the
    // first tick of a new day also the totals and, when it showed the week just left, the chart.
    void onTick();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The refreshes report a file that cannot be read once, not at every activation (closing
    // the box activates the window again) nor once per panel: a failure is shown when no panel
    // has shown it since its file was last read well.
    enum class Source { Totals, WeekChart };
    void reportFailures(Source source, const std::vector<ql::Status>& failures);

    CTessalyDoc& m_doc;
    const ql::Clock& m_clock;
    QBasicTimer m_timer;
    std::vector<ql::PanelRow> m_runningRows;
    std::array<ql::PanelRow, ql::kPeriodCount> m_totalsRows{};
    ql::TotalsKeeper m_totals;
    std::int32_t m_totalsDay = 0;                        // day start of the date the totals are of
    std::array<std::vector<ql::Message>, 2> m_reported;  // by Source: failures already shown
    WeekChartInteraction m_chart;
    PrintDispatch* m_print = nullptr;
};

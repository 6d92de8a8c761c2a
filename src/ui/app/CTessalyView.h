#pragma once

#include "ui/app/ShellOnly.h"

#include "core/chart/ChartLayout.h"
#include "core/chart/WeekChart.h"
#include "core/tracking/PanelLayout.h"
#include "core/store/TimeFrameRecord.h"
#include "core/reports/Invoice.h"
#include "core/tracking/PanelRows.h"
#include "ui/reports/PrintDispatch.h"

#include <QBasicTimer>
#include <QColor>
#include <QWidget>

#include <cstdint>
#include <string>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class CTessalyDoc;
class HelpService;
class QDialog;
class QMenu;
class QPainter;

namespace ql {
class Clock;
}

// The main view, the frame's central widget: the totals and running-projects panels above
// the week chart. It follows the document's update hints (3 totals, 4 week chart) and applies
// both again whenever its window is activated, so the panels are current after any dialog or
// a change made by another program, and when the timer sees that the date has changed.
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
    // Recomputes the four period totals when a file set is open and repaints.
    void refreshTotals();
    const std::array<ql::PanelRow, ql::kPeriodCount>& totalsRows() const { return m_totalsRows; }

    // Reloads the displayed week and repaints.
    void refreshWeekChart();
    const ql::WeekChart& weekChart() const { return m_chart; }
    // The chart's geometry as last painted; nullopt when the view was too low to draw it.
    const std::optional<ql::ChartLayout>& chartLayout() const { return m_layout; }

    // The chart's context menu at a point of the view: none outside the chart; Edit Item and
    // Delete Item first when the point is on a bar. Runs it and carries out the command chosen.
    void openChartMenu(const QPoint& position);
    // The same menu from the keyboard (Menu key, Shift+F10): for the bar that has the keyboard
    // focus, else the empty-chart menu; none while the chart is not drawn.
    void openChartMenuFromKeyboard();
    // The bar with the keyboard focus (an index into weekChart().items()): the arrow keys,
    // Home and End move it over the bars in the order they are drawn on the week, Monday first.
    std::optional<std::size_t> focusedItem() const { return m_focusedItem; }
    // The action of a chart menu command, with its status-bar prompt; null for another id.
    QAction* chartAction(int commandId) const;

    // The print jobs: hints 1, 2 and 5, Print Gantt Chart and Ctrl+P go through it.
    PrintDispatch& printDispatch() { return m_print; }
    // Command 32797: the week chart as shown, in landscape.
    void onPrintGanttChart();
    // Hint 5: builds the invoice of the application's last request and previews it; a file
    // that cannot be read is reported and no preview opens.
    void printInvoice();
    // Where the application keeps the last invoice request; it outlives the view.
    void setInvoiceRequest(const std::optional<ql::InvoiceRequest>* request) { m_invoiceRequest = request; }

    // Week chart commands (their ids are in CommandIds.h).
    void onChangeHours();
    void onPreviousWeek();
    void onNextWeek();
    void onThisWeek();
    void onEditItem();
    void onDeleteItem();

    // Seams so tests never block: help, modal dialogs and the context menu.
    using DialogRunner = std::function<int(QDialog&)>;
    using MenuRunner = std::function<QAction*(QMenu&, const QPoint& globalPosition)>;
    void setHelp(HelpService* help) { m_help = help; }
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }
    void setMenuRunner(MenuRunner runner) { m_runMenu = std::move(runner); }

    // Paints both panels for a client area of the given width (the view paints itself this way).
    void paintPanels(QPainter& painter, int width) const;
    // The cells of each panel at that width, widened to the texts they show now.
    ql::PanelColumns totalsColumns(int width) const;
    ql::PanelColumns runningColumns(int width) const;

public slots:
    // Reacts to a document hint; 3 recomputes the totals, 4 redraws the chart area, 1 and 2
    // print the history and the customer list.
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
    void paintRunningPanel(QPainter& painter, int width) const;
    void paintTotalsPanel(QPainter& painter, int width) const;
    bool showTips() const;
    void afterChartEdit();
    // The refreshes report a file that cannot be read once, not at every activation (closing
    // the box activates the window again) nor once per panel: a failure is shown when no panel
    // has shown it since its file was last read well.
    enum class Source { Totals, WeekChart };
    void reportFailures(Source source, const std::vector<ql::Status>& failures);
    void createChartActions();
    void runChartMenu(const QPoint& position);
    void moveItemFocus(int key);
    void updateChartArea();

    CTessalyDoc& m_doc;
    const ql::Clock& m_clock;
    QBasicTimer m_timer;
    std::vector<ql::PanelRow> m_runningRows;
    std::array<ql::PanelRow, ql::kPeriodCount> m_totalsRows{};
    ql::WeekChart m_chart;
    std::optional<ql::ChartLayout> m_layout;
    std::optional<ql::ChartItem> m_selectedItem;  // the bar under the last right-click
    std::int32_t m_totalsDay = 0;                  // day start of the date the totals are of
    std::array<std::vector<std::string>, 2> m_reported;  // by Source: failures already shown
    std::optional<std::size_t> m_focusedItem;
    std::optional<ql::TimeFrameRecord> m_refocus;  // the frame the focus goes to at the next load
    bool m_tipShown = false;  // whether the last paint drew a tip
    // Owned by the view, so that their status tips reach the frame's status bar: a popup
    // is a window of its own, where a tip sent to it would stop.
    std::vector<QAction*> m_chartActions;
    HelpService* m_help = nullptr;
    DialogRunner m_runDialog;
    MenuRunner m_runMenu;
    const std::optional<ql::InvoiceRequest>* m_invoiceRequest = nullptr;
    PrintDispatch m_print{m_doc, m_clock, m_chart, this};
};

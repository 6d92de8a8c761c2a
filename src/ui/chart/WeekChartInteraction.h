#pragma once

#include "core/Status.h"
#include "core/chart/ChartItem.h"
#include "core/chart/ChartLayout.h"
#include "core/chart/WeekChart.h"
#include "core/store/TimeFrameRecord.h"
#include "ui/common/CommandContext.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QContextMenuEvent;
class QKeyEvent;
class QPainter;
class QPoint;
class QWidget;

// The week chart as the user works with it inside the main view: the model of the week shown,
// its tips, the keyboard focus on its bars, its context menu and the commands of that menu
// (Edit Item, Delete Item, Change Hours, Previous/Next/This Week, What's This). The view owns
// it, forwards its events to it and lets it paint the chart's part of the view.
class WeekChartInteraction {
public:
    // Shows what a load of the chart could not read (the view reports each failure once).
    using ReportFailures = std::function<void(const std::vector<ql::Status>& failures)>;
    // Runs after an edit or a deletion, once the chart is reloaded: the other panels follow.
    using AfterEdit = std::function<void()>;

    // view is the widget the chart is painted into; it parents the menu's actions (so their
    // status tips reach the frame's status bar), the menu and the dialogs (context.parent is
    // not used). The context's services and view outlive this.
    WeekChartInteraction(QWidget& view, const CommandContext& context, ReportFailures reportFailures,
                         AfterEdit afterEdit);

    const ql::WeekChart& weekChart() const { return m_chart; }
    // The chart's geometry as last painted; nullopt when the view was too low to draw it.
    const std::optional<ql::ChartLayout>& chartLayout() const { return m_layout; }
    // The bar with the keyboard focus (an index into weekChart().items()): the arrow keys,
    // Home and End move it over the bars in the order they are drawn on the week, Monday first.
    std::optional<std::size_t> focusedItem() const { return m_focusedItem; }
    // The action of a chart menu command, with its status-bar prompt; null for another id.
    QAction* chartAction(int commandId) const;

    // Reloads the displayed week (when a set is open), reports what failed, keeps the keyboard
    // focus on its frame while that frame is still shown, and repaints.
    void refresh();
    // Moves to the week of time without reloading (the next refresh loads it).
    void showWeekOf(std::int32_t time) { m_chart.showWeekOf(time); }

    // The chart's context menu at a point of the view: none outside the chart; Edit Item and
    // Delete Item first when the point is on a bar. Runs it and carries out the command chosen.
    void openChartMenu(const QPoint& position);
    // The same menu from the keyboard (Menu key, Shift+F10): for the bar that has the keyboard
    // focus, else the empty-chart menu; none while the chart is not drawn.
    void openChartMenuFromKeyboard();

    // Week chart commands (their ids are in CommandIds.h).
    void onChangeHours();
    void onPreviousWeek();
    void onNextWeek();
    void onThisWeek();
    void onEditItem();
    void onDeleteItem();

    // Lays the chart out for a view of that size in pixels and paints it with the focus frame
    // and, under the pointer, the tip; nothing when the view is too low for it.
    void paint(QPainter& painter, int width, int height);

    // The view's events. keyPressed is true when the chart used the key.
    void mouseMoved(const QPoint& position);
    void pointerLeft();
    void focusChanged();
    void contextMenu(const QContextMenuEvent& event);
    bool keyPressed(const QKeyEvent& event);

private:
    bool showTips() const;
    void createChartActions();
    void runChartMenu(const QPoint& position);
    void moveItemFocus(int key);
    void updateChartArea();
    void afterChartEdit();
    void warn(const ql::Status& status) const;

    QWidget& m_view;
    CommandContext m_context;
    ReportFailures m_reportFailures;
    AfterEdit m_afterEdit;
    ql::WeekChart m_chart;
    std::optional<ql::ChartLayout> m_layout;
    std::optional<ql::ChartItem> m_selectedItem;  // the bar under the last right-click
    std::optional<std::size_t> m_focusedItem;
    std::optional<ql::TimeFrameRecord> m_refocus;  // the frame the focus goes to at the next load
    bool m_tipShown = false;                       // whether the last paint drew a tip
    std::vector<QAction*> m_chartActions;          // children of the view
};

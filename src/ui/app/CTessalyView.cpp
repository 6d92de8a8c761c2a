#include "ui/app/CTessalyView.h"
#include "ui/common/CoreText.h"

#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "core/time/TimeText.h"
#include "print/WeekChartPainter.h"
#include "ui/app/CTessalyDoc.h"
#include "ui/common/CommandIds.h"
#include "ui/common/Prompter.h"
#include "ui/reports/PrintDispatch.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimerEvent>

#include <algorithm>
#include <utility>

CTessalyView::CTessalyView(CTessalyDoc& doc, const CommandContext& context, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_clock(context.clock),
      m_chart(
          *this, context,
          [this](const std::vector<ql::Status>& failures) { reportFailures(Source::WeekChart, failures); },
          [this] {
              refreshRunningPanel(true);
              refreshTotals();
          }) {
    setObjectName(QStringLiteral("tessalyView"));
    setMouseTracking(true);
    // The chart takes the keyboard: its menu, its bars and its weeks are reachable without a mouse.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(tr("Quillory main view"));
    setWhatsThis(tr("The totals charged today, this week, this month and this year, the running "
                    "projects with their time and charges, and the week chart."));
    connect(&m_doc, &CTessalyDoc::updateHint, this, &CTessalyView::onUpdateHint);
    connect(&m_doc, &CTessalyDoc::stateChanged, this, [this] { refreshRunningPanel(true); });
    m_timer.start(kTimerInterval, this);
}

void CTessalyView::onUpdateHint(int hint) {
    if (hint == hint::kTotals) return refreshTotals();
    if (hint == hint::kWeekChart) return refreshWeekChart();
    if (!m_print) return;
    switch (hint) {
    case hint::kPrintHistory: m_print->printHistory(); break;
    case hint::kPrintCustomers: m_print->printCustomers(); break;
    case hint::kPrintWeekChart: m_print->printWeekChart(); break;
    case hint::kPrintInvoice: m_print->printInvoice(); break;
    default: break;
    }
}

void CTessalyView::onTick() {
    m_doc.tick();
    refreshRunningPanel(false);
    const std::int32_t now = m_clock.now();
    if (ql::calendar::dayStart(now) != m_totalsDay) {
        // Left open overnight, the window would otherwise go on calling yesterday "Today".
        const bool showedToday = m_chart.weekChart().weekStart() == ql::calendar::weekStart(m_totalsDay);
        refreshTotals();
        if (showedToday) m_chart.showWeekOf(now);
        refreshWeekChart();
    }
}

void CTessalyView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timer.timerId()) onTick();
    else QWidget::timerEvent(event);
}

void CTessalyView::refreshRunningPanel(bool report) {
    auto loaded = ql::loadRunningPanelRows(m_doc.fileSystem(), m_doc.fileSet(),
                                           m_doc.runningProjects(), m_clock.now());
    m_runningRows = std::move(loaded.rows);
    if (report && !loaded.status)
        m_doc.prompter().inform(QStringLiteral("Quillory"), coreText(loaded.status),
                                Prompter::Icon::Warning);
    update();
}

void CTessalyView::refreshTotals() {
    m_totalsRows = {};
    const std::int32_t now = m_clock.now();
    m_totalsDay = ql::calendar::dayStart(now);
    if (m_doc.fileSetOpen()) {
        // Activations come often and mostly find nothing changed: only what changed is read.
        const ql::PeriodTotals totals = m_totals.update(m_doc.fileSystem(), m_doc.fileSet(), now);
        m_totalsRows = ql::totalsPanelRows(totals);
        reportFailures(Source::Totals, totals.failures);
    } else {
        m_totals.forget();
        reportFailures(Source::Totals, {});
    }
    update();
}

void CTessalyView::reportFailures(Source source, const std::vector<ql::Status>& failures) {
    std::vector<ql::Message> messages;
    for (const ql::Status& failure : failures) messages.push_back(failure.userMessage());
    auto shown = [this](const ql::Message& message) {
        for (const auto& reported : m_reported)
            if (std::find(reported.begin(), reported.end(), message) != reported.end()) return true;
        return false;
    };
    std::vector<ql::Message> toShow;
    for (const ql::Message& message : messages)
        if (!shown(message)) toShow.push_back(message);
    // Recorded before the boxes run: closing one activates the window, which refreshes again.
    m_reported[static_cast<std::size_t>(source)] = std::move(messages);
    for (const ql::Message& message : toShow)
        m_doc.prompter().inform(QStringLiteral("Quillory"), coreText(message), Prompter::Icon::Warning);
}

namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

// A rectangle given by its corners, the right and bottom edges outside it, as the panels paint.
QRect cellRect(int left, int top, int right, int bottom) { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }

AccessibleItem cellItem(QAccessible::Role role, const QString& text, const ql::PanelCells& x, int top, int bottom) {
    return {role, text, {}, cellRect(x.left, top, x.right, bottom), false, {}};
}

}  // namespace

std::vector<AccessibleItem> CTessalyView::accessibleItems() const {
    const MainPanelsPainter painter = panels();
    const int w = width();
    const QString timeHeader = tr("Time"), chargeHeader = tr("Charges");
    auto rowItems = [&](QAccessible::Role role, const ql::PanelRow& r, const ql::PanelColumns& c, int y) {
        std::vector<AccessibleItem> cells = {cellItem(role, fromUtf8(r.label), c.label, y, y + 15),
                                             cellItem(role, fromUtf8(r.timeText), c.time, y, y + 15),
                                             cellItem(role, fromUtf8(r.chargeText), c.charge, y, y + 15)};
        cells[1].description = timeHeader;
        cells[2].description = chargeHeader;
        return cells;
    };
    auto headerRow = [&](const QString& first, const ql::PanelColumns& c) {
        return AccessibleItem{QAccessible::Row, {}, {}, {}, false,
                              {cellItem(QAccessible::ColumnHeader, first, c.labelHeader, 10, 31),
                               cellItem(QAccessible::ColumnHeader, timeHeader, c.timeHeader, 10, 31),
                               cellItem(QAccessible::ColumnHeader, chargeHeader, c.chargeHeader, 10, 31)}};
    };
    auto rowName = [](const ql::PanelRow& r) {
        return tr("%1: time %2, charges %3").arg(fromUtf8(r.label), fromUtf8(r.timeText), fromUtf8(r.chargeText));
    };

    const int half = w / 2 - 5;
    AccessibleItem totals{QAccessible::Table, tr("Total charges"), {}, cellRect(5, 30, half, 105), false, {}};
    const ql::PanelColumns totalsColumns = painter.totalsColumns(w);
    totals.children.push_back(headerRow(tr("Total charges for..."), totalsColumns));
    if (!m_doc.fileSetOpen()) {
        totals.description = tr("Open or create a 'Quillory' file");
    } else {
        for (std::size_t i = 0; i < m_totalsRows.size(); ++i) {
            const int y = 30 + 18 * static_cast<int>(i);
            // The period's label read as the panel shows it, in the window's language.
            ql::PanelRow shown = m_totalsRows[i];
            shown.label = coreText(shown.name).toStdString();
            totals.children.push_back({QAccessible::Row, rowName(shown), {}, cellRect(5, y, half, y + 15), false,
                                       rowItems(QAccessible::Cell, shown, totalsColumns, y)});
        }
    }

    const int left = w / 2 + 5;
    AccessibleItem running{QAccessible::List, tr("Running projects"), {}, cellRect(left, 30, w - 5, 105), false, {}};
    const ql::PanelColumns runningColumns = painter.runningColumns(w);
    QStringList notes;
    if (m_runningRows.empty()) notes << tr("Press the 'Check In' button to start timing a project");
    if (m_doc.paused()) notes << tr("PAUSE");
    running.description = notes.join(QLatin1Char(' '));
    for (std::size_t i = 0; i < m_runningRows.size(); ++i) {
        const int y = 30 + 15 * static_cast<int>(i);
        running.children.push_back({QAccessible::ListItem, rowName(m_runningRows[i]), {},
                                    cellRect(runningColumns.label.left, y, runningColumns.charge.right, y + 15), false,
                                    {}});
    }

    const ql::WeekChart& chart = m_chart.weekChart();
    const std::optional<ql::ChartLayout>& layout = m_chart.chartLayout();
    AccessibleItem week{QAccessible::Chart, tr("Week chart"), tr("Week of %1").arg(dayLabel(chart.weekStart())), {},
                        false, {}};
    if (layout) week.rect = QRect(layout->area().left, layout->area().top, layout->area().width(), layout->area().height());
    const auto days = chart.days();
    for (std::size_t i = 0; i < chart.items().size(); ++i) {
        const ql::ChartItem& item = chart.items()[i];
        QRect rect;
        if (layout)
            if (auto bar = ql::barRect(*layout, days, item)) rect = QRect(bar->left, bar->top, bar->width(), bar->height());
        const QString project = item.name.empty() ? tr("(project unknown)") : fromUtf8(item.name);
        const QString name = tr("%1, %2, %3 to %4, duration %5")
                                 .arg(project, dayLabel(ql::calendar::dayStart(item.start)),
                                      fromUtf8(ql::clock12Text(item.start)), fromUtf8(ql::clock12Text(item.end)),
                                      fromUtf8(ql::hoursMinutesText((item.end - item.start) / 60)));
        week.children.push_back({QAccessible::ListItem, name, {}, rect, m_chart.focusedItem() == i, {}});
    }
    return {std::move(totals), std::move(running), std::move(week)};
}

MainPanelsPainter CTessalyView::panels() const {
    return MainPanelsPainter(m_totalsRows, m_runningRows, {m_doc.fileSetOpen(), m_doc.paused()});
}

void CTessalyView::paintEvent(QPaintEvent*) {
    // Drawn off-screen and copied in one block, so a tick never flickers.
    QPixmap surface(size() * devicePixelRatioF());
    surface.setDevicePixelRatio(devicePixelRatioF());
    surface.fill(kBackground);
    {
        QPainter offscreen(&surface);
        paintPanels(offscreen, width());
        m_chart.paint(offscreen, width(), height());
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, surface);
}

bool CTessalyView::event(QEvent* event) {
    // Qt tells only top-level windows of an activation change; the widgets inside the window
    // get WindowActivate.
    if (event->type() == QEvent::WindowActivate) {
        onUpdateHint(hint::kTotals);
        onUpdateHint(hint::kWeekChart);
    }
    return QWidget::event(event);
}

void CTessalyView::mouseMoveEvent(QMouseEvent* event) {
    m_chart.mouseMoved(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void CTessalyView::leaveEvent(QEvent* event) {
    m_chart.pointerLeft();
    QWidget::leaveEvent(event);
}

void CTessalyView::focusInEvent(QFocusEvent* event) {
    m_chart.focusChanged();
    QWidget::focusInEvent(event);
}

void CTessalyView::focusOutEvent(QFocusEvent* event) {
    m_chart.focusChanged();
    QWidget::focusOutEvent(event);
}

void CTessalyView::contextMenuEvent(QContextMenuEvent* event) { m_chart.contextMenu(*event); }

void CTessalyView::keyPressEvent(QKeyEvent* event) {
    if (m_chart.keyPressed(*event)) {
        event->accept();
        // A screen reader follows the keyboard from bar to bar.
        announcePaintedFocus(this);
    } else {
        QWidget::keyPressEvent(event);
    }
}

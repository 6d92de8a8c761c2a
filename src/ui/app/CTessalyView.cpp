#include "ui/app/CTessalyView.h"
#include "ui/common/CoreText.h"

#include "core/time/Calendar.h"
#include "core/time/Clock.h"
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
        m_doc.prompter().inform(QStringLiteral("Quillory"), coreText(loaded.status.message()),
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
    std::vector<std::string> messages;
    for (const ql::Status& failure : failures) messages.push_back(failure.message());
    auto shown = [this](const std::string& message) {
        for (const auto& reported : m_reported)
            if (std::find(reported.begin(), reported.end(), message) != reported.end()) return true;
        return false;
    };
    std::vector<std::string> toShow;
    for (const std::string& message : messages)
        if (!shown(message)) toShow.push_back(message);
    // Recorded before the boxes run: closing one activates the window, which refreshes again.
    m_reported[static_cast<std::size_t>(source)] = std::move(messages);
    for (const std::string& message : toShow)
        m_doc.prompter().inform(QStringLiteral("Quillory"), coreText(message), Prompter::Icon::Warning);
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
    if (m_chart.keyPressed(*event)) event->accept();
    else QWidget::keyPressEvent(event);
}

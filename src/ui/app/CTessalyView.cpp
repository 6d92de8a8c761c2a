#include "ui/app/CTessalyView.h"

#include "core/time/Clock.h"
#include "ui/app/CTessalyDoc.h"
#include "ui/app/CommandIds.h"
#include "ui/app/Prompter.h"

#include <QEvent>
#include <QFont>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimerEvent>

namespace {

QFont arialBold(int pixels) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Bold);
    return font;
}

// A rectangle given by its corners, the right and bottom edges outside it.
QRect cell(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void box(QPainter& painter, const QRect& rect) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void text(QPainter& painter, const QRect& rect, const QString& value, Qt::Alignment horizontal) {
    painter.drawText(rect, static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), value);
}

// A header cell: a box whose text is inset 3 pixels, left-aligned.
void header(QPainter& painter, const QRect& rect, const QString& value) {
    box(painter, rect);
    text(painter, rect.adjusted(3, 0, -3, 0), value, Qt::AlignLeft);
}

void headers(QPainter& painter, int left, int right, const QString& first) {
    painter.setFont(arialBold(14));
    header(painter, cell(left, 10, right - 124, 31), first);
    header(painter, cell(right - 125, 10, right - 79, 31), QStringLiteral("Time"));
    header(painter, cell(right - 80, 10, right, 31), QStringLiteral("Charges"));
}

void row(QPainter& painter, const ql::PanelRow& r, int labelLeft, int right, int y) {
    text(painter, cell(labelLeft, y, right - 128, y + 15), QString::fromStdString(r.label), Qt::AlignLeft);
    text(painter, cell(right - 122, y, right - 83, y + 15), QString::fromStdString(r.timeText), Qt::AlignRight);
    text(painter, cell(right - 77, y, right - 3, y + 15), QString::fromStdString(r.chargeText), Qt::AlignRight);
}

}  // namespace

CTessalyView::CTessalyView(CTessalyDoc& doc, const ql::Clock& clock, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_clock(clock) {
    setObjectName(QStringLiteral("tessalyView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWhatsThis(QStringLiteral("The totals charged today, this week, this month and this year, the running "
                                "projects with their time and charges, and the week chart."));
    connect(&m_doc, &CTessalyDoc::updateHint, this, &CTessalyView::onUpdateHint);
    connect(&m_doc, &CTessalyDoc::stateChanged, this, [this] { refreshRunningPanel(true); });
    m_timer.start(kTimerInterval, this);
}

void CTessalyView::onUpdateHint(int hint) {
    if (hint == hint::kTotals) refreshTotals();
    else if (hint == hint::kWeekChart) update();
}

void CTessalyView::onTick() {
    m_doc.tick();
    refreshRunningPanel(false);
}

void CTessalyView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timer.timerId()) onTick();
    else QWidget::timerEvent(event);
}

void CTessalyView::refreshRunningPanel(bool report) {
    auto loaded = ql::loadRunningPanelRows(m_doc.fileSystem(), m_doc.pathOf(ql::FileKind::Settings),
                                           m_doc.runningProjects(), m_clock.now());
    m_runningRows = std::move(loaded.rows);
    if (report && !loaded.status)
        m_doc.prompter().inform(QStringLiteral("Quillory"), QString::fromStdString(loaded.status.message()),
                                Prompter::Icon::Warning);
    update();
}

void CTessalyView::refreshTotals() {
    m_totalsRows = {};
    if (m_doc.fileSetOpen()) {
        const ql::PeriodTotals totals =
            ql::computeTotals(m_doc.fileSystem(), m_doc.pathOf(ql::FileKind::Settings), m_clock.now());
        m_totalsRows = ql::totalsPanelRows(totals);
        for (const ql::Status& failure : totals.failures)
            m_doc.prompter().inform(QStringLiteral("Quillory"), QString::fromStdString(failure.message()),
                                    Prompter::Icon::Warning);
    }
    update();
}

void CTessalyView::paintRunningPanel(QPainter& painter, int width) const {
    const int left = width / 2 + 5, right = width - 5;
    const QRect panel = cell(left, 30, right, 105);
    box(painter, panel);
    headers(painter, left, right, QStringLiteral("Project"));
    painter.setFont(arialBold(12));
    if (m_runningRows.empty()) {
        text(painter, cell(left + 5, 30, right - 5, 105),
             QStringLiteral("Press the 'Check In' button to start timing a project"), Qt::AlignHCenter);
    } else {
        int y = 30;
        for (const ql::PanelRow& r : m_runningRows) {
            row(painter, r, left + 3, right, y);
            y += 15;
        }
    }
    if (m_doc.paused()) {
        painter.setFont(arialBold(24));
        painter.setPen(QColor(0, 0, 255));
        text(painter, panel, QStringLiteral("PAUSE"), Qt::AlignHCenter);
        painter.setPen(Qt::black);
    }
}

void CTessalyView::paintTotalsPanel(QPainter& painter, int width) const {
    const int h = width / 2 - 5;
    box(painter, cell(5, 30, h, 105));
    headers(painter, 5, h, QStringLiteral("Total charges for..."));
    painter.setFont(arialBold(12));
    if (!m_doc.fileSetOpen()) {
        text(painter, cell(10, 30, h - 5, 105), QStringLiteral("Open or create a 'Quillory' file"), Qt::AlignHCenter);
        return;
    }
    for (std::size_t i = 0; i < ql::kPeriodCount; ++i)
        row(painter, m_totalsRows[i], 8, h, 30 + 18 * static_cast<int>(i));
}

void CTessalyView::paintPanels(QPainter& painter, int width) const {
    paintRunningPanel(painter, width);
    paintTotalsPanel(painter, width);
}

void CTessalyView::paintEvent(QPaintEvent*) {
    // Drawn off-screen and copied in one block, so a tick never flickers.
    QPixmap surface(size() * devicePixelRatioF());
    surface.setDevicePixelRatio(devicePixelRatioF());
    surface.fill(kBackground);
    {
        QPainter offscreen(&surface);
        paintPanels(offscreen, width());
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, surface);
}

void CTessalyView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        onUpdateHint(hint::kTotals);
        onUpdateHint(hint::kWeekChart);
    }
    QWidget::changeEvent(event);
}

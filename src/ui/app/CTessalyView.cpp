#include "ui/app/CTessalyView.h"

#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/chart/ChartItemEdits.h"
#include "core/time/Clock.h"
#include "ui/app/HelpService.h"
#include "ui/chart/CChartHoursDlg.h"
#include "ui/chart/CTimeFrameDlg.h"
#include "print/InvoicePages.h"
#include "print/WeekChartPainter.h"
#include "ui/app/CTessalyDoc.h"
#include "ui/app/CommandIds.h"
#include "ui/app/Prompter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
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
    : QWidget(parent),
      m_doc(doc),
      m_clock(clock),
      m_chart(clock.now()),
      m_runDialog([](QDialog& dialog) { return dialog.exec(); }),
      m_runMenu([](QMenu& menu, const QPoint& at) { return menu.exec(at); }) {
    setObjectName(QStringLiteral("tessalyView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWhatsThis(QStringLiteral("The totals charged today, this week, this month and this year, the running "
                                "projects with their time and charges, and the week chart."));
    connect(&m_doc, &CTessalyDoc::updateHint, this, &CTessalyView::onUpdateHint);
    connect(&m_doc, &CTessalyDoc::stateChanged, this, [this] { refreshRunningPanel(true); });
    m_timer.start(kTimerInterval, this);
}

void CTessalyView::onUpdateHint(int hint) {
    switch (hint) {
    case hint::kTotals: refreshTotals(); break;
    case hint::kWeekChart: refreshWeekChart(); break;
    case hint::kPrintHistory: m_print.printHistory(); break;
    case hint::kPrintCustomers: m_print.printCustomers(); break;
    case hint::kPrintWeekChart: m_print.printWeekChart(); break;
    case hint::kPrintInvoice: printInvoice(); break;
    default: break;
    }
}

void CTessalyView::onPrintGanttChart() { m_print.printWeekChart(); }

void CTessalyView::printInvoice() {
    if (!m_invoiceRequest || !*m_invoiceRequest || !m_doc.fileSetOpen()) return;
    auto report = [this](const ql::Status& st) {
        m_doc.prompter().inform(QStringLiteral("Quillory"), QString::fromStdString(st.message()), Prompter::Icon::Warning);
    };
    auto invoice = ql::LoadInvoice(m_doc.fileSystem(), **m_invoiceRequest, m_doc.pathOf(ql::FileKind::Settings));
    if (!invoice) return report(invoice.status());
    auto parties = ql::loadInvoiceParties(m_doc.fileSystem(), *invoice);
    if (!parties) return report(parties.status());
    m_print.printInvoice(
        std::make_unique<InvoicePages>(std::move(invoice).value(), std::move(parties).value(), m_doc.fileSystem()));
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
        m_layout = ql::screenChartLayout(m_chart, width(), height(), labelColumnWidthFor(m_chart));
        if (m_layout) {
            paintWeekChart(offscreen, m_chart, *m_layout);
            const QPoint cursor = mapFromGlobal(QCursor::pos());
            if (underMouse() && showTips()) {
                if (auto hit = ql::hitTest(*m_layout, m_chart, cursor.x(), cursor.y()))
                    paintChartTip(offscreen, *m_layout, cursor, QString::fromStdString(m_chart.items()[*hit].name));
            }
        }
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

bool CTessalyView::showTips() const {
    if (!m_doc.fileSetOpen()) return false;
    auto settings = ql::readSettings(m_doc.fileSystem(), m_doc.pathOf(ql::FileKind::Settings));
    return settings && settings->showTips != 0;
}

void CTessalyView::refreshWeekChart() {
    if (m_doc.fileSetOpen()) {
        const ql::Status st = m_chart.load(m_doc.fileSystem(), m_doc.pathOf(ql::FileKind::Settings));
        if (!st)
            m_doc.prompter().inform(QStringLiteral("Quillory"), QString::fromStdString(st.message()),
                                    Prompter::Icon::Warning);
    }
    update();
}

void CTessalyView::mouseMoveEvent(QMouseEvent* event) {
    // Only the tip needs a repaint on a move; without tips the chart stays as it is.
    if (m_layout && m_layout->rows.contains(event->position().toPoint().x(), event->position().toPoint().y()) &&
        showTips()) {
        const ql::ChartRect area = m_layout->area();
        update(QRect(area.left, area.top, area.width(), area.height()));
    }
    QWidget::mouseMoveEvent(event);
}

void CTessalyView::contextMenuEvent(QContextMenuEvent* event) {
    openChartMenu(event->pos());
}

void CTessalyView::openChartMenu(const QPoint& position) {
    if (!m_layout || !m_layout->rows.contains(position.x(), position.y())) return;
    m_selectedItem.reset();
    if (auto hit = ql::hitTest(*m_layout, m_chart, position.x(), position.y())) m_selectedItem = m_chart.items()[*hit];

    QMenu menu(this);
    auto add = [&](int id, const char* text, const char* prompt) {
        QAction* action = menu.addAction(QString::fromUtf8(text));
        action->setData(id);
        if (prompt) action->setStatusTip(QString::fromUtf8(prompt));
    };
    if (m_selectedItem) {
        add(cmd::kEditItem, "&Edit Item...", nullptr);
        add(cmd::kDeleteItem, "&Delete Item", nullptr);
        menu.addSeparator();
    }
    add(cmd::kChangeHours, "&Change Hours...", "Change Gantt Chart's starting and ending hours");
    menu.addSeparator();
    add(cmd::kPreviousWeek, "&Previous Week", "View previous week");
    add(cmd::kNextWeek, "&Next Week", "View next week");
    add(cmd::kThisWeek, "&This Week", "View this week");
    menu.addSeparator();
    add(cmd::kChartWhatsThis, "&What's This?", "Get help about this visual item");

    QAction* chosen = m_runMenu(menu, mapToGlobal(position));
    if (!chosen) return;
    switch (chosen->data().toInt()) {
    case cmd::kEditItem: onEditItem(); break;
    case cmd::kDeleteItem: onDeleteItem(); break;
    case cmd::kChangeHours: onChangeHours(); break;
    case cmd::kPreviousWeek: onPreviousWeek(); break;
    case cmd::kNextWeek: onNextWeek(); break;
    case cmd::kThisWeek: onThisWeek(); break;
    case cmd::kChartWhatsThis:
        if (m_help) m_help->showTopic(300);
        break;
    default: break;
    }
}

void CTessalyView::onChangeHours() {
    CChartHoursDlg dialog(m_chart.hours(), this);
    if (m_runDialog(dialog) != QDialog::Accepted) return;
    m_chart.setHours(dialog.hours().start, dialog.hours().end);
    refreshWeekChart();
}

void CTessalyView::onPreviousWeek() {
    m_chart.showPreviousWeek();
    refreshWeekChart();
}

void CTessalyView::onNextWeek() {
    m_chart.showNextWeek();
    refreshWeekChart();
}

void CTessalyView::onThisWeek() {
    m_chart.showWeekOf(m_clock.now());
    refreshWeekChart();
}

void CTessalyView::afterChartEdit() {
    refreshWeekChart();
    refreshRunningPanel(true);
    refreshTotals();
}

void CTessalyView::onEditItem() {
    if (!m_selectedItem || !m_doc.fileSetOpen()) return;
    const ql::ChartItem item = *m_selectedItem;
    const std::string settingsPath = m_doc.pathOf(ql::FileKind::Settings);
    const bool monthFirst = ql::readSettings(m_doc.fileSystem(), settingsPath).valueOr(ql::SettingsRecord{}).monthFirst();
    CTimeFrameDlg dialog(ql::frameOf(item), QString::fromStdString(item.name), monthFirst, m_doc.prompter(), this);
    if (m_runDialog(dialog) == QDialog::Accepted) {
        const ql::Status st = ql::editChartItem(m_doc.fileSystem(), settingsPath, item, dialog.frame());
        if (!st)
            m_doc.prompter().inform(QStringLiteral("Quillory"), QString::fromStdString(st.message()),
                                    Prompter::Icon::Warning);
    }
    afterChartEdit();
}

void CTessalyView::onDeleteItem() {
    if (!m_selectedItem || !m_doc.fileSetOpen()) return;
    if (m_doc.prompter().ask(QStringLiteral("Confirmation"),
                             QStringLiteral("Are you sure you want to delete the selected item?"))) {
        const ql::Status st =
            ql::deleteChartItem(m_doc.fileSystem(), m_doc.pathOf(ql::FileKind::Settings), *m_selectedItem);
        if (!st)
            m_doc.prompter().inform(QStringLiteral("Quillory"), QString::fromStdString(st.message()),
                                    Prompter::Icon::Warning);
    }
    afterChartEdit();
}

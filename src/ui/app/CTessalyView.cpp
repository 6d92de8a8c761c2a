#include "ui/app/CTessalyView.h"

#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/chart/ChartItemEdits.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/common/HelpService.h"
#include "ui/chart/CChartHoursDlg.h"
#include "ui/chart/CTimeFrameDlg.h"
#include "print/InvoicePages.h"
#include "print/WeekChartPainter.h"
#include "ui/app/CTessalyDoc.h"
#include "ui/common/CommandIds.h"
#include "ui/common/Prompter.h"
#include "print/CellFont.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimerEvent>

#include <algorithm>
#include <utility>

namespace {

// A rectangle given by its corners, the right and bottom edges outside it.
QRect cell(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect cell(const ql::PanelCells& x, int top, int bottom) { return cell(x.left, top, x.right, bottom); }

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

// The panel's cells, widened where a time or charge text of its rows needs more room.
template <typename Rows>
ql::PanelColumns columnsFor(const Rows& rows, int left, int labelLeft, int right) {
    const QFontMetrics metrics(arialBoldCell(12));
    int timeWidth = 0, chargeWidth = 0;
    for (const ql::PanelRow& r : rows) {
        // One pixel more than the advance, for the antialiased edge of the last digit.
        timeWidth = std::max(timeWidth, metrics.horizontalAdvance(QString::fromStdString(r.timeText)) + 1);
        chargeWidth = std::max(chargeWidth, metrics.horizontalAdvance(QString::fromStdString(r.chargeText)) + 1);
    }
    return ql::panelColumns(left, labelLeft, right, timeWidth, chargeWidth);
}

void headers(QPainter& painter, const ql::PanelColumns& c, const QString& first) {
    painter.setFont(arialBoldCell(14));
    header(painter, cell(c.labelHeader, 10, 31), first);
    header(painter, cell(c.timeHeader, 10, 31), QStringLiteral("Time"));
    header(painter, cell(c.chargeHeader, 10, 31), QStringLiteral("Charges"));
}

void row(QPainter& painter, const ql::PanelRow& r, const ql::PanelColumns& c, int y) {
    text(painter, cell(c.label, y, y + 15), QString::fromStdString(r.label), Qt::AlignLeft);
    text(painter, cell(c.time, y, y + 15), QString::fromStdString(r.timeText), Qt::AlignRight);
    text(painter, cell(c.charge, y, y + 15), QString::fromStdString(r.chargeText), Qt::AlignRight);
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
    // The chart takes the keyboard: its menu, its bars and its weeks are reachable without a mouse.
    setFocusPolicy(Qt::StrongFocus);
    createChartActions();
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
    auto invoice = ql::LoadInvoice(m_doc.fileSystem(), **m_invoiceRequest, m_doc.fileSet());
    if (!invoice) return report(invoice.status());
    auto parties = ql::loadInvoiceParties(m_doc.fileSystem(), *invoice);
    if (!parties) return report(parties.status());
    m_print.printInvoice(
        std::make_unique<InvoicePages>(std::move(invoice).value(), std::move(parties).value(), m_doc.fileSystem()));
}

void CTessalyView::onTick() {
    m_doc.tick();
    refreshRunningPanel(false);
    const std::int32_t now = m_clock.now();
    if (ql::calendar::dayStart(now) != m_totalsDay) {
        // Left open overnight, the window would otherwise go on calling yesterday "Today".
        const bool showedToday = m_chart.weekStart() == ql::calendar::weekStart(m_totalsDay);
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
        m_doc.prompter().inform(QStringLiteral("Quillory"), QString::fromStdString(loaded.status.message()),
                                Prompter::Icon::Warning);
    update();
}

void CTessalyView::refreshTotals() {
    m_totalsRows = {};
    const std::int32_t now = m_clock.now();
    m_totalsDay = ql::calendar::dayStart(now);
    if (m_doc.fileSetOpen()) {
        const ql::PeriodTotals totals = ql::computeTotals(m_doc.fileSystem(), m_doc.fileSet(), now);
        m_totalsRows = ql::totalsPanelRows(totals);
        reportFailures(Source::Totals, totals.failures);
    } else {
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
        m_doc.prompter().inform(QStringLiteral("Quillory"), QString::fromStdString(message), Prompter::Icon::Warning);
}

void CTessalyView::paintRunningPanel(QPainter& painter, int width) const {
    const int left = width / 2 + 5, right = width - 5;
    const QRect panel = cell(left, 30, right, 105);
    const ql::PanelColumns columns = runningColumns(width);
    box(painter, panel);
    headers(painter, columns, QStringLiteral("Project"));
    painter.setFont(arialBoldCell(12));
    if (m_runningRows.empty()) {
        text(painter, cell(left + 5, 30, right - 5, 105),
             QStringLiteral("Press the 'Check In' button to start timing a project"), Qt::AlignHCenter);
    } else {
        int y = 30;
        for (const ql::PanelRow& r : m_runningRows) {
            row(painter, r, columns, y);
            y += 15;
        }
    }
    if (m_doc.paused()) {
        painter.setFont(arialBoldCell(24));
        painter.setPen(QColor(0, 0, 255));
        text(painter, panel, QStringLiteral("PAUSE"), Qt::AlignHCenter);
        painter.setPen(Qt::black);
    }
}

void CTessalyView::paintTotalsPanel(QPainter& painter, int width) const {
    const int h = width / 2 - 5;
    const ql::PanelColumns columns = totalsColumns(width);
    box(painter, cell(5, 30, h, 105));
    headers(painter, columns, QStringLiteral("Total charges for..."));
    painter.setFont(arialBoldCell(12));
    if (!m_doc.fileSetOpen()) {
        text(painter, cell(10, 30, h - 5, 105), QStringLiteral("Open or create a 'Quillory' file"), Qt::AlignHCenter);
        return;
    }
    for (std::size_t i = 0; i < ql::kPeriodCount; ++i)
        row(painter, m_totalsRows[i], columns, 30 + 18 * static_cast<int>(i));
}

ql::PanelColumns CTessalyView::totalsColumns(int width) const {
    const int h = width / 2 - 5;
    if (!m_doc.fileSetOpen()) return ql::panelColumns(5, 8, h, 0, 0);
    return columnsFor(m_totalsRows, 5, 8, h);
}

ql::PanelColumns CTessalyView::runningColumns(int width) const {
    const int left = width / 2 + 5;
    return columnsFor(m_runningRows, left, left + 3, width - 5);
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
        m_layout = ql::screenChartLayout(m_chart, width(), height());
        m_tipShown = false;
        if (m_layout) {
            paintWeekChart(offscreen, m_chart, *m_layout);
            if (hasFocus() && m_focusedItem)
                if (auto bar = ql::barRect(*m_layout, m_chart.days(), m_chart.items()[*m_focusedItem]))
                    paintBarFocus(offscreen, *m_layout, *bar);
            const QPoint cursor = mapFromGlobal(QCursor::pos());
            if (underMouse() && showTips()) {
                if (auto hit = ql::hitTest(*m_layout, m_chart, cursor.x(), cursor.y())) {
                    paintChartTip(offscreen, *m_layout, cursor, QString::fromStdString(m_chart.items()[*hit].name));
                    m_tipShown = true;
                }
            }
        }
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

bool CTessalyView::showTips() const {
    if (!m_doc.fileSetOpen()) return false;
    auto settings = ql::readSettings(m_doc.fileSystem(), m_doc.fileSet());
    return settings && settings->showTips != 0;
}

void CTessalyView::refreshWeekChart() {
    std::vector<ql::Status> failures;
    std::optional<ql::TimeFrameRecord> focused = std::exchange(m_refocus, std::nullopt);
    if (!focused && m_focusedItem) focused = ql::frameOf(m_chart.items()[*m_focusedItem]);
    if (m_doc.fileSetOpen()) {
        const ql::Status st = m_chart.load(m_doc.fileSystem(), m_doc.fileSet());
        if (!st) failures.push_back(st);
    }
    reportFailures(Source::WeekChart, failures);
    // The focus stays on its frame while the frame is still shown; indexes of the old load
    // mean nothing in the new one.
    m_focusedItem.reset();
    if (focused) {
        const auto& items = m_chart.items();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (ql::frameOf(items[i]) == *focused) m_focusedItem = i;
    }
    update();
}

void CTessalyView::updateChartArea() {
    if (!m_layout) return;
    const ql::ChartRect area = m_layout->area();
    update(QRect(area.left, area.top, area.width(), area.height()));
}

void CTessalyView::mouseMoveEvent(QMouseEvent* event) {
    // Only the tip needs a repaint on a move, and the removal of a tip the pointer has left;
    // without tips the chart stays as it is.
    const QPoint at = event->position().toPoint();
    if (m_tipShown || (m_layout && m_layout->rows.contains(at.x(), at.y()) && showTips())) updateChartArea();
    QWidget::mouseMoveEvent(event);
}

void CTessalyView::leaveEvent(QEvent* event) {
    if (m_tipShown) updateChartArea();
    QWidget::leaveEvent(event);
}

void CTessalyView::focusInEvent(QFocusEvent* event) {
    if (m_focusedItem) updateChartArea();
    QWidget::focusInEvent(event);
}

void CTessalyView::focusOutEvent(QFocusEvent* event) {
    if (m_focusedItem) updateChartArea();
    QWidget::focusOutEvent(event);
}

void CTessalyView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard)
        openChartMenuFromKeyboard();
    else
        openChartMenu(event->pos());
}

void CTessalyView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier) {
        openChartMenuFromKeyboard();
    } else if (modifiers != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    } else if (key == Qt::Key_PageUp) {
        onPreviousWeek();
    } else if (key == Qt::Key_PageDown) {
        onNextWeek();
    } else if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down ||
               key == Qt::Key_Home || key == Qt::Key_End) {
        moveItemFocus(key);
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CTessalyView::moveItemFocus(int key) {
    if (!m_layout) return;
    std::vector<ql::ChartBar> bars = ql::layoutBars(*m_layout, m_chart);
    if (bars.empty()) return;
    // Reading order: by day, then left to right, then in drawing order.
    std::stable_sort(bars.begin(), bars.end(), [](const ql::ChartBar& a, const ql::ChartBar& b) {
        return std::pair(a.rect.top, a.rect.left) < std::pair(b.rect.top, b.rect.left);
    });
    std::ptrdiff_t at = -1;
    for (std::size_t i = 0; i < bars.size(); ++i)
        if (m_focusedItem && bars[i].item == *m_focusedItem) at = static_cast<std::ptrdiff_t>(i);
    const auto last = static_cast<std::ptrdiff_t>(bars.size()) - 1;
    if (key == Qt::Key_Home) at = 0;
    else if (key == Qt::Key_End) at = last;
    else if (key == Qt::Key_Right || key == Qt::Key_Down) at = at < 0 ? 0 : std::min(at + 1, last);
    else at = at < 0 ? last : std::max<std::ptrdiff_t>(at - 1, 0);
    m_focusedItem = bars[static_cast<std::size_t>(at)].item;
    updateChartArea();
}

void CTessalyView::createChartActions() {
    struct Command {
        int id;
        const char* text;
        const char* prompt;
    };
    static constexpr Command kCommands[] = {
        {cmd::kEditItem, "&Edit Item...", nullptr},
        {cmd::kDeleteItem, "&Delete Item", nullptr},
        {cmd::kChangeHours, "&Change Hours...", "Change Gantt Chart's starting and ending hours"},
        {cmd::kPreviousWeek, "&Previous Week", "View previous week"},
        {cmd::kNextWeek, "&Next Week", "View next week"},
        {cmd::kThisWeek, "&This Week", "View this week"},
        {cmd::kChartWhatsThis, "&What's This?", "Get help about this visual item"},
    };
    for (const Command& c : kCommands) {
        auto* action = new QAction(QString::fromUtf8(c.text), this);
        action->setData(c.id);
        if (c.prompt) action->setStatusTip(QString::fromUtf8(c.prompt));
        m_chartActions.push_back(action);
    }
}

QAction* CTessalyView::chartAction(int commandId) const {
    for (QAction* action : m_chartActions)
        if (action->data().toInt() == commandId) return action;
    return nullptr;
}

void CTessalyView::openChartMenu(const QPoint& position) {
    if (!m_layout || !m_layout->rows.contains(position.x(), position.y())) return;
    m_selectedItem.reset();
    if (auto hit = ql::hitTest(*m_layout, m_chart, position.x(), position.y())) m_selectedItem = m_chart.items()[*hit];
    runChartMenu(position);
}

void CTessalyView::openChartMenuFromKeyboard() {
    if (!m_layout) return;
    m_selectedItem.reset();
    QPoint at(m_layout->labelRight, m_layout->rows.top);
    if (m_focusedItem) {
        m_selectedItem = m_chart.items()[*m_focusedItem];
        if (auto bar = ql::barRect(*m_layout, m_chart.days(), *m_selectedItem)) at = QPoint(bar->left, bar->bottom);
    }
    runChartMenu(at);
}

void CTessalyView::runChartMenu(const QPoint& position) {
    QMenu menu(this);
    if (m_selectedItem) {
        menu.addAction(chartAction(cmd::kEditItem));
        menu.addAction(chartAction(cmd::kDeleteItem));
        menu.addSeparator();
    }
    menu.addAction(chartAction(cmd::kChangeHours));
    menu.addSeparator();
    menu.addAction(chartAction(cmd::kPreviousWeek));
    menu.addAction(chartAction(cmd::kNextWeek));
    menu.addAction(chartAction(cmd::kThisWeek));
    menu.addSeparator();
    menu.addAction(chartAction(cmd::kChartWhatsThis));

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
    const bool monthFirst =
        ql::readSettings(m_doc.fileSystem(), m_doc.fileSet()).valueOr(ql::SettingsRecord{}).monthFirst();
    CTimeFrameDlg dialog(ql::frameOf(item), QString::fromStdString(item.name), monthFirst, m_doc.prompter(), this);
    if (m_runDialog(dialog) == QDialog::Accepted) {
        const ql::Status st = ql::editChartItem(m_doc.fileSystem(), m_doc.fileSet(), item, dialog.frame());
        if (!st)
            m_doc.prompter().inform(QStringLiteral("Quillory"), QString::fromStdString(st.message()),
                                    Prompter::Icon::Warning);
        // The keyboard focus follows an edited bar to its new place.
        else if (m_focusedItem && ql::frameOf(m_chart.items()[*m_focusedItem]) == ql::frameOf(item))
            m_refocus = dialog.frame();
    }
    afterChartEdit();
}

void CTessalyView::onDeleteItem() {
    if (!m_selectedItem || !m_doc.fileSetOpen()) return;
    if (m_doc.prompter().ask(QStringLiteral("Confirmation"),
                             QStringLiteral("Are you sure you want to delete the selected item?"))) {
        const ql::Status st =
            ql::deleteChartItem(m_doc.fileSystem(), m_doc.fileSet(), *m_selectedItem);
        if (!st)
            m_doc.prompter().inform(QStringLiteral("Quillory"), QString::fromStdString(st.message()),
                                    Prompter::Icon::Warning);
    }
    afterChartEdit();
}

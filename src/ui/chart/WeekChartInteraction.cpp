#include "ui/chart/WeekChartInteraction.h"
#include "ui/common/CoreText.h"

#include "core/chart/ChartItemEdits.h"
#include "core/store/Settings.h"
#include "core/time/Clock.h"
#include "print/WeekChartPainter.h"
#include "ui/chart/CChartHoursDlg.h"
#include "ui/chart/CTimeFrameDlg.h"
#include "ui/common/CommandIds.h"
#include "ui/common/HelpService.h"
#include "ui/common/Modal.h"
#include "ui/common/OpenDocument.h"
#include "ui/common/Prompter.h"

#include <QCoreApplication>
#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <utility>

WeekChartInteraction::WeekChartInteraction(QWidget& view, const CommandContext& context,
                                           ReportFailures reportFailures, AfterEdit afterEdit)
    : m_view(view),
      m_context(context),
      m_reportFailures(std::move(reportFailures)),
      m_afterEdit(std::move(afterEdit)),
      m_chart(context.clock.now()) {
    createChartActions();
}

void WeekChartInteraction::warn(const ql::Status& status) const {
    m_context.prompter.inform(QStringLiteral("Quillory"), coreText(status),
                              Prompter::Icon::Warning);
}

bool WeekChartInteraction::showTips() const {
    if (!m_context.document.fileSetOpen()) return false;
    auto settings = ql::readSettings(m_context.fileSystem, m_context.document.fileSet());
    return settings && settings->showTips != 0;
}

void WeekChartInteraction::refresh() {
    std::vector<ql::Status> failures;
    std::optional<ql::TimeFrameRecord> focused = std::exchange(m_refocus, std::nullopt);
    if (!focused && m_focusedItem) focused = ql::frameOf(m_chart.items()[*m_focusedItem]);
    if (m_context.document.fileSetOpen()) {
        // Reads only what changed since the last load: the view refreshes at every activation.
        const ql::Status st = m_chart.refresh(m_context.fileSystem, m_context.document.fileSet());
        if (!st) failures.push_back(st);
    }
    // The focus stays on its frame while the frame is still shown; indexes of the old load
    // mean nothing in the new one. Re-mapped before the failures are reported: closing their
    // box re-activates the window, which reloads again and reads the focused bar.
    m_focusedItem.reset();
    if (focused) {
        const auto& items = m_chart.items();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (ql::frameOf(items[i]) == *focused) m_focusedItem = i;
    }
    m_reportFailures(failures);
    m_view.update();
}

void WeekChartInteraction::paint(QPainter& painter, int width, int height) {
    m_layout = ql::screenChartLayout(m_chart, width, height);
    m_tipShown = false;
    if (!m_layout) return;
    paintWeekChart(painter, m_chart, *m_layout);
    if (m_view.hasFocus() && m_focusedItem)
        if (auto bar = ql::barRect(*m_layout, m_chart.days(), m_chart.items()[*m_focusedItem]))
            paintBarFocus(painter, *m_layout, *bar);
    const QPoint cursor = m_view.mapFromGlobal(QCursor::pos());
    if (m_view.underMouse() && showTips()) {
        if (auto hit = ql::hitTest(*m_layout, m_chart, cursor.x(), cursor.y())) {
            paintChartTip(painter, *m_layout, cursor, QString::fromStdString(m_chart.items()[*hit].name));
            m_tipShown = true;
        }
    }
}

void WeekChartInteraction::updateChartArea() {
    if (!m_layout) return;
    const ql::ChartRect area = m_layout->area();
    m_view.update(QRect(area.left, area.top, area.width(), area.height()));
}

void WeekChartInteraction::mouseMoved(const QPoint& at) {
    // Only the tip needs a repaint on a move, and the removal of a tip the pointer has left;
    // without tips the chart stays as it is.
    if (m_tipShown || (m_layout && m_layout->rows.contains(at.x(), at.y()) && showTips())) updateChartArea();
}

void WeekChartInteraction::pointerLeft() {
    if (m_tipShown) updateChartArea();
}

void WeekChartInteraction::focusChanged() {
    if (m_focusedItem) updateChartArea();
}

void WeekChartInteraction::contextMenu(const QContextMenuEvent& event) {
    if (event.reason() == QContextMenuEvent::Keyboard)
        openChartMenuFromKeyboard();
    else
        openChartMenu(event.pos());
}

bool WeekChartInteraction::keyPressed(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier) {
        openChartMenuFromKeyboard();
    } else if (modifiers != Qt::NoModifier) {
        return false;
    } else if (key == Qt::Key_PageUp) {
        onPreviousWeek();
    } else if (key == Qt::Key_PageDown) {
        onNextWeek();
    } else if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down ||
               key == Qt::Key_Home || key == Qt::Key_End) {
        moveItemFocus(key);
    } else {
        return false;
    }
    return true;
}

void WeekChartInteraction::moveItemFocus(int key) {
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

void WeekChartInteraction::createChartActions() {
    struct ChartCommand {
        int id;
        const char* text;
        const char* prompt;
    };
    static constexpr ChartCommand kCommands[] = {
        {cmd::kEditItem, QT_TRANSLATE_NOOP("WeekChartInteraction", "&Edit Item..."), nullptr},
        {cmd::kDeleteItem, QT_TRANSLATE_NOOP("WeekChartInteraction", "&Delete Item"), nullptr},
        {cmd::kChangeHours, QT_TRANSLATE_NOOP("WeekChartInteraction", "&Change Hours..."),
         QT_TRANSLATE_NOOP("WeekChartInteraction", "Change Gantt Chart's starting and ending hours")},
        {cmd::kPreviousWeek, QT_TRANSLATE_NOOP("WeekChartInteraction", "&Previous Week"),
         QT_TRANSLATE_NOOP("WeekChartInteraction", "View previous week")},
        {cmd::kNextWeek, QT_TRANSLATE_NOOP("WeekChartInteraction", "&Next Week"),
         QT_TRANSLATE_NOOP("WeekChartInteraction", "View next week")},
        {cmd::kThisWeek, QT_TRANSLATE_NOOP("WeekChartInteraction", "&This Week"),
         QT_TRANSLATE_NOOP("WeekChartInteraction", "View this week")},
        {cmd::kChartWhatsThis, QT_TRANSLATE_NOOP("WeekChartInteraction", "&What's This?"),
         QT_TRANSLATE_NOOP("WeekChartInteraction", "Get help about this visual item")},
    };
    for (const ChartCommand& c : kCommands) {
        auto* action = new QAction(QCoreApplication::translate("WeekChartInteraction", c.text), &m_view);
        action->setData(c.id);
        if (c.prompt) action->setStatusTip(QCoreApplication::translate("WeekChartInteraction", c.prompt));
        m_chartActions.push_back(action);
    }
}

QAction* WeekChartInteraction::chartAction(int commandId) const {
    for (QAction* action : m_chartActions)
        if (action->data().toInt() == commandId) return action;
    return nullptr;
}

void WeekChartInteraction::openChartMenu(const QPoint& position) {
    if (!m_layout || !m_layout->rows.contains(position.x(), position.y())) return;
    m_selectedItem.reset();
    if (auto hit = ql::hitTest(*m_layout, m_chart, position.x(), position.y())) m_selectedItem = m_chart.items()[*hit];
    runChartMenu(position);
}

void WeekChartInteraction::openChartMenuFromKeyboard() {
    if (!m_layout) return;
    m_selectedItem.reset();
    QPoint at(m_layout->labelRight, m_layout->rows.top);
    if (m_focusedItem) {
        m_selectedItem = m_chart.items()[*m_focusedItem];
        if (auto bar = ql::barRect(*m_layout, m_chart.days(), *m_selectedItem)) at = QPoint(bar->left, bar->bottom);
    }
    runChartMenu(at);
}

void WeekChartInteraction::runChartMenu(const QPoint& position) {
    QMenu menu(&m_view);
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

    QAction* chosen = m_context.modal.runMenu(menu, m_view.mapToGlobal(position));
    if (!chosen) return;
    switch (chosen->data().toInt()) {
    case cmd::kEditItem: onEditItem(); break;
    case cmd::kDeleteItem: onDeleteItem(); break;
    case cmd::kChangeHours: onChangeHours(); break;
    case cmd::kPreviousWeek: onPreviousWeek(); break;
    case cmd::kNextWeek: onNextWeek(); break;
    case cmd::kThisWeek: onThisWeek(); break;
    case cmd::kChartWhatsThis: m_context.help.showTopic(300); break;
    default: break;
    }
}

void WeekChartInteraction::onChangeHours() {
    CChartHoursDlg dialog(m_chart.hours(), &m_view);
    if (m_context.modal.runDialog(dialog) != QDialog::Accepted) return;
    m_chart.setHours(dialog.hours().start, dialog.hours().end);
    refresh();
}

void WeekChartInteraction::onPreviousWeek() {
    m_chart.showPreviousWeek();
    refresh();
}

void WeekChartInteraction::onNextWeek() {
    m_chart.showNextWeek();
    refresh();
}

void WeekChartInteraction::onThisWeek() {
    m_chart.showWeekOf(m_context.clock.now());
    refresh();
}

void WeekChartInteraction::afterChartEdit() {
    refresh();
    m_afterEdit();
}

void WeekChartInteraction::onEditItem() {
    if (!m_selectedItem || !m_context.document.fileSetOpen()) return;
    const ql::ChartItem item = *m_selectedItem;
    const ql::FileSet& settingsPath = m_context.document.fileSet();
    const bool monthFirst = ql::readSettings(m_context.fileSystem, settingsPath).valueOr(ql::SettingsRecord{}).monthFirst();
    CTimeFrameDlg dialog(ql::frameOf(item), QString::fromStdString(item.name), monthFirst, m_context.prompter, &m_view);
    // OK with nothing changed writes nothing.
    if (m_context.modal.runDialog(dialog) == QDialog::Accepted && dialog.frame() != ql::frameOf(item)) {
        const ql::Status st = ql::editChartItem(m_context.fileSystem, settingsPath, item, dialog.frame());
        if (!st)
            warn(st);
        // The keyboard focus follows an edited bar to its new place.
        else if (m_focusedItem && ql::frameOf(m_chart.items()[*m_focusedItem]) == ql::frameOf(item))
            m_refocus = dialog.frame();
    }
    afterChartEdit();
}

void WeekChartInteraction::onDeleteItem() {
    if (!m_selectedItem || !m_context.document.fileSetOpen()) return;
    if (m_context.prompter.ask(QCoreApplication::translate("WeekChartInteraction", "Confirmation"),
                               QCoreApplication::translate("WeekChartInteraction",
                                                           "Are you sure you want to delete the selected item?"))) {
        const ql::Status st =
            ql::deleteChartItem(m_context.fileSystem, m_context.document.fileSet(), *m_selectedItem);
        if (!st) warn(st);
    }
    afterChartEdit();
}

#include "ui/reports/PreviewWindow.h"

#include "ui/common/Profile.h"

#include <QAction>
#include <QCoreApplication>
#include <QLayout>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QShowEvent>
#include <QToolBar>

#include <algorithm>

namespace {

// The toolkit's text of its page-width action, before its translation (not one of ours).
const char* const kFitWidthText = "Fit width";

}  // namespace

PreviewWindow::PreviewWindow(QPrinter* printer, QWidget* parent) : QPrintPreviewDialog(printer, parent) {
    const std::optional<QSize> kept = Profile::previewSize();
    const QScreen* screen = parent != nullptr && parent->screen() != nullptr ? parent->screen() : this->screen();
    m_available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QSize size = kept.value_or(defaultSize(m_available));
    // A size kept on a larger screen must not put the buttons out of reach on this one.
    size = size.boundedTo(m_available.size());
    resize(size);
}

QSize PreviewWindow::defaultSize(const QRect& available) {
    const int height = available.height() * 9 / 10;
    // A portrait page at page width, with the tool bar and the scroll bar beside it.
    const int width = std::min(available.width() * 9 / 10, std::max(640, height * 4 / 5));
    return {width, height};
}

QPrintPreviewWidget* PreviewWindow::previewWidget() const { return findChild<QPrintPreviewWidget*>(); }

QToolBar* PreviewWindow::toolBar() const { return findChild<QToolBar*>(); }

QAction* PreviewWindow::addToolAction(const QString& text) {
    QToolBar* bar = toolBar();
    if (bar == nullptr) return nullptr;
    bar->addSeparator();
    QAction* action = bar->addAction(text);
    const QMargins margins = layout() != nullptr ? layout()->contentsMargins() : QMargins();
    const int needed = bar->sizeHint().width() + margins.left() + margins.right();
    if (width() < needed) resize(std::min(needed, m_available.width()), height());
    return action;
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QPrintPreviewDialog::showEvent(event);
    if (m_zoomSet) return;
    m_zoomSet = true;
    // The dialog chooses its own fit on first show; page width through its own action, so that
    // the tool bar shows which fit is on.
    // Found by the toolkit's own text for it, which its translation changes.
    const QString fitWidth = QCoreApplication::translate("QPrintPreviewDialog", kFitWidthText);
    for (QAction* action : findChildren<QAction*>()) {
        if (action->isCheckable() && action->text() == fitWidth) {
            action->trigger();
            return;
        }
    }
    if (QPrintPreviewWidget* widget = previewWidget()) widget->fitToWidth();
}

void PreviewWindow::done(int result) {
    Profile::setPreviewSize(size());
    QPrintPreviewDialog::done(result);
}

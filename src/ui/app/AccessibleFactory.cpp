#include "ui/app/AccessibleFactory.h"

#include "ui/analysis/CPieChartDlg.h"
#include "ui/app/CTessalyView.h"
#include "ui/common/PaintedAccessible.h"

#include <QAccessible>

namespace {

QAccessibleInterface* paintedWidgetInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("CTessalyView")) {
        auto* view = static_cast<CTessalyView*>(object);
        return new PaintedWidgetAccessible(view, QAccessible::Pane, {}, [view] { return view->accessibleItems(); });
    }
    if (className == QLatin1String("CPieChartDlg")) {
        auto* dialog = static_cast<CPieChartDlg*>(object);
        return new PaintedWidgetAccessible(dialog, QAccessible::Dialog, {},
                                           [dialog] { return dialog->accessibleItems(); });
    }
    return nullptr;
}

}  // namespace

void installAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(paintedWidgetInterface);
        return true;
    }();
    (void)installed;
}

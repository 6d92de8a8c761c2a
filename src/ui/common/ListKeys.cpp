#include "ui/common/ListKeys.h"

#include <QKeyEvent>

bool handleListEditKeys(QEvent* event, const std::function<void()>& open, const std::function<void()>& remove) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        open();
        return true;
    }
    if (key == Qt::Key_Delete) {
        remove();
        return true;
    }
    return false;
}

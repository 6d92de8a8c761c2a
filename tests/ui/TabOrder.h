#pragma once

#include <QWidget>

// The widget Tab moves to from w: the next one in the focus chain that takes focus by Tab.
inline QWidget* nextTabStop(QWidget* w) {
    for (QWidget* next = w->nextInFocusChain(); next && next != w; next = next->nextInFocusChain())
        if ((next->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) return next;
    return nullptr;
}

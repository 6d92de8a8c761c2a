#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

// Types text into widget one key at a time, as a keyboard would send it. Unlike
// QTest::keyClicks it sends characters beyond Latin-1 unchanged.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

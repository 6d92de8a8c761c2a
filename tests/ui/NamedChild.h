#pragma once

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

// The child widget a form names, failing the test (not crashing it) when there is none.
template <typename W>
W* child(QObject& parent, const char* name) {
    auto* w = parent.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

#include "ui/common/ListKeys.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

TEST(ListKeys, ReturnAndEnterOpenDeleteRemovesOtherKeysPassOn) {
    struct Case {
        QEvent::Type type;
        int key;
        bool handled;
        int opened;
        int removed;
    };
    const Case cases[] = {
        {QEvent::KeyPress, Qt::Key_Return, true, 1, 0},   {QEvent::KeyPress, Qt::Key_Enter, true, 1, 0},
        {QEvent::KeyPress, Qt::Key_Delete, true, 0, 1},   {QEvent::KeyPress, Qt::Key_Space, false, 0, 0},
        {QEvent::KeyRelease, Qt::Key_Delete, false, 0, 0}, {QEvent::KeyRelease, Qt::Key_Return, false, 0, 0},
    };
    for (const Case& c : cases) {
        QKeyEvent event(c.type, c.key, Qt::NoModifier);
        int opened = 0, removed = 0;
        EXPECT_EQ(handleListEditKeys(&event, [&] { ++opened; }, [&] { ++removed; }), c.handled) << c.key;
        EXPECT_EQ(opened, c.opened) << c.key;
        EXPECT_EQ(removed, c.removed) << c.key;
    }
}

}  // namespace

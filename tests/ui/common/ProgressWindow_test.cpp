#include "ui/common/ProgressWindow.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Quick work shows nothing; work past half a second shows the dialog, whose Cancel stops it.
TEST(ProgressWindow, AppearsOnlyForLongWorkAndCancelStopsIt) {
    QWidget window;
    window.show();
    {
        ProgressWindow quick(&window, QStringLiteral("Quick"));
        for (std::uint64_t i = 0; i <= 10; ++i) EXPECT_TRUE(quick.advance(i, 10));
        EXPECT_FALSE(quick.dialog().isVisible());
    }
    ProgressWindow slow(&window, QStringLiteral("Writing the PDF file..."));
    QElapsedTimer timer;
    timer.start();
    std::uint64_t done = 0;
    while (timer.elapsed() < ProgressWindow::kShowAfterMs + 300) {
        ASSERT_TRUE(slow.advance(++done, 1000));
        QThread::msleep(20);
    }
    EXPECT_TRUE(slow.dialog().isVisible());
    EXPECT_EQ(slow.dialog().labelText(), QStringLiteral("Writing the PDF file..."));
    EXPECT_EQ(slow.dialog().windowModality(), Qt::WindowModal);
    slow.dialog().cancel();
    EXPECT_FALSE(slow.advance(++done, 1000));
    EXPECT_TRUE(slow.stopped());
    // Once stopped, stopped for good: the work cannot half-resume.
    EXPECT_FALSE(slow.advance(++done, 1000));
}

}  // namespace

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

// GUI tests share one QApplication on the offscreen platform, in a pinned time zone.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    setenv("TZ", "America/New_York", 1);
    tzset();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

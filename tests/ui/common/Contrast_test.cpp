#include "ui/common/Contrast.h"

#include <gtest/gtest.h>

namespace {

TEST(Contrast, RatiosAsTheGuidelinesMeasureThem) {
    const struct {
        QColor a, b;
        double ratio;
    } cases[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::black, 21.0},
        {QColor(192, 192, 192), QColor(192, 192, 192), 1.0},
        {QColor(0, 0, 255), Qt::white, 8.59},
        {QColor(128, 128, 128), QColor(192, 192, 192), 2.17},
        {QColor(118, 118, 118), Qt::white, 4.54},  // the lightest grey readable on white
    };
    for (const auto& c : cases)
        EXPECT_NEAR(contrastRatio(c.a, c.b), c.ratio, 0.01) << c.a.name().toStdString() << " " << c.b.name().toStdString();
}

TEST(Contrast, ReadableOnKeepsAReadableColourAndMovesOthersJustFarEnough) {
    const struct {
        QColor background, wanted;
        bool kept;
    } cases[] = {
        {Qt::white, Qt::black, true},
        {QColor(192, 192, 192), Qt::black, true},
        {QColor(192, 192, 192), QColor(128, 128, 128), false},  // dimmed text on the chart's grey
        {QColor(35, 35, 35), QColor(128, 128, 128), false},     // dimmed text on a dark field
        {QColor(53, 53, 53), QColor(60, 60, 60), false},
        {QColor(128, 128, 128), QColor(128, 128, 128), false},  // mid grey: towards black, the side that can reach 4.5
    };
    for (const auto& c : cases) {
        const QColor got = readableOn(c.background, c.wanted);
        const std::string what = c.wanted.name().toStdString() + " on " + c.background.name().toStdString();
        EXPECT_GE(contrastRatio(c.background, got), kReadableContrast) << what;
        EXPECT_EQ(got == c.wanted, c.kept) << what;
        // Just far enough: a dimmed text stays nearer its own colour than the far end is.
        if (!c.kept && got != QColor(Qt::black) && got != QColor(Qt::white)) {
            EXPECT_LT(contrastRatio(c.background, got), kReadableContrast + 0.5) << what;
        }
    }
}

}  // namespace

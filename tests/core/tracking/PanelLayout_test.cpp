#include "core/tracking/PanelLayout.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(PanelColumns, KeepTheUsualCellsAndWidenFromTheRightWhenATextNeedsIt) {
    const int right = 295;
    struct Case {
        int timeWidth, chargeWidth;
        PanelColumns expected;
    };
    const Case cases[] = {
        // Texts that fit: the usual cells, whatever their own width.
        {0, 0, {{5, 171}, {170, 216}, {215, 295}, {8, 167}, {173, 212}, {218, 292}}},
        {39, 74, {{5, 171}, {170, 216}, {215, 295}, {8, 167}, {173, 212}, {218, 292}}},
        // A wider time moves the time cell's left edge and everything left of it.
        {46, 74, {{5, 164}, {163, 216}, {215, 295}, {8, 160}, {166, 212}, {218, 292}}},
        // A wider charge moves both cells; the charge keeps its right edge.
        {39, 80, {{5, 165}, {164, 210}, {209, 295}, {8, 161}, {167, 206}, {212, 292}}},
        {46, 80, {{5, 158}, {157, 210}, {209, 295}, {8, 154}, {160, 206}, {212, 292}}},
    };
    for (const Case& c : cases) {
        const PanelColumns got = panelColumns(5, 8, right, c.timeWidth, c.chargeWidth);
        EXPECT_EQ(got, c.expected) << c.timeWidth << " " << c.chargeWidth;
        EXPECT_GE(got.time.right - got.time.left, c.timeWidth);
        EXPECT_GE(got.charge.right - got.charge.left, c.chargeWidth);
    }
}

TEST(PanelColumns, TheLabelGivesUpItsRoomButNeverTurnsNegative) {
    const PanelColumns narrow = panelColumns(5, 8, 150, 60, 120);
    EXPECT_EQ(narrow.label.left, 8);
    EXPECT_EQ(narrow.label.right, 8);
    EXPECT_EQ(narrow.labelHeader.right, 5);
    EXPECT_EQ(narrow.charge.right - narrow.charge.left, 120);
}

}  // namespace
}  // namespace ql

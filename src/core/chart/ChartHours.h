#pragma once

#include <string>

namespace ql {

// The whole hours the chart shows, as the hours dialog edits them: every change keeps
// 0 <= start < end <= 24.
struct ChartHours {
    int start = 8;
    int end = 20;

    // Moves the start by delta hours, then keeps it within 0 .. end - 1.
    void stepStart(int delta);
    // Moves the end by delta hours, then keeps it within start + 1 .. 24.
    void stepEnd(int delta);

    // "08:00" for 8: an hour as the dialog shows it.
    static std::string text(int hour);
};

}  // namespace ql

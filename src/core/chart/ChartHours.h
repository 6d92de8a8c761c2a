#pragma once

#include <string>

namespace ql {

// The whole hours the chart shows, as the hours dialog edits them: every change keeps
// 0 <= start < end <= 24.
struct ChartHours {
    // What the chart shows until hours are chosen, in the window and on the command line.
    static constexpr int kDefaultStart = 8;
    static constexpr int kDefaultEnd = 20;

    int start = kDefaultStart;
    int end = kDefaultEnd;

    // 0 <= start < end <= 24: the only hours the chart can show.
    bool isValid() const { return 0 <= start && start < end && end <= 24; }

    // Moves the start by delta hours, then keeps it within 0 .. end - 1.
    void stepStart(int delta);
    // Moves the end by delta hours, then keeps it within start + 1 .. 24.
    void stepEnd(int delta);

    // "08:00" for 8: an hour as the dialog shows it.
    static std::string text(int hour);
};

}  // namespace ql

#pragma once

#include "core/tracking/PanelLayout.h"
#include "core/tracking/PanelRows.h"
#include "core/tracking/PeriodTotals.h"

#include <array>
#include <vector>

class QPainter;

// The two panels above the week chart, painted from the rows and the state they show: the
// totals of the four periods on the left half, the running projects (and PAUSE) on the right.
// The rows are held by reference and must outlive the painter.
class MainPanelsPainter {
public:
    struct State {
        bool fileSetOpen = false;  // without a set the totals panel asks to open one
        bool paused = false;       // PAUSE over the running panel
    };

    MainPanelsPainter(const std::array<ql::PanelRow, ql::kPeriodCount>& totals, const std::vector<ql::PanelRow>& running,
                      State state);

    // Paints both panels for a client area of the given width, in pixels.
    void paint(QPainter& painter, int width) const;
    // The cells of each panel at that width, widened to the texts the rows show.
    ql::PanelColumns totalsColumns(int width) const;
    ql::PanelColumns runningColumns(int width) const;

private:
    void paintRunningPanel(QPainter& painter, int width) const;
    void paintTotalsPanel(QPainter& painter, int width) const;

    const std::array<ql::PanelRow, ql::kPeriodCount>& m_totals;
    const std::vector<ql::PanelRow>& m_running;
    State m_state;
};

#pragma once

// The cells of one panel of the main view (totals or running projects) between x = left and
// x = right. Edges are corners as in a rectangle (left, top)-(right, bottom): the right edge
// lies just outside the cell.
namespace ql {

struct PanelCells {
    int left, right;  // a cell's horizontal corners
    bool operator==(const PanelCells&) const = default;
};

struct PanelColumns {
    PanelCells labelHeader, timeHeader, chargeHeader;  // y 10..31, overlapping by one pixel
    PanelCells label, time, charge;                     // the rows' cells
    bool operator==(const PanelColumns&) const = default;
};

// The usual cells are 39 pixels for the time text and 74 for the charge text. A text wider
// than its cell widens it to the left, pushing the cells left of it along, so no digit of a
// time or an amount is ever cut; the label cell gives up the room and never turns negative.
inline constexpr int kTimeCellWidth = 39;
inline constexpr int kChargeCellWidth = 74;
PanelColumns panelColumns(int left, int labelLeft, int right, int timeTextWidth, int chargeTextWidth);

}  // namespace ql

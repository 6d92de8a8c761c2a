#include "core/tracking/PanelLayout.h"

#include <algorithm>

namespace ql {

PanelColumns panelColumns(int left, int labelLeft, int right, int timeTextWidth, int chargeTextWidth) {
    const int chargeExtra = std::max(0, chargeTextWidth - kChargeCellWidth);
    const int timeExtra = std::max(0, timeTextWidth - kTimeCellWidth);
    const int shift = chargeExtra + timeExtra;
    PanelColumns c{};
    c.chargeHeader = {right - 80 - chargeExtra, right};
    c.timeHeader = {right - 125 - shift, right - 79 - chargeExtra};
    c.labelHeader = {left, std::max(left, right - 124 - shift)};
    c.charge = {right - 77 - chargeExtra, right - 3};
    c.time = {right - 122 - shift, right - 83 - chargeExtra};
    c.label = {labelLeft, std::max(labelLeft, right - 128 - shift)};
    return c;
}

}  // namespace ql

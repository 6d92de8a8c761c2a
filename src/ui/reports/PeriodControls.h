#pragma once

#include "core/reports/ReportPeriod.h"

#include <cstdint>
#include <optional>

class Prompter;
class QComboBox;
class QLabel;
class QLineEdit;

// The period controls of a dialog that offers a reporting period: the list of the five
// choices, and the From and To fields with their labels. The widgets belong to the dialog.
struct PeriodControls {
    QComboBox* list = nullptr;
    QLabel* fromLabel = nullptr;
    QLineEdit* fromEdit = nullptr;
    QLabel* toLabel = nullptr;
    QLineEdit* toEdit = nullptr;
};

// Fills the list with "This Year", "This Month", "This Week", "Today", "Custom", in that
// order, and selects choice.
void fillPeriodList(QComboBox& list, ql::PeriodChoice choice = ql::PeriodChoice::ThisYear);

// Resets the From text to "01/01/1996" and the To text to the default of monthFirst, then
// enables the fields and their labels exactly when "Custom" is selected. Run at opening and
// after every change of the list's selection: typed dates are replaced each time.
void RefreshPeriodControls(const PeriodControls& controls, bool monthFirst);

// The selected choice; This Year when the list has no selection.
ql::PeriodChoice selectedPeriodChoice(const PeriodControls& controls);

// ResolvePeriod on the controls at time now. When a typed date is refused, the reason is
// shown through prompter (caption "Warning"), the field at fault gets the focus with its
// text selected, and nullopt is returned.
std::optional<ql::ReportPeriod> resolvePeriodControls(const PeriodControls& controls, bool monthFirst,
                                                      std::int32_t now, Prompter& prompter);

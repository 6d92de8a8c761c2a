#pragma once

#include "core/Status.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ql {

// What a CII invoice says about itself, as its texts stand in the XML: amounts as written
// ("1234.50"), dates of format 102 as "YYYY-MM-DD" (other formats as written).
struct EInvoiceSummary {
    std::string number;
    std::string issueDate;
    std::string dueDate;  // empty when the file gives none
    std::string sellerName;
    std::string sellerVatId;  // empty when none
    std::string buyerName;
    std::string buyerVatId;  // empty when none
    std::string currency;
    std::string net;    // sum of the line net amounts (BT-106)
    std::string tax;    // total tax amount in the invoice currency (BT-110)
    std::string total;  // grand total (BT-112)
    std::string due;    // amount due for payment (BT-115)
    std::size_t lineCount = 0;
    bool operator==(const EInvoiceSummary&) const = default;
};

// Reads the summary of a CII invoice from its XML text. Fails (InvalidArgument, with a reason)
// when xml is not XML or not a Cross Industry Invoice; missing parts are left empty.
Result<EInvoiceSummary> readCiiSummary(std::string_view xml);

}  // namespace ql

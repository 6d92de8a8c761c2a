#pragma once

#include "core/reports/Invoice.h"

#include <optional>

// The request of the last invoice asked for: the invoice command keeps it here, and the print
// side builds the invoice that hint 5 and Ctrl+P print from it. One per application window.
class InvoiceRequestStore {
public:
    // Replaces the kept request.
    void keep(const ql::InvoiceRequest& request) { m_last = request; }
    // The kept request; nullopt before the first invoice. The reference stays valid as long
    // as the store does.
    const std::optional<ql::InvoiceRequest>& last() const { return m_last; }

private:
    std::optional<ql::InvoiceRequest> m_last;
};

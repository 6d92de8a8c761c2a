#pragma once

#include "core/reports/Invoice.h"
#include "core/reports/InvoiceRegister.h"

#include <optional>
#include <utility>

// The request of the last invoice asked for: the invoice command keeps it here, and the print
// side builds the invoice that hint 5 and Ctrl+P print from it. One per application window.
class InvoiceRequestStore {
public:
    // Replaces the kept request; issued, when given, is its invoice as the command issued it,
    // with the parties it was recorded with, so the print side need not read the set's files
    // again.
    void keep(const ql::InvoiceRequest& request, std::optional<ql::IssuedContent> issued = std::nullopt) {
        m_last = request;
        m_loaded = std::move(issued);
    }
    // The kept request; nullopt before the first invoice. The reference stays valid as long
    // as the store does.
    const std::optional<ql::InvoiceRequest>& last() const { return m_last; }
    // The invoice and parties kept with the request, handed over once: nullopt when none was
    // kept or it was taken already.
    std::optional<ql::IssuedContent> takeLoaded() { return std::exchange(m_loaded, std::nullopt); }

    // An issued invoice to print again as it was issued, handed over once by takeIssued.
    void keepIssued(ql::IssuedContent content) { m_issued = std::move(content); }
    std::optional<ql::IssuedContent> takeIssued() { return std::exchange(m_issued, std::nullopt); }

private:
    std::optional<ql::InvoiceRequest> m_last;
    std::optional<ql::IssuedContent> m_loaded;
    std::optional<ql::IssuedContent> m_issued;
};

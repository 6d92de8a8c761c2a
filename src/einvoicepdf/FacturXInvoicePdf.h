#pragma once

#include "core/Progress.h"
#include "core/Status.h"
#include "core/reports/Invoice.h"
#include "core/store/FileSystem.h"

#include <string>
#include <string_view>

namespace ql {

// The invoice's printed pages (those InvoicePages paints, as the plain PDF shows them) as a
// PDF/A-3 document with xml attached as factur-x.xml; titled as the plain PDF, authored by the
// seller, dated by the invoice's issue date. The bytes of the whole file, made in memory; a
// failure when the pages could not be made, Status::cancelled() when progress was stopped.
Result<std::string> facturXInvoicePdf(FileSystem& fs, const Invoice& invoice, const InvoiceParties& parties,
                                      std::string_view xml, Progress* progress = nullptr);

}  // namespace ql

#pragma once

#include "core/Status.h"
#include "core/reports/Invoice.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "ui/common/Modal.h"

#include <QString>

// Writes the invoice text file (invoiceFileText) to path on fs through a temporary file that
// replaces path only once it is complete, so a failure leaves an older file as it was.
// Fails with "Cannot write invoice file : " + path and the system's reason. When reading
// names the set the invoice is made from, a path that is one of its files is refused
// (InvalidArgument) with nothing written.
ql::Status writeInvoiceTextFile(ql::FileSystem& fs, const ql::Invoice& invoice, const ql::InvoiceParties& parties,
                                const QString& path, const ql::FileSet* reading = nullptr);

// What the save dialog of To File... asks: name "Export", suffix "txt", filter
// "Text Files (*.txt)", the platform's title, starting in folder.
Modal::SaveRequest invoiceTextFileRequest(const QString& folder);

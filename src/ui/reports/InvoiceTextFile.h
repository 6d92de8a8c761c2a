#pragma once

#include "core/Status.h"
#include "core/reports/Invoice.h"
#include "core/store/FileSystem.h"
#include "ui/common/Modal.h"

#include <QString>

// Writes the invoice text file (invoiceFileText) to path on fs through a temporary file that
// replaces path only once it is complete, so a failure leaves an older file as it was.
// Fails with "Cannot write invoice file : " + path.
ql::Status writeInvoiceTextFile(ql::FileSystem& fs, const ql::Invoice& invoice, const ql::InvoiceParties& parties,
                                const QString& path);

// What the save dialog of To File... asks: name "Export", suffix "txt", filter
// "Text Files (*.txt)", the platform's title, starting in folder.
Modal::SaveRequest invoiceTextFileRequest(const QString& folder);

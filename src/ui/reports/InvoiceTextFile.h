#pragma once

#include "core/Status.h"
#include "core/reports/Invoice.h"

#include <QString>
#include <QWidget>

#include <optional>

// Writes the invoice text file (invoiceFileText) to path through a temporary file that
// replaces path only once it is complete, so a failure leaves an older file as it was.
// Fails with "Cannot write invoice file : " + path.
ql::Status writeInvoiceTextFile(const ql::Invoice& invoice, const ql::InvoiceParties& parties, const QString& path);

// The save dialog of To File...: name "Export", suffix "txt", filter "Text Files (*.txt)",
// overwriting asked, starting in folder. nullopt when cancelled.
std::optional<QString> chooseInvoiceTextFile(QWidget* parent, const QString& folder);

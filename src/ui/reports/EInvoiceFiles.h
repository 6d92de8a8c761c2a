#pragma once

#include "core/Progress.h"
#include "core/Status.h"
#include "core/einvoice/CiiInvoice.h"
#include "core/reports/Invoice.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "ui/common/Modal.h"

#include <QString>

#include <optional>
#include <vector>

// The two e-invoice outputs of the window: the XML alone, and the printed pages as PDF/A-3
// with the XML inside.
enum class EInvoiceForm { Xml, FacturXPdf };

// The box text refusing an e-invoice that lacks gaps (missingEInvoiceDetails), details the
// standard requires: each named with where to fill it in. nullopt when nothing is missing.
std::optional<QString> missingEInvoiceText(const std::vector<ql::EInvoiceGap>& gaps);

// Writes the e-invoice of invoice (issued: its request's issue date is set) in form to path,
// through writeOutputFile: whole or not at all, an older file left as it was on failure.
// Refused (InvalidArgument, nothing written) when details are missing (the gaps message) or
// when path is a file of reading. Fails with "Cannot write e-invoice file : " or "Cannot write
// PDF file : " + path and the system's reason; Status::cancelled() when progress was stopped.
ql::Status writeEInvoiceFile(ql::FileSystem& fs, EInvoiceForm form, const ql::Invoice& invoice,
                             const ql::InvoiceParties& parties, const QString& path,
                             const ql::FileSet* reading = nullptr, ql::Progress* progress = nullptr);

// What the save dialog of form asks: the document's name ("Invoice " + number) with ".xml"
// or ".pdf", the matching filter and suffix, starting in folder.
Modal::SaveRequest eInvoiceFileRequest(EInvoiceForm form, const QString& folder, const std::string& number);

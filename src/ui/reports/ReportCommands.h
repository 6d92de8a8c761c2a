#pragma once

#include "ui/common/CommandContext.h"

// History of charges (Ctrl+H): the history of the open file set, with the project tree as its
// project chooser. Print asks the views for the printed history (hint 1); then, whatever the
// ending, the totals and the week chart are refreshed (hints 3, 4), as frames may have been
// added, edited or removed. Nothing without an open set.
void history(const CommandContext& context);

// Invoice (Ctrl+I): the New invoice dialog, which issues the invoice. Print and To File...
// keep the request in the context's store, with the invoice and parties as issued; Print
// then asks the views for the printed invoice (hint 5), To File... writes the invoice text
// file where the save dialog says (folder of the set, name "Export", "txt"); E-invoice
// (XML)... and PDF with e-invoice... write the e-invoice, alone or inside the printed pages,
// where their save dialog says ("Invoice " + number, ".xml" or ".pdf"). Each file is written
// while the invoice is issued: a file that cannot be written is told and nothing is issued.
// Nothing without an open set.
void invoice(const CommandContext& context);

// Invoices...: the register of issued invoices (CInvoicesDlg). Its Reprint hands the invoice
// as issued to the print side (hint 5); its To File... and e-invoice buttons write it as issued. A register that cannot be read is told and no dialog
// opens. Nothing without an open set.
void issuedInvoices(const CommandContext& context);

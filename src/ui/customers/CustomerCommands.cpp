#include "ui/customers/CustomerCommands.h"

#include "ui/common/CommandIds.h"
#include "ui/common/Modal.h"
#include "ui/common/OpenDocument.h"
#include "ui/customers/CCustomersDlg.h"

void editCustomers(const CommandContext& context) {
    if (!context.document.fileSetOpen()) return;
    CCustomersDlg dlg(context.fileSystem, context.prompter,
                      context.document.fileSet(), context.parent);
    if (context.modal.runDialog(dlg) == QDialog::Accepted) context.document.notifyViews(hint::kPrintCustomers);
}

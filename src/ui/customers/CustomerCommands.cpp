#include "ui/customers/CustomerCommands.h"

#include "core/store/FileSet.h"
#include "ui/customers/CCustomersDlg.h"

bool editCustomers(QWidget* parent, ql::FileSystem& fs, Prompter& prompter, const QString& settingsPath) {
    const QString customersPath =
        QString::fromStdString(ql::fileSetPath(settingsPath.toStdString(), ql::FileKind::Customers));
    CCustomersDlg dlg(fs, prompter, customersPath, parent);
    return dlg.exec() == QDialog::Accepted;
}

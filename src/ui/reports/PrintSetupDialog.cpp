#include "ui/reports/PrintSetupDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>

PrintSetupDialog::PrintSetupDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent) {
    setWindowTitle(tr("Print Setup"));
    for (QDialogButtonBox* buttons : findChildren<QDialogButtonBox*>()) {
        if (QPushButton* accept = buttons->button(QDialogButtonBox::Ok)) accept->setText(tr("OK"));
    }
}

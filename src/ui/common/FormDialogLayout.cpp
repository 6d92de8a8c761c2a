#include "ui/common/FormDialogLayout.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

void layOutFormWithOkCancel(QDialog& dialog, QFormLayout* form, Qt::Alignment buttonsAlignment) {
    auto* buttons = new QDialogButtonBox(Qt::Vertical, &dialog);
    buttons->addButton(QDialogButtonBox::Ok)->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* row = new QHBoxLayout(&dialog);
    row->addLayout(form);
    row->addWidget(buttons, 0, buttonsAlignment);
}

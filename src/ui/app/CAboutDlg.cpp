#include "ui/app/CAboutDlg.h"

#include "ui/app/Icons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(const QStringList& sources, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Quillory95"));
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setPixmap(programIcon().pixmap(32, 32));
    auto* text = new QLabel(tr(kText), this);
    text->setObjectName(QStringLiteral("versionText"));
    auto* away = new QLabel(sources.isEmpty() ? tr("Away detection: no source in this session")
                                              : tr("Away detection: ") + sources.join(QStringLiteral(", ")),
                            this);
    away->setObjectName(QStringLiteral("awaySources"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(away);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

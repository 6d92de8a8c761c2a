#include "ui/tracking/CSelectRunningDlg.h"
#include "ui/common/CoreText.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "ui/common/Prompter.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CSelectRunningDlg::CSelectRunningDlg(ql::FileSystem& fs, Prompter& prompter, const ql::FileSet& set,
                                     std::vector<std::int32_t> ids, QWidget* parent)
    : QDialog(parent), m_ids(std::move(ids)), m_list(new QListWidget(this)) {
    setWindowTitle(tr("Select a running project"));
    m_list->setObjectName(QStringLiteral("runningList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(180, 80);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(QDialogButtonBox::Cancel);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { accept(); });

    auto* row = new QHBoxLayout(this);
    row->addWidget(m_list, 1);
    auto* column = new QVBoxLayout;
    column->addWidget(buttons);
    column->addStretch();
    row->addLayout(column);

    auto index = ql::ProjectIndex::load(fs, set.projects());
    if (!index) prompter.inform(QStringLiteral("Quillory"), coreText(index.status()),
                                Prompter::Icon::Warning);
    for (const std::int32_t id : m_ids)
        m_list->addItem(index ? QString::fromStdString(index->name(id)) : QString());
    if (m_list->count() > 0) m_list->setCurrentRow(0);
    m_list->setFocus();
}

void CSelectRunningDlg::accept() {
    const int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_ids.size())) return;
    m_chosenId = m_ids[static_cast<std::size_t>(row)];
    QDialog::accept();
}

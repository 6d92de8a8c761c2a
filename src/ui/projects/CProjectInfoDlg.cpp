#include "ui/projects/CProjectInfoDlg.h"
#include "ui/common/CoreText.h"

#include "ui_CProjectInfoDlg.h"

#include "collation/NameOrder.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Settings.h"
#include "core/text/NumberText.h"
#include "ui/common/Prompter.h"
#include "ui/common/FieldValidator.h"
#include "ui/common/RecordText.h"

#include <QListView>
#include <QStandardItemModel>

#include <algorithm>
#include <numeric>

namespace {

const QString kCaption = QStringLiteral("Quillory");

}  // namespace

CProjectInfoDlg::CProjectInfoDlg(ql::FileSystem& fs, Prompter& prompter, const ql::FileSet& set,
                                 const ql::ProjectRecord& record, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CProjectInfoDlg>()), m_record(record) {
    m_ui->setupUi(this);
    fillCustomers(fs, prompter, set.customers());
    m_ui->nameEdit->setText(fromRecordText(m_record.name));
    FieldValidator::install(m_ui->nameEdit, ql::ProjectRecord::kNameWidth);

    const auto settings = ql::readSettings(fs, set);
    const QString symbol = settings ? fromRecordText(settings->monetarySymbol) : QString();
    m_ui->chargesLabel->setText(tr("Charges per hour (%1) :").arg(symbol));
    m_ui->chargesEdit->setText(chargesText());
    m_ui->memoEdit->setPlainText(fromRecordLines(m_record.memo));
    m_ui->memoEdit->setFieldWidth(ql::ProjectRecord::kMemoWidth);

    connect(m_ui->doneButton, &QPushButton::clicked, this, &CProjectInfoDlg::accept);
    // A project without a name could not be seen or picked in the tree, as with a rename.
    const auto requireName = [this] { m_ui->doneButton->setEnabled(!m_ui->nameEdit->text().trimmed().isEmpty()); };
    connect(m_ui->nameEdit, &QLineEdit::textChanged, this, requireName);
    requireName();
    m_ui->nameEdit->setFocus();
}

CProjectInfoDlg::~CProjectInfoDlg() = default;

void CProjectInfoDlg::fillCustomers(ql::FileSystem& fs, Prompter& prompter, const std::string& customersPath) {
    QComboBox* combo = m_ui->customerCombo;
    auto customers = ql::loadCustomers(fs, customersPath);
    if (!customers) {
        prompter.inform(kCaption, coreText(customers.status()));
        combo->setCurrentIndex(-1);
        return;
    }
    std::vector<QString> names;
    names.reserve(customers->size());
    for (const auto& c : *customers) names.push_back(fromRecordText(c.name));
    std::vector<std::size_t> byName(names.size());
    std::iota(byName.begin(), byName.end(), std::size_t{0});
    const ql::NameOrder order;
    std::stable_sort(byName.begin(), byName.end(),
                     [&](std::size_t a, std::size_t b) { return order(names[a], names[b]); });

    // One model filled off the combo box: thousands of customers open at once.
    auto* model = new QStandardItemModel(combo);
    int selected = -1;
    for (std::size_t i : byName) {
        const auto& c = (*customers)[i];
        // The project's own customer is found by its id: a name shared by two customers
        // (or differing only in case) must not rebill the project to the other one.
        if (selected < 0 && m_record.customerId >= 0 && c.id == m_record.customerId) selected = model->rowCount();
        auto* item = new QStandardItem(names[i]);
        item->setData(QVariant::fromValue(c.id), Qt::UserRole);
        model->appendRow(item);
    }
    if (auto* view = qobject_cast<QListView*>(combo->view())) view->setUniformItemSizes(true);
    combo->setModel(model);
    combo->setCurrentIndex(selected);
}

QString CProjectInfoDlg::chargesText() const {
    return QString::fromStdString(ql::fixed2Text(m_record.chargesPerHour));
}

void CProjectInfoDlg::accept() {
    using R = ql::ProjectRecord;
    const QString name = m_ui->nameEdit->text();
    if (name.trimmed().isEmpty()) return;
    // Only what the user changed is replaced: the record's own texts may not come back
    // exactly from their display form, and "%.2f" shows a rate of 12.345 as 12.35.
    if (name != fromRecordText(m_record.name)) m_record.name = toRecordText(name, R::kNameWidth);
    if (m_ui->customerCombo->currentIndex() >= 0)
        m_record.customerId = m_ui->customerCombo->currentData().value<std::int32_t>();
    if (m_ui->chargesEdit->text() != chargesText())
        m_record.chargesPerHour = ql::typedDecimal(m_ui->chargesEdit->text().toStdString());
    const QString memo = m_ui->memoEdit->toPlainText();
    if (memo != fromRecordLines(m_record.memo)) m_record.memo = toRecordLines(memo, R::kMemoWidth);
    QDialog::accept();
}

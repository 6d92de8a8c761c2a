#include "ui/customers/CCustomersDlg.h"
#include "ui/common/CoreText.h"

#include "ui_CCustomersDlg.h"

#include "core/store/BillingDetails.h"
#include "core/store/Customers.h"
#include "ui/common/ListKeys.h"
#include "ui/common/Prompter.h"
#include "ui/common/RecordText.h"
#include "ui/customers/CCustomerInfoDlg.h"

#include <QEvent>
#include <QHeaderView>
#include <QLocale>
#include <QTreeWidget>

namespace {

const QString kCaption = QStringLiteral("Quillory");

struct ColumnLayout {
    const char* heading;
    int width;
};
constexpr ColumnLayout kColumns[CCustomersDlg::kColumnCount] = {
    {QT_TRANSLATE_NOOP("CCustomersDlg", "Customer"), 120}, {QT_TRANSLATE_NOOP("CCustomersDlg", "Address"), 200},
    {QT_TRANSLATE_NOOP("CCustomersDlg", "City"), 100},     {QT_TRANSLATE_NOOP("CCustomersDlg", "ZIP"), 50},
    {QT_TRANSLATE_NOOP("CCustomersDlg", "State"), 50},     {QT_TRANSLATE_NOOP("CCustomersDlg", "Country"), 100},
    {QT_TRANSLATE_NOOP("CCustomersDlg", "Phone"), 100},
};

// A row that sorts by the locale's case-insensitive collation of the sorted column.
class CustomerItem final : public QTreeWidgetItem {
public:
    CustomerItem(const QCollator& collator, int index) : m_collator(collator) {
        setData(0, Qt::UserRole, index);
    }
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return m_collator.compare(text(column), other.text(column)) < 0;
    }

private:
    const QCollator& m_collator;
};

}  // namespace

CCustomersDlg::CCustomersDlg(ql::FileSystem& fs, Prompter& prompter, const ql::FileSet& set, QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::CCustomersDlg>()),
      m_fs(fs),
      m_prompter(prompter),
      m_set(set),
      m_collator(QLocale()) {
    m_ui->setupUi(this);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);

    m_editor = [this](const ql::CustomerRecord& record,
                      const ql::CustomerDetails& details) -> std::optional<EditedCustomer> {
        CCustomerInfoDlg dlg(record, details, &m_prompter, this);
        if (dlg.exec() != QDialog::Accepted) return std::nullopt;
        return EditedCustomer{dlg.record(), dlg.details()};
    };

    QTreeWidget* list = m_ui->customerList;
    QStringList headings;
    for (const auto& c : kColumns) headings << tr(c.heading);
    list->setColumnCount(kColumnCount);
    list->setHeaderLabels(headings);
    for (int i = 0; i < kColumnCount; ++i) list->setColumnWidth(i, kColumns[i].width);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(true);
    connect(list->header(), &QHeaderView::sectionClicked, this, &CCustomersDlg::sortByColumn);
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);

    connect(m_ui->addButton, &QPushButton::clicked, this, &CCustomersDlg::addCustomer);
    connect(m_ui->updateButton, &QPushButton::clicked, this, &CCustomersDlg::updateCustomer);
    connect(m_ui->removeButton, &QPushButton::clicked, this, &CCustomersDlg::removeCustomers);
    connect(m_ui->printButton, &QPushButton::clicked, this, &CCustomersDlg::accept);
    connect(m_ui->exitButton, &QPushButton::clicked, this, &CCustomersDlg::reject);

    reload();
    list->setFocus();
}

CCustomersDlg::~CCustomersDlg() = default;

void CCustomersDlg::setCustomerEditor(CustomerEditor editor) {
    m_editor = [editor = std::move(editor)](const ql::CustomerRecord& record,
                                            const ql::CustomerDetails& details) -> std::optional<EditedCustomer> {
        auto edited = editor ? editor(record) : std::nullopt;
        if (!edited) return std::nullopt;
        return EditedCustomer{*edited, details};
    };
}

void CCustomersDlg::setCustomerDetailsEditor(CustomerDetailsEditor editor) {
    m_editor = std::move(editor);
}

QTreeWidget* CCustomersDlg::list() const {
    return m_ui->customerList;
}

const ql::CustomerRecord* CCustomersDlg::customerOfRow(int row) const {
    const QTreeWidgetItem* item = m_ui->customerList->topLevelItem(row);
    if (!item) return nullptr;
    const int index = item->data(0, Qt::UserRole).toInt();
    return index >= 0 && static_cast<std::size_t>(index) < m_customers.size() ? &m_customers[static_cast<std::size_t>(index)]
                                                                              : nullptr;
}

void CCustomersDlg::report(const ql::Status& status) {
    m_prompter.inform(kCaption, coreText(status));
}

void CCustomersDlg::reload() {
    QTreeWidget* list = m_ui->customerList;
    list->clear();
    m_customers.clear();
    auto loaded = ql::loadCustomers(m_fs, m_set.customers());
    if (!loaded) {
        report(loaded.status());
        return;
    }
    m_customers = std::move(loaded).value();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(m_customers.size()));
    for (std::size_t i = 0; i < m_customers.size(); ++i) {
        const auto& c = m_customers[i];
        auto* row = new CustomerItem(m_collator, static_cast<int>(i));
        row->setText(kName, fromRecordText(c.name));
        row->setText(kAddress, fromRecordText(c.address));
        row->setText(kCity, fromRecordText(c.city));
        row->setText(kZip, fromRecordText(c.zip));
        row->setText(kState, fromRecordText(c.state));
        row->setText(kCountry, fromRecordText(c.country));
        row->setText(kPhone, fromRecordText(c.phone));
        rows.append(row);
    }
    list->addTopLevelItems(rows);
    sortByColumn(kName);
}

void CCustomersDlg::sortByColumn(int column) {
    if (column < 0 || column >= kColumnCount) return;
    // Always ascending, even when the header flipped its indicator on a second click.
    m_ui->customerList->sortItems(column, Qt::AscendingOrder);
}

void CCustomersDlg::addCustomer() {
    ql::CustomerRecord fresh;
    fresh.id = 0;
    fresh.name = tr("New Customer").toStdString();
    std::optional<EditedCustomer> edited = m_editor ? m_editor(fresh, {}) : std::nullopt;
    if (!edited) return;
    // The id is taken only now, from the file as it is after the user's edit, in the same
    // locked operation as the append so no other writer can take it in between.
    if (const auto id = ql::addCustomerWithDetails(m_fs, edited->record, edited->details, m_set); !id)
        report(id.status());
    reload();
}

void CCustomersDlg::updateCustomer() {
    QTreeWidget* list = m_ui->customerList;
    const ql::CustomerRecord* chosen = nullptr;
    for (int row = 0; row < list->topLevelItemCount() && !chosen; ++row)
        if (list->topLevelItem(row)->isSelected()) chosen = customerOfRow(row);
    if (!chosen) return;
    // Damaged details are reported, never shown as empty and written back over.
    const auto details = ql::readCustomerDetails(m_fs, m_set, chosen->id);
    if (!details) return report(details.status());
    std::optional<EditedCustomer> edited = m_editor ? m_editor(*chosen, *details) : std::nullopt;
    if (!edited) return;
    edited->record.id = chosen->id;
    // Nothing to write for a customer confirmed unchanged: its record stays as it is on
    // disk, byte for byte, and where it is in the file.
    if (edited->record == *chosen && edited->details == *details) return;
    // One rewrite drops the old record and appends the new one: a failure loses neither.
    ql::Status st;
    if (edited->record != *chosen) st = ql::updateCustomer(m_fs, edited->record, m_set.customers());
    if (st && edited->details != *details) st = ql::writeCustomerDetails(m_fs, m_set, chosen->id, edited->details);
    if (!st) report(st);
    reload();
}

void CCustomersDlg::removeCustomers() {
    if (!m_prompter.ask(tr("Confirmation"), tr("Are you sure you want to remove the selected items?")))
        return;
    QTreeWidget* list = m_ui->customerList;
    std::vector<std::int32_t> ids;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        if (list->topLevelItem(row)->isSelected())
            if (const ql::CustomerRecord* c = customerOfRow(row)) ids.push_back(c->id);
    if (!ids.empty())
        if (const ql::Status st = ql::removeCustomersWithDetails(m_fs, ids, m_set); !st) report(st);
    reload();
}

// A double-click anywhere in the list, even below the rows, and Enter update the first
// selected customer; Delete removes the selection.
bool CCustomersDlg::eventFilter(QObject* watched, QEvent* event) {
    QTreeWidget* list = m_ui->customerList;
    if (watched == list->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        updateCustomer();
        return true;
    }
    if (watched == list && handleListEditKeys(event, [this] { updateCustomer(); }, [this] { removeCustomers(); }))
        return true;
    return QDialog::eventFilter(watched, event);
}

#include "ui/reports/HistoryModel.h"

#include "ui/common/RecordText.h"

const HistoryModel::ColumnLayout HistoryModel::kColumns[kColumnCount] = {
    {QT_TRANSLATE_NOOP("HistoryModel", "Project"), Qt::AlignLeft | Qt::AlignVCenter, 171},
    {QT_TRANSLATE_NOOP("HistoryModel", "Date"), Qt::AlignLeft | Qt::AlignVCenter, 60},
    {QT_TRANSLATE_NOOP("HistoryModel", "Time"), Qt::AlignLeft | Qt::AlignVCenter, 60},
    {QT_TRANSLATE_NOOP("HistoryModel", "Time charged"), Qt::AlignRight | Qt::AlignVCenter, 80},
    {QT_TRANSLATE_NOOP("HistoryModel", "Charges"), Qt::AlignRight | Qt::AlignVCenter, 80},
    {QT_TRANSLATE_NOOP("HistoryModel", "Invoice"), Qt::AlignLeft | Qt::AlignVCenter, 80},
};

HistoryModel::HistoryModel(QObject* parent) : QAbstractTableModel(parent) {}

void HistoryModel::setHistory(ql::HistoryItems history, bool monthFirst, const std::string& monetarySymbol) {
    beginResetModel();
    m_history = std::move(history);
    m_invoiceOf = nullptr;
    m_order.resize(m_history.items.size());
    for (std::size_t i = 0; i < m_order.size(); ++i) m_order[i] = static_cast<std::int32_t>(i);
    m_monthFirst = monthFirst;
    m_symbol = monetarySymbol;
    m_names.clear();
    m_names.reserve(m_history.projects.size());
    for (const auto& p : m_history.projects) m_names.push_back(fromRecordText(p.name));
    // The few project names are collated once; the rows then sort by integer rank.
    m_nameRanks = ql::rankProjectNames(m_history.projects, m_nameOrder);
    endResetModel();
}

void HistoryModel::sortByColumn(int column) {
    beginResetModel();
    m_order = ql::sortedHistoryOrder(m_history, column, m_nameRanks);
    endResetModel();
}

void HistoryModel::setInvoices(InvoiceOfItem numberOf) {
    m_invoiceOf = std::move(numberOf);
    if (rowCount() > 0) emit dataChanged(index(0, kInvoice), index(rowCount() - 1, kInvoice));
}

QString HistoryModel::projectName(int row) const {
    return m_names[static_cast<std::size_t>(item(row).project)];
}

QString HistoryModel::text(int row, int column) const {
    const ql::HistoryItem& it = item(row);
    switch (column) {
    case kProject: return projectName(row);
    case kDate: return QString::fromLatin1(ql::historyDateText(it, m_monthFirst));
    case kTime: return QString::fromLatin1(ql::historyTimeText(it));
    case kTimeCharged: return QString::fromLatin1(ql::historySpanText(it));
    case kCharges: return fromRecordText(ql::historyChargeText(it, m_symbol));
    case kInvoice: return m_invoiceOf ? m_invoiceOf(it) : QString();
    default: return {};
    }
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_history.items.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount) return {};
    if (role == Qt::DisplayRole) return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(kColumns[index.column()].alignment);
    return {};
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole) return tr(kColumns[section].heading);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(kColumns[section].alignment);
    return {};
}

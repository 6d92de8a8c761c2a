#pragma once

#include <functional>

#include "collation/NameOrder.h"
#include "core/reports/HistoryItems.h"

#include <QAbstractTableModel>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

// The rows of the history of charges over the loaded items: the texts of the five columns
// are made when a row is shown, so a year of rows costs no widget and no text per row.
class HistoryModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column : int { kProject, kDate, kTime, kTimeCharged, kCharges, kInvoice, kColumnCount };

    explicit HistoryModel(QObject* parent = nullptr);

    // Replaces the rows, in file order; monthFirst and monetarySymbol (UTF-8) shape the
    // Date and Charges texts. Project names are ranked once by NameOrder for sorting.
    void setHistory(ql::HistoryItems history, bool monthFirst, const std::string& monetarySymbol);
    // The Invoice column: numberOf gives the number of the issued invoice that billed an item,
    // empty for an unbilled one; asked only for the rows shown. All empty until given.
    using InvoiceOfItem = std::function<QString(const ql::HistoryItem& item)>;
    void setInvoices(InvoiceOfItem numberOf);
    // Ascending by column (CompareHistoryItems); equal keys keep their order.
    void sortByColumn(int column);

    const ql::HistoryItems& history() const { return m_history; }
    // The item a row shows.
    const ql::HistoryItem& item(int row) const {
        return m_history.items[static_cast<std::size_t>(m_order[static_cast<std::size_t>(row)])];
    }
    QString projectName(int row) const;
    QString text(int row, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Heading, alignment and width in pixels of each column.
    struct ColumnLayout {
        const char* heading;
        Qt::Alignment alignment;
        int width;
    };
    static const ColumnLayout kColumns[kColumnCount];

private:
    ql::HistoryItems m_history;
    std::vector<std::int32_t> m_order;  // row -> index into m_history.items
    std::vector<std::int32_t> m_nameRanks;
    std::vector<QString> m_names;  // per project of m_history
    InvoiceOfItem m_invoiceOf;
    bool m_monthFirst = true;
    std::string m_symbol;
    ql::NameOrder m_nameOrder;
};

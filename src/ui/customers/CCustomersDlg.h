#pragma once

#include "core/store/BillingDetails.h"
#include "core/store/CustomerRecord.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"

#include <QCollator>
#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Prompter;
class QTreeWidget;
namespace Ui {
class CCustomersDlg;
}

// The customer list: every customer of the set in a table sortable by any column. Add,
// Update and Remove write the customers file at once and reload the table from it.
// Print ends the dialog with Accepted (the caller prints the list from the file); Exit
// ends it with Rejected.
class CCustomersDlg : public QDialog {
    Q_OBJECT
public:
    enum Column : int { kName, kAddress, kCity, kZip, kState, kCountry, kPhone, kColumnCount };

    // Edits a customer; the edited copy, or nullopt when the user cancelled.
    using CustomerEditor = std::function<std::optional<ql::CustomerRecord>(const ql::CustomerRecord&)>;
    // A customer with its billing details, as the customer information dialog edits them.
    struct EditedCustomer {
        ql::CustomerRecord record;
        ql::CustomerDetails details;
    };
    using CustomerDetailsEditor =
        std::function<std::optional<EditedCustomer>(const ql::CustomerRecord&, const ql::CustomerDetails&)>;

    // Reads the customers file of set (kept as a copy); a failure is reported through prompter and
    // leaves the table empty.
    CCustomersDlg(ql::FileSystem& fs, Prompter& prompter, const ql::FileSet& set, QWidget* parent = nullptr);
    ~CCustomersDlg() override;

    // Replaces the customer information dialog used by Add and Update; the billing details
    // pass through it unchanged.
    void setCustomerEditor(CustomerEditor editor);
    // The same for an editor of the billing details too.
    void setCustomerDetailsEditor(CustomerDetailsEditor editor);
    QTreeWidget* list() const;
    // The customers as last read, in file order.
    const std::vector<ql::CustomerRecord>& customers() const { return m_customers; }
    // The customer a row shows, or nullptr.
    const ql::CustomerRecord* customerOfRow(int row) const;

    // Puts the rows in ascending order of column, compared case-insensitively by the
    // user's locale; rows that compare equal keep their order.
    void sortByColumn(int column);

    // Add: edits a new customer and appends it with the next free id.
    void addCustomer();
    // Update: edits the first selected row's customer and rewrites it, moved to the end;
    // a customer confirmed without a change is not written. Its billing details are read
    // first (a file that cannot be read is reported and nothing is edited) and rewritten when
    // they changed.
    void updateCustomer();
    // Remove: after the question, removes every selected customer in one rewrite, then their
    // billing details.
    void removeCustomers();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reload();
    void report(const ql::Status& status);

    std::unique_ptr<Ui::CCustomersDlg> m_ui;
    ql::FileSystem& m_fs;
    Prompter& m_prompter;
    ql::FileSet m_set;
    CustomerDetailsEditor m_editor;
    std::vector<ql::CustomerRecord> m_customers;
    QCollator m_collator;
};

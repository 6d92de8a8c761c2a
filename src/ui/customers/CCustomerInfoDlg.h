#pragma once

#include "core/store/BillingDetails.h"
#include "core/store/CustomerRecord.h"

#include <QDialog>

#include <memory>

class Prompter;
namespace Ui {
class CCustomerInfoDlg;
}

// Edits the text fields of one customer on its own copy of the record, and its billing details
// below them; never touches a file. Each edit takes only what its record field can store,
// refusing the rest as it is typed. A billing detail that is not well formed is refused on OK,
// through prompter, naming the field; the dialog stays open.
class CCustomerInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCustomerInfoDlg(const ql::CustomerRecord& record, QWidget* parent = nullptr);
    CCustomerInfoDlg(const ql::CustomerRecord& record, const ql::CustomerDetails& details, Prompter* prompter,
                     QWidget* parent = nullptr);
    ~CCustomerInfoDlg() override;

    // The customer with the edits stored by OK; as given until then. Only the fields whose
    // text the user changed are replaced, so a customer confirmed unchanged comes back equal.
    // The id is carried through unchanged.
    const ql::CustomerRecord& record() const { return m_record; }
    // The billing details as stored by OK (checked, in their stored form); as given until then.
    const ql::CustomerDetails& details() const { return m_details; }

public slots:
    void accept() override;

private:
    std::unique_ptr<Ui::CCustomerInfoDlg> m_ui;
    ql::CustomerRecord m_record;
    ql::CustomerDetails m_details;
    Prompter* m_prompter = nullptr;
};

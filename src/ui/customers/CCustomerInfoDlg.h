#pragma once

#include "core/store/CustomerRecord.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CCustomerInfoDlg;
}

// Edits the text fields of one customer on its own copy of the record; never touches a file.
// Each edit takes only what its record field can store, refusing the rest as it is typed.
class CCustomerInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCustomerInfoDlg(const ql::CustomerRecord& record, QWidget* parent = nullptr);
    ~CCustomerInfoDlg() override;

    // The customer with the edits stored by OK; as given until then. Only the fields whose
    // text the user changed are replaced, so a customer confirmed unchanged comes back equal.
    // The id is carried through unchanged.
    const ql::CustomerRecord& record() const { return m_record; }

public slots:
    void accept() override;

private:
    std::unique_ptr<Ui::CCustomerInfoDlg> m_ui;
    ql::CustomerRecord m_record;
};

#pragma once

#include "core/store/CustomerRecord.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CCustomerInfoDlg;
}

// Edits the text fields of one customer on its own copy of the record; never touches a file.
class CCustomerInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCustomerInfoDlg(const ql::CustomerRecord& record, QWidget* parent = nullptr);
    ~CCustomerInfoDlg() override;

    // The customer with the edits stored by OK, each field cut to what its record field
    // holds; as given until then. The id is carried through unchanged.
    const ql::CustomerRecord& record() const { return m_record; }

public slots:
    void accept() override;

private:
    std::unique_ptr<Ui::CCustomerInfoDlg> m_ui;
    ql::CustomerRecord m_record;
};

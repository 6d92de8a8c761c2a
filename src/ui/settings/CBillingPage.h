#pragma once

#include "core/Status.h"
#include "core/store/BillingDetails.h"

#include <QWidget>

#include <memory>
#include <string>

class QLineEdit;
namespace Ui {
class CBillingPage;
}

// Billing: the seller's details an invoice carries (tax numbers, bank account, payment terms,
// currency, VAT exemption). Holds no file: the sheet fills it and reads it back.
class CBillingPage final : public QWidget {
    Q_OBJECT
public:
    explicit CBillingPage(QWidget* parent = nullptr);
    ~CBillingPage() override;

    // Shows details; an empty currency shows the code proposed for monetarySymbol.
    void fill(const ql::BillingDetails& details, const std::string& monetarySymbol);
    // The details as typed, each field in its stored form; the first field that is not well
    // formed is refused (InvalidArgument, its message naming the field), focused and selected.
    ql::Result<ql::BillingDetails> readBack();
    // The edit of one field, by object name ("ibanEdit"), for tests.
    QLineEdit* edit(const char* objectName) const;

private:
    std::unique_ptr<Ui::CBillingPage> m_ui;
};

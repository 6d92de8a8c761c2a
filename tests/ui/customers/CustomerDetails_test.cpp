#include "ui/customers/CCustomerInfoDlg.h"
#include "ui/customers/CCustomersDlg.h"

#include "core/store/BillingDetails.h"
#include "core/store/Customers.h"
#include "ui/RecordingPrompter.h"
#include "ui/TabOrder.h"
#include "ui/TempFileSet.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <fstream>

namespace {

QLineEdit* edit(QDialog& dlg, const char* name) {
    auto* e = dlg.findChild<QLineEdit*>(QString::fromLatin1(name));
    EXPECT_NE(e, nullptr) << name;
    return e;
}

ql::CustomerRecord acme() {
    ql::CustomerRecord c;
    c.id = 4;
    c.name = "Acme";
    return c;
}

TEST(CustomerInfoDetails, FollowTheRecordFieldsInTabOrderAndAreCheckedOnOk) {
    RecordingPrompter prompter;
    CCustomerInfoDlg dlg(acme(), {"AT", "ATU12345678", "", ""}, &prompter);
    EXPECT_EQ(edit(dlg, "vatIdEdit")->text(), QStringLiteral("ATU12345678"));
    // The record's own fields come first: after OK, Tab reaches the billing details.
    EXPECT_EQ(nextTabStop(dlg.findChild<QPushButton*>(QStringLiteral("okButton"))), edit(dlg, "countryCodeEdit"));
    EXPECT_EQ(nextTabStop(edit(dlg, "countryCodeEdit")), edit(dlg, "vatIdEdit"));
    EXPECT_EQ(nextTabStop(dlg.findChild<QWidget*>(QStringLiteral("notesEdit"))),
              dlg.findChild<QPushButton*>(QStringLiteral("cancelButton")));

    const std::pair<const char*, const char*> refusals[] = {
        {"vatIdEdit", "VAT number: "}, {"countryCodeEdit", "Country code: "}, {"emailEdit", "E-mail: "}};
    for (const auto& [name, prefix] : refusals) {
        prompter.boxes.clear();
        edit(dlg, name)->setText(QStringLiteral("no good@"));
        dlg.accept();
        ASSERT_EQ(prompter.boxes.size(), 1u) << name;
        EXPECT_TRUE(prompter.boxes[0].text.startsWith(QString::fromLatin1(prefix))) << prompter.boxes[0].text.toStdString();
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.details(), (ql::CustomerDetails{"AT", "ATU12345678", "", ""}));
        edit(dlg, name)->clear();
    }
    edit(dlg, "countryCodeEdit")->setText(QStringLiteral("fr"));
    edit(dlg, "vatIdEdit")->setText(QStringLiteral("fr 12345678901"));
    edit(dlg, "emailEdit")->setText(QStringLiteral("ap@acme.example"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.details(), (ql::CustomerDetails{"FR", "FR12345678901", "ap@acme.example", ""}));
    EXPECT_EQ(dlg.record(), acme());
}

class CustomersWithDetails : public ::testing::Test {
protected:
    std::unique_ptr<CCustomersDlg> open() {
        auto dlg = std::make_unique<CCustomersDlg>(ql::defaultFileSystem(), m_prompter, m_set.fileSet());
        dlg->setCustomerDetailsEditor([this](const ql::CustomerRecord& r, const ql::CustomerDetails& d)
                                          -> std::optional<CCustomersDlg::EditedCustomer> {
            m_shown.push_back(d);
            return CCustomersDlg::EditedCustomer{r, m_answer};
        });
        return dlg;
    }
    void selectAll(CCustomersDlg& dlg) {
        for (int row = 0; row < dlg.list()->topLevelItemCount(); ++row) dlg.list()->topLevelItem(row)->setSelected(true);
    }
    ql::Result<ql::CustomerDetails> storedFor(std::int32_t id) {
        return ql::readCustomerDetails(ql::defaultFileSystem(), m_set.fileSet(), id);
    }

    TempFileSet m_set;
    RecordingPrompter m_prompter;
    ql::CustomerDetails m_answer;
    std::vector<ql::CustomerDetails> m_shown;
};

TEST_F(CustomersWithDetails, AddUpdateAndRemoveKeepTheDetailsWithTheirCustomer) {
    auto dlg = open();
    m_answer = {"DE", "DE123456789", "", "PO-1"};
    dlg->addCustomer();
    ASSERT_EQ(dlg->customers().size(), 1u);
    const std::int32_t id = dlg->customers()[0].id;
    EXPECT_EQ(*storedFor(id), m_answer);

    // Update shows what is stored and writes what was edited.
    m_answer.email = "bills@example.com";
    selectAll(*dlg);
    dlg->updateCustomer();
    ASSERT_EQ(m_shown.size(), 2u);
    EXPECT_EQ(m_shown[1], (ql::CustomerDetails{"DE", "DE123456789", "", "PO-1"}));
    EXPECT_EQ(*storedFor(id), m_answer);

    // Removed with its customer, so a later customer of the same id starts without them.
    selectAll(*dlg);
    dlg->removeCustomers();
    EXPECT_TRUE(dlg->customers().empty());
    EXPECT_TRUE(storedFor(id)->empty());
    m_answer = {};
    dlg->addCustomer();
    ASSERT_EQ(dlg->customers().size(), 1u);
    EXPECT_TRUE(storedFor(dlg->customers()[0].id)->empty());
}

TEST_F(CustomersWithDetails, DamagedDetailsAreReportedBeforeAnythingIsEdited) {
    ASSERT_TRUE(ql::appendCustomer(ql::defaultFileSystem(), acme(), m_set.fileSet()));
    const std::vector<char> garbage = {'Q', 'L', 'B', 'C', 1};
    {
        std::ofstream out(m_set.path(ql::FileKind::CustomerBilling), std::ios::binary);
        out.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    auto dlg = open();
    selectAll(*dlg);
    dlg->updateCustomer();
    EXPECT_TRUE(m_shown.empty());
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_TRUE(m_prompter.boxes[0].text.contains(QStringLiteral("customer billing details")));
    EXPECT_EQ(TempFileSet::bytes(m_set.path(ql::FileKind::CustomerBilling)), garbage);
}

}  // namespace

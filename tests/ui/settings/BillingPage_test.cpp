#include "ui/settings/CBillingPage.h"
#include "ui/settings/CPropertiesSheet.h"

#include "ui/TabOrder.h"
#include "ui/TempFileSet.h"
#include "ui/app/ShellFixture.h"

#include "core/store/BillingDetails.h"
#include "core/store/Settings.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace {

class BillingPage : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        m_path = makeFileSet(QStringLiteral("Work.qlr")).toStdString();
    }
    std::unique_ptr<CPropertiesSheet> openOnBilling() {
        auto s = std::make_unique<CPropertiesSheet>(ql::defaultFileSystem(), prompter, &help, ql::FileSet(m_path),
                                                    ql::defaultSettings("$", true));
        s->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(s.get()));
        s->tabs()->setCurrentIndex(3);
        return s;
    }
    // Types into the page's edit as the keyboard would.
    void retype(CPropertiesSheet& s, const char* name, const QString& text) {
        QLineEdit* e = s.billingPage().edit(name);
        ASSERT_NE(e, nullptr) << name;
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
    void pressOk(CPropertiesSheet& s) { s.buttons()->button(QDialogButtonBox::Ok)->click(); }
    ql::FileSet set() const { return ql::FileSet(m_path); }

    std::string m_path;
};

TEST_F(BillingPage, IsTheLastPageWithLabelledFieldsAndProposesTheCurrency) {
    auto s = openOnBilling();
    EXPECT_EQ(s->tabs()->tabText(3), QStringLiteral("Billing"));
    // Every edit has a label that leads to it, and they are reached by Tab in page order.
    const char* order[] = {"countryCodeEdit", "vatIdEdit", "taxNumberEdit", "registrationEdit", "ibanEdit",
                           "bicEdit", "paymentTermsEdit", "currencyCodeEdit", "exemptionReasonEdit",
                           "exemptionCodeEdit"};
    for (const char* name : order) {
        QLineEdit* e = s->billingPage().edit(name);
        ASSERT_NE(e, nullptr) << name;
        bool labelled = false;
        for (QLabel* label : s->billingPage().findChildren<QLabel*>()) labelled = labelled || label->buddy() == e;
        EXPECT_TRUE(labelled) << name;
    }
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        EXPECT_EQ(nextTabStop(s->billingPage().edit(order[i])), s->billingPage().edit(order[i + 1])) << order[i];
    EXPECT_EQ(s->billingPage().edit("currencyCodeEdit")->text(), QStringLiteral("USD"));  // from "$"
    // Looked at and left alone: nothing to store, no file made.
    pressOk(*s);
    EXPECT_FALSE(std::filesystem::exists(set().billing()));
}

TEST_F(BillingPage, ABadIbanIsRefusedNamingTheFieldAndAGoodOneIsStored) {
    auto s = openOnBilling();
    retype(*s, "ibanEdit", QStringLiteral("GB82 WEST 1234 5698 7654 33"));
    retype(*s, "paymentTermsEdit", QStringLiteral("30"));
    s->tabs()->setCurrentIndex(0);
    const auto settingsBefore = TempFileSet::bytes(m_path);
    pressOk(*s);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(prompter.boxes[0].text.startsWith(QStringLiteral("IBAN: "))) << prompter.boxes[0].text.toStdString();
    EXPECT_TRUE(s->isVisible());
    EXPECT_EQ(s->tabs()->currentIndex(), 3);  // shown where the field is
    EXPECT_EQ(QApplication::focusWidget(), s->billingPage().edit("ibanEdit"));
    EXPECT_FALSE(std::filesystem::exists(set().billing()));
    EXPECT_EQ(TempFileSet::bytes(m_path), settingsBefore);

    retype(*s, "ibanEdit", QStringLiteral("GB82 WEST 1234 5698 7654 32"));
    pressOk(*s);
    EXPECT_EQ(prompter.boxes.size(), 1u);
    EXPECT_FALSE(s->isVisible());
    auto stored = ql::readBillingDetails(ql::defaultFileSystem(), set());
    ASSERT_TRUE(stored) << stored.status().message();
    EXPECT_EQ(stored->iban, "GB82WEST12345698765432");
    EXPECT_EQ(stored->paymentTerms, "30");
    EXPECT_EQ(stored->currencyCode, "USD");
}

TEST_F(BillingPage, DamagedDetailsAreReportedAndNeverWrittenOver) {
    const std::vector<char> garbage = {'Q', 'L', 'B', 'D', 9, 9};
    {
        std::ofstream out(set().billing(), std::ios::binary);
        out.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    auto s = openOnBilling();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(prompter.boxes[0].text.startsWith(
        QString::fromStdString(ql::englishText(ql::billingReadMessage(set().billing())))));
    EXPECT_FALSE(s->billingPage().isEnabled());
    pressOk(*s);
    EXPECT_FALSE(s->isVisible());
    EXPECT_EQ(TempFileSet::bytes(set().billing()), garbage);
}

}  // namespace

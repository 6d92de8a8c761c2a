#include "ui/customers/CCustomerInfoDlg.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QLineEdit* edit(QDialog& dlg, const char* name) {
    auto* e = dlg.findChild<QLineEdit*>(QString::fromLatin1(name));
    EXPECT_NE(e, nullptr) << name;
    return e;
}

ql::CustomerRecord sample() {
    ql::CustomerRecord c;
    c.id = 41;
    c.name = "Acme";
    c.address = "1 Main St";
    c.city = "Springfield";
    c.zip = "12345";
    c.state = "IL";
    c.country = "USA";
    c.phone = "555-0100";
    c.notes = "Pays late\r\nCall first";
    return c;
}

TEST(CustomerInfo, ShowsEveryFieldAndCarriesTheIdThrough) {
    CCustomerInfoDlg dlg(sample());
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Customer info"));
    EXPECT_EQ(edit(dlg, "cityEdit")->text(), QStringLiteral("Springfield"));
    EXPECT_EQ(dlg.findChild<QPlainTextEdit*>(QStringLiteral("notesEdit"))->toPlainText(),
              QStringLiteral("Pays late\nCall first"));
    dlg.accept();
    EXPECT_EQ(dlg.record(), sample());
}

TEST(CustomerInfo, FieldsAreCutToWhatTheirRecordFieldsHold) {
    CCustomerInfoDlg dlg(sample());
    const std::pair<const char*, int> limits[] = {{"nameEdit", 60},    {"addressEdit", 60}, {"zipEdit", 30},
                                                  {"stateEdit", 30},   {"cityEdit", 30},    {"countryEdit", 30},
                                                  {"phoneEdit", 30}};
    for (const auto& [name, limit] : limits) {
        QLineEdit* e = edit(dlg, name);
        e->clear();
        QTest::keyClicks(e, QString(limit + 10, QLatin1Char('x')));
        EXPECT_EQ(e->text().size(), limit) << name;
    }
    // Characters beyond ASCII take more than one byte: the field still holds at most its width.
    edit(dlg, "zipEdit")->setText(QString(20, QChar(0x00E9)));
    dlg.findChild<QPlainTextEdit*>(QStringLiteral("notesEdit"))->setPlainText(QString(1200, QLatin1Char('n')));
    dlg.accept();
    const ql::CustomerRecord& r = dlg.record();
    EXPECT_EQ(r.name, std::string(60, 'x'));
    EXPECT_EQ(r.phone, std::string(30, 'x'));
    EXPECT_EQ(r.zip, QString(20, QChar(0x00E9)).toStdString());  // 20 bytes in its 8-bit form
    EXPECT_EQ(r.notes, std::string(1000, 'n'));
}

TEST(CustomerInfo, NotesKeepTheirLineBreaksAsCrLf) {
    CCustomerInfoDlg dlg(sample());
    dlg.findChild<QPlainTextEdit*>(QStringLiteral("notesEdit"))->setPlainText(QStringLiteral("one\ntwo\n\nthree"));
    dlg.accept();
    EXPECT_EQ(dlg.record().notes, "one\r\ntwo\r\n\r\nthree");
}

TEST(CustomerInfo, CancelLeavesTheRecordAsGiven) {
    CCustomerInfoDlg dlg(sample());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    edit(dlg, "nameEdit")->setText(QStringLiteral("Other"));
    QTest::keyClick(edit(dlg, "nameEdit"), Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(dlg.record(), sample());
}

}  // namespace

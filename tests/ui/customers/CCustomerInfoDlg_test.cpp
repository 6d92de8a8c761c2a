#include "ui/customers/CCustomerInfoDlg.h"

#include "ui/TypeText.h"

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
    // Text set without typing is still kept to what the field stores: 30 accents as 8-bit text.
    edit(dlg, "zipEdit")->setText(QString(40, QChar(0x00E9)));
    dlg.findChild<QPlainTextEdit*>(QStringLiteral("notesEdit"))->setPlainText(QString(1200, QLatin1Char('n')));
    dlg.accept();
    const ql::CustomerRecord& r = dlg.record();
    EXPECT_EQ(r.name, std::string(60, 'x'));
    EXPECT_EQ(r.phone, std::string(30, 'x'));
    EXPECT_EQ(r.zip, QString(30, QChar(0x00E9)).toStdString());
    EXPECT_EQ(r.notes, std::string(1000, 'n'));
}

// Each edit takes exactly what its field can store, so OK never cuts what was typed.
TEST(CustomerInfo, TypedAccentsAreKeptWholeUpToTheFieldsBytes) {
    CCustomerInfoDlg dlg(sample());
    const std::pair<const char*, int> fields[] = {{"nameEdit", 60}, {"addressEdit", 60}, {"cityEdit", 30}};
    for (const auto& [name, limit] : fields) {
        QLineEdit* e = edit(dlg, name);
        e->clear();
        typeText(e, QString(limit + 3, QChar(0x00E9)));
        EXPECT_EQ(e->text(), QString(limit, QChar(0x00E9))) << name;
    }
    // Without an 8-bit form a character takes its two UTF-8 bytes.
    edit(dlg, "zipEdit")->clear();
    typeText(edit(dlg, "zipEdit"), QString(17, QChar(0x0101)));
    EXPECT_EQ(edit(dlg, "zipEdit")->text(), QString(15, QChar(0x0101)));
    auto* notes = dlg.findChild<QPlainTextEdit*>(QStringLiteral("notesEdit"));
    notes->clear();
    typeText(notes, QString(1003, QChar(0x00E9)));
    dlg.accept();
    const ql::CustomerRecord& r = dlg.record();
    EXPECT_EQ(r.name, QString(60, QChar(0x00E9)).toStdString());
    EXPECT_EQ(r.address, QString(60, QChar(0x00E9)).toStdString());
    EXPECT_EQ(r.city, QString(30, QChar(0x00E9)).toStdString());
    EXPECT_EQ(r.zip, QString(15, QChar(0x0101)).toStdString());
    EXPECT_EQ(r.notes, QString(1000, QChar(0x00E9)).toStdString());
}

// What the edits show is not always what the record holds (lone line breaks from another
// tool); a customer confirmed unchanged must come back exactly as it was given.
TEST(CustomerInfo, OkWithoutAChangeHandsBackTheRecordAsGiven) {
    ql::CustomerRecord odd = sample();
    odd.notes = "lone LF\nlone CR\rpair\r\n";
    odd.name = std::string(QString(60, QChar(0x00E9)).toStdString());
    CCustomerInfoDlg dlg(odd);
    dlg.accept();
    EXPECT_EQ(dlg.record(), odd);

    CCustomerInfoDlg changed(odd);
    edit(changed, "phoneEdit")->setText(QStringLiteral("555-0199"));
    changed.accept();
    ql::CustomerRecord expected = odd;
    expected.phone = "555-0199";
    EXPECT_EQ(changed.record(), expected);
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

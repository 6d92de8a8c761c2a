#include "ui/projects/CProjectInfoDlg.h"

#include "core/store/Customers.h"
#include "ui/RecordingPrompter.h"
#include "ui/TempFileSet.h"
#include "ui/TypeText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ProjectInfo : public ::testing::Test {
protected:
    void addCustomer(std::int32_t id, const std::string& name) {
        ql::CustomerRecord c;
        c.id = id;
        c.name = name;
        ASSERT_TRUE(ql::appendCustomer(ql::defaultFileSystem(), c, ql::FileSet(m_set.path(ql::FileKind::Customers))));
    }
    std::unique_ptr<CProjectInfoDlg> open(const ql::ProjectRecord& record) {
        return std::make_unique<CProjectInfoDlg>(ql::defaultFileSystem(), m_prompter,
                                                 m_set.fileSet(), record);
    }
    template <typename W>
    static W* child(QDialog& dlg, const char* name) {
        W* w = dlg.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static ql::ProjectRecord existing() {
        ql::ProjectRecord r;
        r.id = 12;
        r.parentId = 3;
        r.name = "Web site";
        r.customerId = 1;
        r.chargesPerHour = 55.25;
        r.memo = "first line\r\nsecond line";
        return r;
    }

    TempFileSet m_set;
    RecordingPrompter m_prompter;
};

TEST_F(ProjectInfo, ANewProjectOpensWithoutCustomerAndWithZeroCharges) {
    addCustomer(0, "Acme");
    ql::ProjectRecord fresh;
    fresh.id = 0;
    fresh.name = "New project";
    auto dlg = open(fresh);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Project information"));
    EXPECT_EQ(child<QLineEdit>(*dlg, "nameEdit")->text(), QStringLiteral("New project"));
    EXPECT_EQ(child<QComboBox>(*dlg, "customerCombo")->currentIndex(), -1);
    EXPECT_EQ(child<QLineEdit>(*dlg, "chargesEdit")->text(), QStringLiteral("0.00"));
    EXPECT_EQ(child<QLabel>(*dlg, "chargesLabel")->text(), QStringLiteral("Charges per hour ($) :"));
    dlg->accept();
    EXPECT_EQ(dlg->record().customerId, -1);
    EXPECT_EQ(dlg->record().name, "New project");
}

TEST_F(ProjectInfo, ChargesAreReadAsTheLeadingNumber) {
    const std::pair<const char*, double> cases[] = {{"12,50", 12.5}, {"abc", 0.0}, {"   7.5", 7.5}, {"80.125", 80.125}};
    for (const auto& [text, expected] : cases) {
        auto dlg = open(existing());
        child<QLineEdit>(*dlg, "chargesEdit")->setText(QString::fromLatin1(text));
        dlg->accept();
        EXPECT_EQ(dlg->record().chargesPerHour, expected) << text;
    }
}

TEST_F(ProjectInfo, CustomersAreSortedByNameAndTheProjectsOwnIsSelected) {
    addCustomer(0, "zeta");
    addCustomer(1, "ACME");
    addCustomer(2, "acme");
    addCustomer(3, "Beta");
    ql::ProjectRecord r = existing();
    r.customerId = 2;
    auto dlg = open(r);
    QComboBox* combo = child<QComboBox>(*dlg, "customerCombo");
    QStringList names;
    for (int i = 0; i < combo->count(); ++i) names << combo->itemText(i);
    EXPECT_EQ(names, (QStringList{"ACME", "acme", "Beta", "zeta"}));
    // Of two names that differ only in case, the project's own customer is the one selected,
    // so Done never bills the project to the other.
    EXPECT_EQ(combo->currentText(), QStringLiteral("acme"));
    dlg->accept();
    EXPECT_EQ(dlg->record().customerId, 2);

    auto other = open(r);
    child<QComboBox>(*other, "customerCombo")->setCurrentIndex(2);
    other->accept();
    EXPECT_EQ(other->record().customerId, 3);
}

TEST_F(ProjectInfo, ARemovedCustomerShowsNoneAndDoneKeepsItsId) {
    addCustomer(0, "Acme");
    ql::ProjectRecord r = existing();
    r.customerId = 7;
    auto dlg = open(r);
    EXPECT_EQ(child<QComboBox>(*dlg, "customerCombo")->currentIndex(), -1);
    dlg->accept();
    EXPECT_EQ(dlg->record().customerId, 7);
}

TEST_F(ProjectInfo, DoneCutsTheNameAndStoresTheMemoWithCrLf) {
    auto dlg = open(existing());
    EXPECT_EQ(child<QPlainTextEdit>(*dlg, "memoEdit")->toPlainText(), QStringLiteral("first line\nsecond line"));
    QLineEdit* name = child<QLineEdit>(*dlg, "nameEdit");
    name->clear();
    QTest::keyClicks(name, QString(70, QLatin1Char('n')));
    child<QPlainTextEdit>(*dlg, "memoEdit")->setPlainText(QStringLiteral("a\nb\n\nc"));
    dlg->accept();
    EXPECT_EQ(dlg->record().name, std::string(60, 'n'));
    EXPECT_EQ(dlg->record().memo, "a\r\nb\r\n\r\nc");
    EXPECT_EQ(dlg->record().id, 12);
    EXPECT_EQ(dlg->record().parentId, 3);
}

TEST_F(ProjectInfo, ALongMemoIsCutWithoutSplittingALineBreak) {
    auto dlg = open(existing());
    child<QPlainTextEdit>(*dlg, "memoEdit")->setPlainText(QString(999, QLatin1Char('m')) + QStringLiteral("\nmore"));
    dlg->accept();
    EXPECT_EQ(dlg->record().memo, std::string(999, 'm'));
}

TEST_F(ProjectInfo, EscapeLeavesTheRecordUntouched) {
    auto dlg = open(existing());
    dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    child<QLineEdit>(*dlg, "nameEdit")->setText(QStringLiteral("Changed"));
    child<QLineEdit>(*dlg, "chargesEdit")->setText(QStringLiteral("1"));
    QTest::keyClick(child<QLineEdit>(*dlg, "nameEdit"), Qt::Key_Escape);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->record(), existing());
}

TEST_F(ProjectInfo, AFailedCustomersFileKeepsTheProjectsValues) {
    std::filesystem::remove(m_set.path(ql::FileKind::Customers));
    auto dlg = open(existing());
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].text,
              QString::fromStdString("Cannot open Customers file : " + m_set.path(ql::FileKind::Customers)));
    EXPECT_EQ(child<QLineEdit>(*dlg, "nameEdit")->text(), QStringLiteral("Web site"));
    EXPECT_EQ(child<QLineEdit>(*dlg, "chargesEdit")->text(), QStringLiteral("55.25"));
    EXPECT_EQ(child<QComboBox>(*dlg, "customerCombo")->count(), 0);
    dlg->accept();
    EXPECT_EQ(dlg->record(), existing());
}

TEST_F(ProjectInfo, AMissingSettingsFileLeavesTheSymbolEmpty) {
    std::filesystem::remove(m_set.path(ql::FileKind::Settings));
    auto dlg = open(existing());
    EXPECT_EQ(child<QLabel>(*dlg, "chargesLabel")->text(), QStringLiteral("Charges per hour () :"));
    EXPECT_TRUE(m_prompter.boxes.empty());
}

}  // namespace

namespace {

TEST_F(ProjectInfo, TypedAccentsAreKeptWholeUpToTheFieldsBytes) {
    auto dlg = open(existing());
    QLineEdit* name = child<QLineEdit>(*dlg, "nameEdit");
    name->clear();
    typeText(name, QString(62, QChar(0x00E9)));
    EXPECT_EQ(name->text(), QString(60, QChar(0x00E9)));
    QPlainTextEdit* memo = child<QPlainTextEdit>(*dlg, "memoEdit");
    memo->clear();
    typeText(memo, QString(1001, QChar(0x0101)));  // no 8-bit form: UTF-8, two bytes each
    EXPECT_EQ(memo->toPlainText(), QString(500, QChar(0x0101)));
    dlg->accept();
    EXPECT_EQ(dlg->record().name, QString(60, QChar(0x00E9)).toStdString());
    EXPECT_EQ(dlg->record().memo, QString(500, QChar(0x0101)).toStdString());
}

// Done without a change hands the project back as given, even where the edits cannot show
// it exactly: a rate of more than two decimals, a memo with lone line feeds.
TEST_F(ProjectInfo, DoneWithoutAChangeHandsBackTheRecordAsGiven) {
    ql::ProjectRecord r = existing();
    r.chargesPerHour = 12.3456;
    r.memo = "one\ntwo\rthree";
    r.name = QString(60, QChar(0x00E9)).toStdString();
    auto dlg = open(r);
    EXPECT_EQ(child<QLineEdit>(*dlg, "chargesEdit")->text(), QStringLiteral("12.35"));
    dlg->accept();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->record(), r);
}

TEST_F(ProjectInfo, AnEmptyNameIsRefused) {
    auto dlg = open(existing());
    dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    QLineEdit* name = child<QLineEdit>(*dlg, "nameEdit");
    QPushButton* done = child<QPushButton>(*dlg, "doneButton");
    for (const QString& blank : {QString(), QStringLiteral("   ")}) {
        name->setText(blank);
        EXPECT_FALSE(done->isEnabled());
        QTest::keyClick(name, Qt::Key_Return);
        dlg->accept();
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(dlg->record(), existing());
    }
    name->setText(QStringLiteral("Renamed"));
    EXPECT_TRUE(done->isEnabled());
    QTest::mouseClick(done, Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->record().name, "Renamed");
}

}  // namespace

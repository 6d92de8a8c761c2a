#include "ui/customers/CCustomersDlg.h"

#include "core/store/Customers.h"
#include "ui/ModalDriver.h"
#include "ui/RecordingPrompter.h"
#include "ui/TempFileSet.h"
#include "ui/customers/CCustomerInfoDlg.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

ql::CustomerRecord customer(std::int32_t id, const std::string& name, const std::string& city = {}) {
    ql::CustomerRecord c;
    c.id = id;
    c.name = name;
    c.address = name + " street";
    c.city = city;
    c.zip = "0" + std::to_string(id);
    c.state = "ST";
    c.country = "Country";
    c.phone = "555-" + std::to_string(id);
    c.notes = "notes\r\nof " + name;
    return c;
}

class Customers : public ::testing::Test {
protected:
    std::string path() const { return m_set.path(ql::FileKind::Customers); }
    void add(const ql::CustomerRecord& c) { ASSERT_TRUE(ql::appendCustomer(ql::defaultFileSystem(), c, ql::FileSet(path()))); }
    std::vector<ql::CustomerRecord> readFile() {
        auto all = ql::loadCustomers(ql::defaultFileSystem(), path());
        EXPECT_TRUE(all.isOk());
        return all ? all.value() : std::vector<ql::CustomerRecord>{};
    }
    std::unique_ptr<CCustomersDlg> open(ql::FileSystem* fs = nullptr) {
        auto dlg = std::make_unique<CCustomersDlg>(fs ? *fs : ql::defaultFileSystem(), m_prompter,
                                                   m_set.fileSet());
        dlg->setCustomerEditor([this](const ql::CustomerRecord& r) -> std::optional<ql::CustomerRecord> {
            m_edited.push_back(r);
            if (!m_editorAnswer) return std::nullopt;
            ql::CustomerRecord out = r;
            out.name = m_editorName;
            return out;
        });
        dlg->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        return dlg;
    }
    static QStringList column(const CCustomersDlg& dlg, int c) {
        QStringList out;
        for (int row = 0; row < dlg.list()->topLevelItemCount(); ++row) out << dlg.list()->topLevelItem(row)->text(c);
        return out;
    }
    static void select(CCustomersDlg& dlg, const QStringList& names) {
        dlg.list()->clearSelection();
        for (int row = 0; row < dlg.list()->topLevelItemCount(); ++row) {
            QTreeWidgetItem* item = dlg.list()->topLevelItem(row);
            if (names.contains(item->text(0))) item->setSelected(true);
        }
    }
    static void clickHeader(CCustomersDlg& dlg, int section) {
        QHeaderView* header = dlg.list()->header();
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    static void press(CCustomersDlg& dlg, const char* button) {
        QTest::mouseClick(dlg.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }

    TempFileSet m_set;
    RecordingPrompter m_prompter;
    std::vector<ql::CustomerRecord> m_edited;
    bool m_editorAnswer = true;
    std::string m_editorName = "Edited";
};

TEST_F(Customers, ShowsSevenColumnsWithTheirWidths) {
    add(customer(0, "Acme", "Springfield"));
    auto dlg = open();
    QTreeWidget* list = dlg->list();
    ASSERT_EQ(list->columnCount(), 7);
    const QStringList headings{"Customer", "Address", "City", "ZIP", "State", "Country", "Phone"};
    const int widths[] = {120, 200, 100, 50, 50, 100, 100};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(list->headerItem()->text(i), headings[i]);
        EXPECT_EQ(list->columnWidth(i), widths[i]);
    }
    QStringList row;
    for (int i = 0; i < 7; ++i) row << list->topLevelItem(0)->text(i);
    EXPECT_EQ(row, (QStringList{"Acme", "Acme street", "Springfield", "00", "ST", "Country", "555-0"}));
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(Customers, SortsCaseInsensitivelyByAnyColumnAlwaysAscending) {
    add(customer(0, "banana", "Zurich"));
    add(customer(1, "Cherry", "athens"));
    add(customer(2, "apple", "Berlin"));
    add(customer(3, "Apple", "Cairo"));
    auto dlg = open();
    const QStringList byName = column(*dlg, 0);
    ASSERT_EQ(byName.size(), 4);
    EXPECT_EQ(byName.mid(2), (QStringList{"banana", "Cherry"}));
    EXPECT_EQ(byName.mid(0, 2).join(QLatin1Char(',')).toLower(), QStringLiteral("apple,apple"));
    clickHeader(*dlg, 2);
    EXPECT_EQ(column(*dlg, 2), (QStringList{"athens", "Berlin", "Cairo", "Zurich"}));
    clickHeader(*dlg, 2);
    EXPECT_EQ(column(*dlg, 2), (QStringList{"athens", "Berlin", "Cairo", "Zurich"}));
}

TEST_F(Customers, AddTakesTheNextIdOnlyAfterOk) {
    auto dlg = open();
    m_editorAnswer = false;
    press(*dlg, "addButton");
    ASSERT_EQ(m_edited.size(), 1u);
    EXPECT_EQ(m_edited[0], ql::CustomerRecord{});  // id 0, "New Customer", the rest empty
    EXPECT_TRUE(readFile().empty());
    m_editorAnswer = true;
    m_editorName = "First";
    press(*dlg, "addButton");
    m_editorName = "Second";
    press(*dlg, "addButton");
    const auto written = readFile();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0].id, 0);
    EXPECT_EQ(written[1].id, 1);
    EXPECT_EQ(column(*dlg, 0), (QStringList{"First", "Second"}));
}

TEST_F(Customers, RemovingTheHighestIdLetsTheNextCustomerReuseIt) {
    add(customer(0, "Acme"));
    add(customer(1, "Beta"));
    add(customer(2, "Gamma"));
    auto dlg = open();
    select(*dlg, {"Gamma"});
    press(*dlg, "removeButton");
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].caption, QStringLiteral("Confirmation"));
    EXPECT_EQ(m_prompter.boxes[0].text, QStringLiteral("Are you sure you want to remove the selected items?"));
    EXPECT_TRUE(m_prompter.boxes[0].question);
    m_editorName = "Delta";
    press(*dlg, "addButton");
    const auto written = readFile();
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[2].id, 2);
    EXPECT_EQ(written[2].name, "Delta");
}

TEST_F(Customers, RemoveTakesEverySelectedRowOnlyAfterYes) {
    add(customer(0, "Acme"));
    add(customer(1, "Beta"));
    add(customer(2, "Gamma"));
    auto dlg = open();
    select(*dlg, {"Acme", "Gamma"});
    m_prompter.answers = {false};
    press(*dlg, "removeButton");
    EXPECT_EQ(readFile().size(), 3u);
    press(*dlg, "removeButton");
    const auto written = readFile();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].name, "Beta");
    EXPECT_EQ(column(*dlg, 0), QStringList{"Beta"});

    dlg->list()->clearSelection();  // nothing selected: still asked, then only reloaded
    press(*dlg, "removeButton");
    EXPECT_EQ(m_prompter.boxes.size(), 3u);
    EXPECT_EQ(readFile().size(), 1u);
    select(*dlg, {"Beta"});
    press(*dlg, "removeButton");
    EXPECT_EQ(dlg->list()->topLevelItemCount(), 0);
}

TEST_F(Customers, UpdateEditsTheTopmostSelectedRowKeepsItsIdAndMovesItLast) {
    add(customer(0, "Acme", "Zurich"));
    add(customer(1, "Beta", "Athens"));
    add(customer(2, "Gamma", "Berlin"));
    auto dlg = open();
    clickHeader(*dlg, 2);  // by city: Beta, Gamma, Acme
    select(*dlg, {"Acme", "Beta", "Gamma"});
    m_editorName = "Zeta";
    press(*dlg, "updateButton");
    ASSERT_EQ(m_edited.size(), 1u);
    EXPECT_EQ(m_edited[0], customer(1, "Beta", "Athens"));
    const auto written = readFile();
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[2].id, 1);
    EXPECT_EQ(written[2].name, "Zeta");
    EXPECT_EQ(written[2].notes, "notes\r\nof Beta");
    EXPECT_EQ(column(*dlg, 0), (QStringList{"Acme", "Gamma", "Zeta"}));  // back to name order
}

TEST_F(Customers, ADoubleClickBelowTheRowsUpdatesTheFirstSelected) {
    add(customer(0, "Acme"));
    add(customer(1, "Beta"));
    auto dlg = open();
    QWidget* viewport = dlg->list()->viewport();
    const QPoint empty(10, viewport->height() - 5);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, empty);
    EXPECT_TRUE(m_edited.empty());  // nothing selected
    select(*dlg, {"Beta"});
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, empty);
    ASSERT_EQ(m_edited.size(), 1u);
    EXPECT_EQ(m_edited[0].id, 1);
}

TEST_F(Customers, PrintEndsWithOkAndExitWithCancel) {
    auto printing = open();
    press(*printing, "printButton");
    EXPECT_EQ(printing->result(), QDialog::Accepted);
    auto leaving = open();
    press(*leaving, "exitButton");
    EXPECT_EQ(leaving->result(), QDialog::Rejected);
    EXPECT_FALSE(leaving->isVisible());
}

TEST_F(Customers, EachFailureIsReportedAndLeavesTheDialogUsable) {
    add(customer(0, "Acme"));
    ql::test::FaultyFileSystem faulty;
    faulty.failOn(ql::test::FaultyFileSystem::Op::OpenRead, path());
    auto dlg = open(&faulty);
    const QString readMessage = QString::fromStdString("Cannot open Customers file : " + path());
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].text, readMessage);
    EXPECT_EQ(dlg->list()->topLevelItemCount(), 0);

    press(*dlg, "addButton");  // the next id cannot be read: nothing is added, and the reload fails too
    ASSERT_EQ(m_prompter.boxes.size(), 3u);
    EXPECT_EQ(m_prompter.boxes[1].text, readMessage);
    EXPECT_EQ(m_prompter.boxes[2].text, readMessage);
    EXPECT_EQ(readFile().size(), 1u);

    faulty.stopFailingOn();
    faulty.failOn(ql::test::FaultyFileSystem::Op::OpenAppend, path());
    press(*dlg, "addButton");
    ASSERT_EQ(m_prompter.boxes.size(), 4u);
    EXPECT_EQ(m_prompter.boxes[3].text, QString::fromStdString("Cannot open CUSTOMERS file : " + path()));
    EXPECT_EQ(readFile().size(), 1u);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(column(*dlg, 0), QStringList{"Acme"});
}

TEST_F(Customers, AFailedUpdateLosesNothing) {
    add(customer(0, "Acme"));
    add(customer(1, "Beta"));
    ql::test::FaultyFileSystem faulty;
    auto dlg = open(&faulty);
    faulty.failOn(ql::test::FaultyFileSystem::Op::Create, m_set.path(ql::FileKind::Temporary));
    select(*dlg, {"Acme"});
    press(*dlg, "updateButton");
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].text, QString::fromStdString("Cannot open CUSTOMERS file : " + path()));
    const auto written = readFile();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0], customer(0, "Acme"));
}

}  // namespace

namespace {

TEST_F(Customers, NoButtonIsDrawnAsTheDefault) {
    auto dlg = open();
    for (QPushButton* button : dlg->findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
        EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
    }
}

// An 8-bit name of the whole field and bytes after a NUL, as an older installation or another
// tool writes them: the customer information dialog opened and confirmed without a change
// leaves the file exactly as it was.
TEST_F(Customers, UpdateConfirmedWithoutAChangeKeepsTheFileByteForByte) {
    add(customer(1, "Before"));
    ql::CustomerBytes raw = ql::encodeCustomer(customer(2, "x"));
    std::fill_n(raw.begin() + 4, 60, static_cast<unsigned char>(0xE9));
    raw[64] = 0;
    raw[65 + 20] = 'Z';  // after the address's NUL
    {
        std::ofstream out(path(), std::ios::binary | std::ios::app);
        out.write(reinterpret_cast<const char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
    }
    add(customer(3, "After"));
    const std::vector<char> before = TempFileSet::bytes(path());

    auto dlg = std::make_unique<CCustomersDlg>(ql::defaultFileSystem(), m_prompter, m_set.fileSet());
    select(*dlg, {QString(60, QChar(0x00E9))});
    whenModalOpens<CCustomerInfoDlg>([](CCustomerInfoDlg& info) { info.accept(); });
    dlg->updateCustomer();
    EXPECT_EQ(TempFileSet::bytes(path()), before);
    EXPECT_TRUE(m_prompter.boxes.empty());
}

}  // namespace

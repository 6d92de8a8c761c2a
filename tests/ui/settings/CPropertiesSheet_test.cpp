#include "ui/settings/CPropertiesSheet.h"

#include "ui/NamedChild.h"
#include "ui/TempFileSet.h"
#include "ui/app/ShellFixture.h"


#include "core/reports/Invoice.h"
#include "core/store/Settings.h"
#include "core/store/SettingsRecord.h"
#include "ui/app/CTessalyView.h"
#include "ui/common/CommandIds.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <fstream>

namespace {

// Types text as the keyboard would, one character per key press (non-ASCII included).
void type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

class PropertiesSheet : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        m_path = makeFileSet(QStringLiteral("Work.qlr")).toStdString();
        // Values a careless read-back would change: a rate "%.2f" would round, a footer with
        // a lone line feed that a round trip through the edit would turn into CR LF.
        ql::SettingsRecord r = *ql::readSettings(ql::defaultFileSystem(), ql::FileSet(m_path));
        r.salesTaxRate = 6.125;
        r.footer = "one\ntwo";
        r.showTips = 0;
        r.monetarySymbol = "EUR";
        ASSERT_TRUE(ql::writeSettings(ql::defaultFileSystem(), r, ql::FileSet(m_path)));
        m_before = TempFileSet::bytes(m_path);
    }
    std::unique_ptr<CPropertiesSheet> sheet() {
        return std::make_unique<CPropertiesSheet>(ql::defaultFileSystem(), prompter, &help, ql::FileSet(m_path),
                                                  ql::defaultSettings("$", true));
    }
    ql::SettingsRecord stored() const { return *ql::readSettings(ql::defaultFileSystem(), ql::FileSet(m_path)); }

    std::string m_path;
    std::vector<char> m_before;
};

TEST_F(PropertiesSheet, PagesAreCaptionedInOrderAndOnlyCompanyIsFilledAtFirst) {
    auto s = sheet();
    EXPECT_EQ(s->windowTitle(), QStringLiteral("Properties"));
    EXPECT_EQ(s->focusWidget(), child<QLineEdit>(s->companyPage(), "companyEdit"));  // "Company :" first
    ASSERT_EQ(s->tabs()->count(), 5);
    EXPECT_EQ(s->tabs()->tabText(0), QStringLiteral("Company"));
    EXPECT_EQ(s->tabs()->tabText(1), QStringLiteral("Invoice"));
    EXPECT_EQ(s->tabs()->tabText(2), QStringLiteral("General"));
    EXPECT_EQ(s->tabs()->tabText(3), QStringLiteral("Billing"));
    EXPECT_EQ(s->tabs()->tabText(4), QStringLiteral("Away"));
    EXPECT_EQ(s->tabs()->currentIndex(), 0);
    EXPECT_TRUE(s->companyPage().wasShown());
    EXPECT_FALSE(s->invoicePage().wasShown());
    EXPECT_EQ(child<QLineEdit>(s->companyPage(), "companyEdit")->text(), QStringLiteral("<Your Company Name>"));
    s->tabs()->setCurrentIndex(1);
    EXPECT_EQ(child<QLineEdit>(s->invoicePage(), "salesTaxRateEdit")->text(), QStringLiteral("6.12"));
    EXPECT_EQ(child<QPlainTextEdit>(s->invoicePage(), "footerEdit")->toPlainText(), QStringLiteral("one\ntwo"));
    s->tabs()->setCurrentIndex(2);
    EXPECT_TRUE(child<QRadioButton>(s->generalPage(), "americanDateRadio")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(s->generalPage(), "showTipsCheck")->isChecked());
}

TEST_F(PropertiesSheet, OkWithoutVisitingTheOtherPagesChangesOnlyTheCompanyBlock) {
    auto s = sheet();
    child<QLineEdit>(s->companyPage(), "companyEdit")->setText(QStringLiteral("Kestra Works"));
    child<QLineEdit>(s->companyPage(), "stateEdit")->setText(QStringLiteral("NY"));
    s->accept();
    EXPECT_EQ(s->result(), QDialog::Accepted);

    std::vector<char> expected = m_before;
    const char name[] = "Kestra Works";
    std::fill(expected.begin(), expected.begin() + 61, '\0');
    std::copy(name, name + sizeof name - 1, expected.begin());
    std::fill(expected.begin() + 244, expected.begin() + 305, '\0');
    expected[244] = 'N';
    expected[245] = 'Y';
    EXPECT_EQ(TempFileSet::bytes(m_path), expected);
}

// A company name filling its field with no NUL reads fine; a change elsewhere must not be
// refused because of it, and the name keeps its bytes.
TEST_F(PropertiesSheet, AFullCompanyNameDoesNotStopAChangeOfAnotherField) {
    std::vector<char> full = m_before;
    std::fill_n(full.begin(), 61, 'W');
    {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out.write(full.data(), static_cast<std::streamsize>(full.size()));
    }
    auto s = sheet();
    child<QLineEdit>(s->companyPage(), "stateEdit")->setText(QStringLiteral("NY"));
    s->accept();
    EXPECT_EQ(s->result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.boxes.empty());

    std::vector<char> expected = full;
    std::fill(expected.begin() + 244, expected.begin() + 305, '\0');
    expected[244] = 'N';
    expected[245] = 'Y';
    EXPECT_EQ(TempFileSet::bytes(m_path), expected);
}

TEST_F(PropertiesSheet, TheRateIsTheLeadingNumberOfItsText) {
    const struct {
        const char* typed;
        double rate;
    } cases[] = {{"7.5%", 7.5}, {"letters", 0.0}, {"  8", 8.0}, {"", 0.0}, {"12,5", 12.5}, {"19,5 %", 19.5}};
    for (const auto& c : cases) {
        auto s = sheet();
        s->tabs()->setCurrentIndex(1);
        child<QLineEdit>(s->invoicePage(), "salesTaxRateEdit")->setText(QString::fromUtf8(c.typed));
        s->accept();
        EXPECT_EQ(stored().salesTaxRate, c.rate) << c.typed;
    }
}

TEST_F(PropertiesSheet, TheTaxLabelAndRateAreOffWhileNoTaxIsApplied) {
    auto s = sheet();
    s->tabs()->setCurrentIndex(1);
    CPropertiesPage2& invoice = s->invoicePage();
    auto* apply = child<QCheckBox>(invoice, "applySalesTaxCheck");
    ASSERT_TRUE(apply->isChecked());
    for (const bool on : {false, true}) {
        apply->setChecked(on);
        EXPECT_EQ(child<QLineEdit>(invoice, "salesTaxTextEdit")->isEnabled(), on);
        EXPECT_EQ(child<QLineEdit>(invoice, "salesTaxRateEdit")->isEnabled(), on);
    }
}

TEST_F(PropertiesSheet, VisitedPagesAreReadBackWhole) {
    auto s = sheet();
    s->tabs()->setCurrentIndex(1);
    s->tabs()->setCurrentIndex(2);
    CPropertiesPage2& invoice = s->invoicePage();
    child<QLineEdit>(invoice, "nextInvoiceEdit")->setText(QStringLiteral("A-17"));
    child<QCheckBox>(invoice, "applySalesTaxCheck")->setChecked(false);
    child<QPlainTextEdit>(invoice, "footerEdit")->setPlainText(QStringLiteral("Thanks\nBye"));
    CPropertiesPage3& general = s->generalPage();
    child<QRadioButton>(general, "europeanDateRadio")->setChecked(true);
    child<QCheckBox>(general, "showTipsCheck")->setChecked(true);
    s->accept();
    const ql::SettingsRecord r = stored();
    EXPECT_EQ(r.nextInvoiceNumber, "A-17");
    EXPECT_EQ(r.applySalesTax, 0);
    EXPECT_EQ(r.footer, "Thanks\r\nBye");
    EXPECT_EQ(r.salesTaxRate, 6.12);  // as shown, "%.2f"
    EXPECT_EQ(r.dateFormat, 0);
    EXPECT_EQ(r.showTips, 1);
    EXPECT_EQ(r.monetarySymbol, "EUR");
}

TEST_F(PropertiesSheet, CancelWritesNothingAndHelpAsksForItsTopic) {
    auto s = sheet();
    child<QLineEdit>(s->companyPage(), "companyEdit")->setText(QStringLiteral("Changed"));
    s->buttons()->button(QDialogButtonBox::Help)->click();
    EXPECT_EQ(help.contexts, std::vector<int>{400});
    s->buttons()->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(s->result(), QDialog::Rejected);
    EXPECT_EQ(TempFileSet::bytes(m_path), m_before);
}

TEST_F(PropertiesSheet, AFailedWriteIsReportedAndTheSheetStaysOpen) {
    ql::test::FaultyFileSystem fs;
    fs.failOn(ql::test::FaultyFileSystem::Op::Create, ql::FileSet(m_path).temporary());
    CPropertiesSheet s(fs, prompter, &help, ql::FileSet(m_path), ql::defaultSettings("$", true));
    child<QLineEdit>(s.companyPage(), "companyEdit")->setText(QStringLiteral("Changed"));
    s.accept();
    EXPECT_NE(s.result(), QDialog::Accepted);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Properties"));
    EXPECT_EQ(TempFileSet::bytes(m_path), m_before);
}

TEST_F(PropertiesSheet, EditsRefuseWhatTheirFieldCannotHoldByBytes) {
    auto s = sheet();
    QLineEdit* company = child<QLineEdit>(s->companyPage(), "companyEdit");
    company->clear();
    // "ł" has no 8-bit form: two UTF-8 bytes each, 60 bytes fit a field of 61.
    const QString thirty = QString(30, QChar(0x142));
    type(company, thirty + QChar(0x142) + QStringLiteral("x"));
    EXPECT_EQ(company->text(), thirty);

    s->tabs()->setCurrentIndex(2);
    QLineEdit* symbol = child<QLineEdit>(s->generalPage(), "monetarySymbolEdit");
    symbol->clear();
    type(symbol, QString(35, QLatin1Char('$')));
    EXPECT_EQ(symbol->text(), QString(30, QLatin1Char('$')));

    s->tabs()->setCurrentIndex(1);
    QPlainTextEdit* footer = child<QPlainTextEdit>(s->invoicePage(), "footerEdit");
    footer->setPlainText(QString(997, QLatin1Char('a')) + QLatin1Char('\n'));  // 999 bytes with CR LF
    footer->moveCursor(QTextCursor::End);
    QTest::keyClick(footer, Qt::Key_B);
    QTest::keyClick(footer, Qt::Key_Return);  // CR LF would make 1002 bytes
    QTest::keyClick(footer, Qt::Key_C);
    EXPECT_EQ(footer->toPlainText(), QString(997, QLatin1Char('a')) + QStringLiteral("\nb"));
    s->accept();
    EXPECT_EQ(stored().companyName, thirty.toStdString());
    EXPECT_EQ(stored().footer.size(), 1000u);
}

TEST_F(PropertiesSheet, TheCommandStoresAndSwitchesTheTotalsToDayFirstAtOnce) {
    auto app = startApp(QString::fromStdString(m_path));
    auto render = [&] {
        QImage image(600, 120, QImage::Format_RGB32);
        image.fill(CTessalyView::kBackground);
        QPainter painter(&image);
        app->view().paintPanels(painter, 600);
        return image;
    };
    const QImage monthFirst = render();
    QSignalSpy hints(&app->document(), &CTessalyDoc::updateHint);
    modal.answerDialog = [](QDialog& dialog) {
        auto& s = dynamic_cast<CPropertiesSheet&>(dialog);
        s.tabs()->setCurrentIndex(2);
        child<QRadioButton>(s.generalPage(), "europeanDateRadio")->setChecked(true);
        s.accept();
        return s.result();
    };
    app->frame().action(cmd::kProperties)->trigger();
    EXPECT_EQ(stored().dateFormat, 0);
    ASSERT_EQ(hints.count(), 1);
    EXPECT_EQ(hints[0][0].toInt(), 3);
    EXPECT_NE(render(), monthFirst);

    modal.answerDialog = [](QDialog& dialog) {
        dialog.reject();
        return dialog.result();
    };
    app->frame().action(cmd::kProperties)->trigger();
    EXPECT_EQ(hints.count(), 1);
}

}  // namespace

TEST_F(PropertiesSheet, AnotherProgramsChangeSinceOpeningIsRefusedNotUndone) {
    auto s = sheet();
    // An invoice run elsewhere advances the number while the sheet is open.
    ASSERT_TRUE(ql::advanceInvoiceNumber(ql::defaultFileSystem(), ql::FileSet(m_path), "9600001"));
    const std::vector<char> advanced = TempFileSet::bytes(m_path);
    child<QLineEdit>(s->companyPage(), "companyEdit")->setText(QStringLiteral("Changed"));
    s->accept();
    EXPECT_EQ(s->result(), QDialog::Rejected);  // still open
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text.toStdString(), ql::settingsChangedMessage(ql::FileSet(m_path)));
    EXPECT_EQ(TempFileSet::bytes(m_path), advanced);
}

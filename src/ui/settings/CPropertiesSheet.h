#pragma once

#include "core/store/BillingDetails.h"
#include "core/store/FileSet.h"
#include "core/store/SettingsRecord.h"

#include <QDialog>
#include <QWidget>

#include <memory>
#include <optional>

class CAwayPage;
class CBillingPage;
class HelpService;
class Prompter;
class QDialogButtonBox;
class QTabWidget;
namespace ql {
class FileSystem;
}
namespace Ui {
class CPropertiesPage1;
class CPropertiesPage2;
class CPropertiesPage3;
}  // namespace Ui

// A page of the Properties sheet: fills its controls from the record the first time it is
// shown, and only then writes them back on OK, so pages never opened leave their fields alone.
class CPropertiesPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    bool wasShown() const { return m_shown; }
    // Fills the controls once (later calls do nothing) and marks the page shown.
    void fillOnce(const ql::SettingsRecord& record);
    // Copies the controls into record when the page was shown.
    void readBackInto(ql::SettingsRecord& record) const {
        if (m_shown) readBack(record);
    }

protected:
    virtual void fill(const ql::SettingsRecord& record) = 0;
    virtual void readBack(ql::SettingsRecord& record) const = 0;

private:
    bool m_shown = false;
};

// Company: the seven texts of the company block.
class CPropertiesPage1 final : public CPropertiesPage {
    Q_OBJECT
public:
    explicit CPropertiesPage1(QWidget* parent = nullptr);
    ~CPropertiesPage1() override;
    // Puts the focus in "Company :".
    void focusFirstField();

protected:
    void fill(const ql::SettingsRecord& record) override;
    void readBack(ql::SettingsRecord& record) const override;

private:
    std::unique_ptr<Ui::CPropertiesPage1> m_ui;
};

// Invoice: invoice text, next number, footer note and the sales tax.
class CPropertiesPage2 final : public CPropertiesPage {
    Q_OBJECT
public:
    explicit CPropertiesPage2(QWidget* parent = nullptr);
    ~CPropertiesPage2() override;

protected:
    void fill(const ql::SettingsRecord& record) override;
    // The rate is the longest leading number of its text, 0.0 when there is none.
    void readBack(ql::SettingsRecord& record) const override;

private:
    std::unique_ptr<Ui::CPropertiesPage2> m_ui;
};

// General: week chart tips, date order and monetary symbol.
class CPropertiesPage3 final : public CPropertiesPage {
    Q_OBJECT
public:
    explicit CPropertiesPage3(QWidget* parent = nullptr);
    ~CPropertiesPage3() override;

protected:
    void fill(const ql::SettingsRecord& record) override;
    void readBack(ql::SettingsRecord& record) const override;

private:
    std::unique_ptr<Ui::CPropertiesPage3> m_ui;
};

// The Properties sheet over the settings record of one file set. It reads the record when
// built (the defaults of a new set when it cannot be read); OK writes the whole record,
// crash-safely, and on a failed write tells the user and stays open; Cancel writes nothing.
// Help asks for context 400. A last page, Billing, edits the set's billing details: OK checks
// them first (a refusal names the field, shows the page and writes nothing) and writes them
// only when they differ from what the page showed; details that cannot be read are reported
// when the page is shown, and the page is then disabled. A page after it, Away, holds the
// user's own away detection values (the profile), stored once the set's files are written.
class CPropertiesSheet final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 400;

    // set names the settings file (kept as a copy); defaults is the record used when the
    // settings cannot be read.
    CPropertiesSheet(ql::FileSystem& fs, Prompter& prompter, HelpService* help, const ql::FileSet& set,
                     const ql::SettingsRecord& defaults, QWidget* parent = nullptr);
    ~CPropertiesSheet() override;

    QTabWidget* tabs() const { return m_tabs; }
    CPropertiesPage1& companyPage() const { return *m_company; }
    CPropertiesPage2& invoicePage() const { return *m_invoice; }
    CPropertiesPage3& generalPage() const { return *m_general; }
    CBillingPage& billingPage() const { return *m_billing; }
    CAwayPage& awayPage() const { return *m_away; }
    QDialogButtonBox* buttons() const { return m_buttons; }
    // The record as read, with the shown pages' controls applied on OK.
    const ql::SettingsRecord& record() const { return m_record; }

public slots:
    void accept() override;

private:
    void showPage(int index);

    ql::FileSystem& m_fs;
    Prompter& m_prompter;
    HelpService* m_help;
    ql::FileSet m_set;
    ql::SettingsRecord m_record;
    std::optional<ql::SettingsRecord> m_loaded;  // the record as read when the sheet opened
    QTabWidget* m_tabs = nullptr;
    CPropertiesPage1* m_company = nullptr;
    CPropertiesPage2* m_invoice = nullptr;
    CPropertiesPage3* m_general = nullptr;
    CBillingPage* m_billing = nullptr;
    CAwayPage* m_away = nullptr;
    ql::Result<ql::BillingDetails> m_billingLoaded;  // as read when the sheet opened
    std::optional<ql::BillingDetails> m_billingShown;  // what the page showed, once shown
    QDialogButtonBox* m_buttons = nullptr;
};

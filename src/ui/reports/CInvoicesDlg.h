#pragma once

#include "core/reports/InvoiceRegister.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "ui/reports/EInvoiceFiles.h"

#include <QDialog>

#include <optional>

class Modal;
class Prompter;
class QLabel;
class QPushButton;
class QTreeWidget;

// Reports > Invoices...: the register of issued invoices (number, date, customer, period,
// total, state), with Reprint (the invoice as issued, through the print preview), To File...
// (its text file as issued), E-invoice (XML)... and PDF with e-invoice... (its e-invoice as
// issued, refused naming each detail it lacks; not for a void invoice) and Void (listed as void, its number never
// issued again, its frames unbilled). Reads the register and the settings once on opening and after a void.
class CInvoicesDlg : public QDialog {
    Q_OBJECT
public:
    // Ends with kReprint when the user chose Reprint: reprintContent() is then what to print.
    static constexpr int kReprint = 2;

    CInvoicesDlg(ql::FileSystem& fs, Prompter& prompter, Modal& modal, const ql::FileSet& set,
                 ql::InvoiceRegister reg, QWidget* parent = nullptr);
    ~CInvoicesDlg() override;

    QTreeWidget& list() const { return *m_list; }
    // The invoice chosen for Reprint, as issued.
    const std::optional<ql::IssuedContent>& reprintContent() const { return m_reprint; }

    void reprint();
    void toFile();
    void eInvoiceFile(EInvoiceForm form);
    void voidSelected();

private:
    void fill();
    // The register index of the selected row; nullopt without a selection.
    std::optional<std::size_t> selectedIndex() const;
    // What the selected invoice showed; reports a failure and gives nullopt.
    std::optional<ql::IssuedContent> selectedContent();
    void updateButtons();

    ql::FileSystem& m_fs;
    Prompter& m_prompter;
    Modal& m_modal;
    ql::FileSet m_set;
    ql::InvoiceRegister m_register;
    std::optional<ql::IssuedContent> m_reprint;
    QTreeWidget* m_list = nullptr;
    QLabel* m_emptyNote = nullptr;
    QPushButton* m_reprintButton = nullptr;
    QPushButton* m_toFileButton = nullptr;
    QPushButton* m_eInvoiceXmlButton = nullptr;
    QPushButton* m_facturXButton = nullptr;
    QPushButton* m_voidButton = nullptr;
};

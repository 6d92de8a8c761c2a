#pragma once

#include <QPrintDialog>

// File > Print Setup...: the print dialog, the only one that offers the choice of printer,
// but for choosing only. Nothing is printed from it, so its accepting button says "OK" rather
// than "Print" (with no printer installed, "Print" read as if it printed somewhere).
class PrintSetupDialog : public QPrintDialog {
    Q_OBJECT
public:
    PrintSetupDialog(QPrinter* printer, QWidget* parent);
};

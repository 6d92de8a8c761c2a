#pragma once

#include "ui/app/ShellOnly.h"

#include <QDialog>

// The About box: the program icon, "Quillory® v1.01 for Windows95" and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kText = "Quillory\u00AE v1.01 for Windows95";

    explicit CAboutDlg(QWidget* parent = nullptr);
};

#pragma once

#include "ui/app/ShellOnly.h"

#include <QDialog>
#include <QStringList>

// The About box: the program icon, "Quillory® v1.01 for Windows95", the absence sources that
// work in this session, and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kText = QT_TRANSLATE_NOOP("CAboutDlg", "Quillory\u00AE v1.01 for Windows95");

    // sources: the active absence sources (PresenceMonitor::activeSources); none are named as
    // "Away detection: no source in this session".
    explicit CAboutDlg(const QStringList& sources = {}, QWidget* parent = nullptr);
};

#include "ui/app/CMainFrame.h"

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Quillory"));
    resize(600, 400);
}

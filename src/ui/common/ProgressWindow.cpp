#include "ui/common/ProgressWindow.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>

namespace {
constexpr int kSteps = 1000;
}

ProgressWindow::ProgressWindow(QWidget* parent, const QString& label)
    : m_dialog(std::make_unique<QProgressDialog>(label, QCoreApplication::translate("ProgressWindow", "Cancel"), 0,
                                                 kSteps, parent)) {
    m_dialog->setWindowTitle(QStringLiteral("Quillory"));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(kShowAfterMs);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

ProgressWindow::~ProgressWindow() = default;

bool ProgressWindow::onAdvance(std::uint64_t done, std::uint64_t total) {
    const int value = total == 0 ? 0 : static_cast<int>(std::min<std::uint64_t>(done, total) * kSteps / total);
    // A modal progress dialog handles the pending events here, Cancel among them.
    m_dialog->setValue(value);
    return !m_dialog->wasCanceled();
}

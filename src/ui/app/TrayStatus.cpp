#include "ui/app/TrayStatus.h"

#include <QCoreApplication>

TrayState trayState(const ql::RunningProjects& running) {
    if (running.empty()) return TrayState::Idle;
    return running.paused() ? TrayState::Paused : TrayState::Running;
}

QString trayToolTip(const ql::RunningProjects& running, const std::vector<ql::PanelRow>& rows) {
    QString tip = QStringLiteral("Quillory");
    if (running.paused()) tip += QCoreApplication::translate("TrayStatus", " - PAUSE");
    const auto& entries = running.entries();
    for (std::size_t i = 0; i < entries.size() && i < rows.size(); ++i) {
        QString name = QString::fromStdString(rows[i].label);
        if (name.isEmpty())
            name = QCoreApplication::translate("TrayStatus", "Project ") + QString::number(entries[i].projectId);
        tip += QLatin1Char('\n') + name + QLatin1Char(' ') + QString::fromStdString(rows[i].timeText);
    }
    return tip;
}

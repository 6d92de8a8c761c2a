#pragma once

#include "ui/app/ShellOnly.h"

#include "core/tracking/PanelRows.h"
#include "ui/app/Icons.h"

#include <QString>

#include <vector>

// The tray's state for the running projects: Idle with none, else Paused or Running.
TrayState trayState(const ql::RunningProjects& running);

// The tray's tip: "Quillory", then while projects run one line per running project with its
// name and time worked ("Alpha 01:05"), as the running panel shows them; " - PAUSE" follows
// the program's name while paused. An unnamed project shows as "Project <id>".
QString trayToolTip(const ql::RunningProjects& running, const std::vector<ql::PanelRow>& rows);

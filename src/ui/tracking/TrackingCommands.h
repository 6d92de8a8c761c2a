#pragma once

#include "ui/common/CommandContext.h"

// The Control menu, also on the tray icon's menu.

// Check In (Ctrl+E): told and refused without an open set, while another window holds the
// set's running projects, and when the limit of running projects is reached (before the
// project tree opens); otherwise the project chosen in the tree starts when the tree closes.
void checkIn(const CommandContext& context);

// Check Out (Ctrl+T): the only running project, or the one chosen among several, stops and its
// frame is written; a failed write is told and the project keeps running. Then the totals and
// the week chart are refreshed (hints 3, 4). Nothing while no project runs.
void checkOut(const CommandContext& context);

// Pause (Ctrl+A): pauses or resumes every running project. Nothing while no project runs.
void pause(const CommandContext& context);

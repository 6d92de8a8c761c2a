#pragma once

#include "ui/app/ShellOnly.h"

#include <optional>

// The state of the keyboard's lock keys, for the status bar's CAP, NUM and SCRL panes.
struct LockState {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

// Asks the window system; nullopt where it cannot tell (offscreen, non-X11 platforms).
std::optional<LockState> queryLockState();

#pragma once

#include "ui/app/ShellOnly.h"

#include <QIcon>
#include <QPixmap>

// The toolbar images (22 x 22, drawn at run time so they stay sharp at any scale) and the
// program icon.

// The toolbar image of a command id; a null icon for a command without one. New, Open and
// the print commands take the icon theme's standard image when it has one.
QIcon commandIcon(int commandId);

// The program icon, used by the window, the tray and the About box.
QIcon programIcon();

// The program icon at one size in pixels; the installed PNG icons are these pixmaps.
QPixmap programIconPixmap(int size);

// What the tray shows: nothing running, projects running, or all of them paused.
enum class TrayState { Idle, Running, Paused };

// The tray icon of a state: the program icon, with a green dot while projects run and
// amber bars while they are paused.
QIcon trayIcon(TrayState state);

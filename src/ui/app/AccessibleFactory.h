#pragma once

#include "ui/app/ShellOnly.h"

// Gives the widgets that paint their content (the main view, the projects pie chart) the
// accessible interfaces that let a screen reader read what they paint. Installs once however
// often it is called; the application calls it before it makes its first window.
void installAccessibleFactory();

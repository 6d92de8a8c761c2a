#pragma once

#include <QString>

// "The running projects of <settingsPath> belong to another Quillory window. Check projects
// in and out there."
QString runningHeldElsewhereText(const QString& settingsPath);

#include "ui/tracking/RunningHeldElsewhere.h"

QString runningHeldElsewhereText(const QString& settingsPath) {
    return QStringLiteral("The running projects of ") + settingsPath +
           QStringLiteral(" belong to another Quillory window. Check projects in and out there.");
}

#include "ui/tracking/RunningHeldElsewhere.h"

#include <QCoreApplication>

QString runningHeldElsewhereText(const QString& settingsPath) {
    return QCoreApplication::translate("RunningHeldElsewhere", "The running projects of %1 belong to another Quillory "
                                                               "window. Check projects in and out there.")
        .arg(settingsPath);
}

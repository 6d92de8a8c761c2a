#include "ui/common/Profile.h"

#include <QSettings>

namespace {

int readInt(const QSettings& settings, const char* key, int fallback) {
    bool ok = false;
    const int value = settings.value(QLatin1String(key)).toInt(&ok);
    return ok ? value : fallback;
}

}  // namespace

QRect Profile::placement() {
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kApplication)};
    settings.beginGroup(QLatin1String(kGroup));
    return {readInt(settings, "x", kDefaultPlacement.x()), readInt(settings, "y", kDefaultPlacement.y()),
            readInt(settings, "cx", kDefaultPlacement.width()), readInt(settings, "cy", kDefaultPlacement.height())};
}

void Profile::setPlacement(const QRect& rect) {
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kApplication)};
    settings.beginGroup(QLatin1String(kGroup));
    settings.setValue(QStringLiteral("x"), rect.x());
    settings.setValue(QStringLiteral("y"), rect.y());
    settings.setValue(QStringLiteral("cx"), rect.width());
    settings.setValue(QStringLiteral("cy"), rect.height());
}

QString Profile::lastOpened() {
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kApplication)};
    return settings.value(QStringLiteral("Settings/LastOpened")).toString();
}

void Profile::setLastOpened(const QString& path) {
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kApplication)};
    settings.setValue(QStringLiteral("Settings/LastOpened"), path);
}

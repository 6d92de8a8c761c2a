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

namespace {

const QString kReportedJournals = QStringLiteral("Settings/ReportedJournals");

// One entry per journal path; a tab cannot be part of a mark.
QString reportedEntry(const QString& path, const QString& mark) { return mark + QLatin1Char('\t') + path; }

}  // namespace

bool Profile::journalReported(const QString& path, const QString& mark) {
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kApplication)};
    return settings.value(kReportedJournals).toStringList().contains(reportedEntry(path, mark));
}

void Profile::rememberJournalReported(const QString& path, const QString& mark) {
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kApplication)};
    QStringList entries = settings.value(kReportedJournals).toStringList();
    // What sat at this path before is forgotten: it is not there any more.
    entries.removeIf([&path](const QString& entry) { return entry.section(QLatin1Char('\t'), 1) == path; });
    entries.append(reportedEntry(path, mark));
    while (entries.size() > kReportedJournalsKept) entries.removeFirst();
    settings.setValue(kReportedJournals, entries);
}

std::optional<QSize> Profile::previewSize() {
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kApplication)};
    const QSize size = settings.value(QStringLiteral("Settings/PreviewSize")).toSize();
    if (size.width() <= 0 || size.height() <= 0) return std::nullopt;
    return size;
}

void Profile::setPreviewSize(const QSize& size) {
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kApplication)};
    settings.setValue(QStringLiteral("Settings/PreviewSize"), size);
}

bool Profile::awayDetection() {
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kApplication)};
    return settings.value(QStringLiteral("Settings/AwayDetection"), true).toBool();
}

void Profile::setAwayDetection(bool on) {
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kApplication)};
    settings.setValue(QStringLiteral("Settings/AwayDetection"), on);
}

int Profile::awayMinutes() {
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kApplication)};
    settings.beginGroup(QLatin1String(kGroup));
    const int minutes = readInt(settings, "AwayMinutes", kDefaultAwayMinutes);
    return minutes >= kMinAwayMinutes && minutes <= kMaxAwayMinutes ? minutes : kDefaultAwayMinutes;
}

void Profile::setAwayMinutes(int minutes) {
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kApplication)};
    settings.setValue(QStringLiteral("Settings/AwayMinutes"), minutes);
}

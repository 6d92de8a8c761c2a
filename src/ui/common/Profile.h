#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// The per-user profile: QSettings of organisation "KESTRA", application "Quillory",
// group "Settings". Each call opens the store afresh, so a test that moves QSettings to a
// temporary folder (QSettings::setPath) sees only its own values.
class Profile {
public:
    static constexpr const char* kOrganization = "KESTRA";
    static constexpr const char* kApplication = "Quillory";
    static constexpr const char* kGroup = "Settings";

    // The window rectangle of the last run; 30, 30, 600 x 400 when a value is absent or
    // not a number.
    static QRect placement();
    static void setPlacement(const QRect& rect);

    // "LastOpened": the settings file of the file set open at the last exit; empty when absent.
    static QString lastOpened();
    static void setLastOpened(const QString& path);

    // "ReportedJournals": the journals found to be no regular file (a FIFO, a folder, a device)
    // that the user was told about, each with the mark of what sat at its path then. True
    // when path was told with this same mark; remembering it forgets the oldest beyond
    // kReportedJournalsKept.
    static bool journalReported(const QString& path, const QString& mark);
    static void rememberJournalReported(const QString& path, const QString& mark);
    static constexpr int kReportedJournalsKept = 16;

    // "PreviewSize": the print preview's size when it was last closed; nullopt when absent or
    // not two positive numbers.
    static std::optional<QSize> previewSize();
    static void setPreviewSize(const QSize& size);

    // "AwayDetection": whether absences while projects run are noticed and asked about; on
    // when absent.
    static bool awayDetection();
    static void setAwayDetection(bool on);
    // "AwayMinutes": how many minutes away count as an absence to ask about, kMinAwayMinutes to
    // kMaxAwayMinutes; kDefaultAwayMinutes when absent, not a number or out of range.
    static int awayMinutes();
    static void setAwayMinutes(int minutes);
    static constexpr int kDefaultAwayMinutes = 10;
    static constexpr int kMinAwayMinutes = 1;
    static constexpr int kMaxAwayMinutes = 240;

    static constexpr QRect kDefaultPlacement{30, 30, 600, 400};
};

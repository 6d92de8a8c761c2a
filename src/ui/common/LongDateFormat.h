#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// The locale's long date format with its year and the separators that belong to it taken out:
// "dddd, MMMM d" for en_US, "dddd, d. MMMM" for de_DE, "M月d日dddd" for zh_CN.
QString longDateFormatWithoutYear(const QLocale& locale);

// date written in that format: "Monday, December 9", "Montag, 9. Dezember".
QString longDateWithoutYear(const QDate& date, const QLocale& locale = QLocale());

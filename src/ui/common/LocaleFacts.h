#pragma once

#include <QLocale>

#include <string>

// What a new file set takes from the user's locale.
struct LocaleFacts {
    std::string currencySymbol;  // UTF-8, e.g. "$"; empty when the locale names none
    bool monthFirst = false;     // the short date runs month, day, year
};

// The currency symbol and the short-date order of locale. Only month-day-year counts as
// month first; day-month-year and year-month-day orders do not.
LocaleFacts localeFacts(const QLocale& locale = QLocale());

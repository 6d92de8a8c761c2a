#pragma once

#include <string>
#include <string_view>

// What a new file set takes from the user's locale, read from the C library.
namespace ql::cli {

struct LocaleDefaults {
    std::string currencySymbol;  // UTF-8, "" when the locale names none
    bool monthFirst = true;      // the locale writes dates month/day/year
};

// The locale the environment selects (LC_ALL, LC_MONETARY, LC_TIME, LANG). Falls back to the
// "C" locale when the environment names one that is not installed. The program's own
// locale is left as it is, so numbers keep printing with a '.'.
LocaleDefaults userLocaleDefaults();

// True when an strftime date pattern (the locale's D_FMT) orders month, then day, then year:
// "%m/%d/%y" and "%D" are, "%d.%m.%Y" and "%Y-%m-%d" are not.
bool isMonthFirstDatePattern(std::string_view pattern);

}  // namespace ql::cli

#include "cli/LocaleDefaults.h"

#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

namespace ql::cli {
namespace {

// The locale's texts are in its own character set; the files hold UTF-8.
std::string toUtf8(const std::string& text, const char* codeset) {
    if (text.empty() || std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "ANSI_X3.4-1968") == 0) return text;
    const iconv_t cd = iconv_open("UTF-8", codeset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return "";
    std::string in = text;
    std::string out(text.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) return "";
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

bool isMonthFirstDatePattern(std::string_view pattern) {
    int month = -1, day = -1, year = -1;
    auto mark = [](int& slot, int position) {
        if (slot < 0) slot = position;
    };
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] != '%') continue;
        std::size_t k = i + 1;
        while (k < pattern.size() && std::strchr("_-0^#EO", pattern[k])) ++k;  // flags and modifiers
        if (k >= pattern.size()) break;
        const int at = static_cast<int>(i);
        switch (pattern[k]) {
        case 'm': case 'b': case 'B': case 'h': mark(month, at); break;
        case 'd': case 'e': mark(day, at); break;
        case 'y': case 'Y': case 'C': case 'G': case 'g': mark(year, at); break;
        case 'D': mark(month, at); mark(day, at + 1); mark(year, at + 2); break;
        case 'F': mark(year, at); mark(month, at + 1); mark(day, at + 2); break;
        default: break;
        }
        i = k;
    }
    if (month < 0 || day < 0) return false;
    return month < day && (year < 0 || month < year);
}

LocaleDefaults userLocaleDefaults() {
    locale_t locale = newlocale(LC_CTYPE_MASK | LC_MONETARY_MASK | LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (!locale) locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (!locale) return {};
    LocaleDefaults defaults;
    defaults.currencySymbol = toUtf8(nl_langinfo_l(CURRENCY_SYMBOL, locale), nl_langinfo_l(CODESET, locale));
    defaults.monthFirst = isMonthFirstDatePattern(nl_langinfo_l(D_FMT, locale));
    freelocale(locale);
    return defaults;
}

}  // namespace ql::cli

#include "ui/common/LongDateFormat.h"

#include <QStringList>

#include <vector>

namespace {

struct Token {
    QString text;
    bool field = false;  // a run of d, M or y; otherwise literal text (quoted or not)
};

std::vector<Token> tokenize(const QString& format) {
    std::vector<Token> tokens;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        qsizetype end = i + 1;
        if (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) {
            while (end < format.size() && format[end] == c) ++end;
            tokens.push_back({format.mid(i, end - i), true});
        } else if (c == QLatin1Char('\'')) {
            // A quoted literal; '' inside it is a quote.
            while (end < format.size()) {
                if (format[end] == QLatin1Char('\'')) {
                    if (end + 1 < format.size() && format[end + 1] == QLatin1Char('\'')) end += 2;
                    else break;
                } else {
                    ++end;
                }
            }
            end = std::min(end + 1, format.size());
            tokens.push_back({format.mid(i, end - i), false});
        } else {
            tokens.push_back({QString(c), false});
        }
        i = end;
    }
    return tokens;
}

}  // namespace

QString longDateFormatWithoutYear(const QLocale& locale) {
    const std::vector<Token> tokens = tokenize(locale.dateFormat(QLocale::LongFormat));
    std::size_t year = tokens.size();
    for (std::size_t i = 0; i < tokens.size(); ++i)
        if (tokens[i].field && tokens[i].text.startsWith(QLatin1Char('y'))) year = i;
    if (year == tokens.size()) return locale.dateFormat(QLocale::LongFormat);

    std::size_t previousField = tokens.size(), nextField = tokens.size();
    for (std::size_t i = 0; i < year; ++i)
        if (tokens[i].field) previousField = i;
    for (std::size_t i = tokens.size(); i-- > year + 1;)
        if (tokens[i].field) nextField = i;

    // Drop the year with the literals that join it to the rest: those before it when it comes
    // last (", yyyy", " yyyy 'г'."), else those after it ("yyyy年", "yyyy. ").
    std::size_t from = year, to = year + 1;
    if (nextField == tokens.size()) {
        from = previousField == tokens.size() ? 0 : previousField + 1;
        to = tokens.size();
    } else {
        to = nextField;
    }
    QString result;
    for (std::size_t i = 0; i < tokens.size(); ++i)
        if (i < from || i >= to) result += tokens[i].text;
    return result;
}

QString longDateWithoutYear(const QDate& date, const QLocale& locale) {
    return locale.toString(date, longDateFormatWithoutYear(locale));
}

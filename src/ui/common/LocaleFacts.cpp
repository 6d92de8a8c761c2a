#include "ui/common/LocaleFacts.h"

namespace {

// Index of the first unquoted occurrence of letter in a QLocale date format, or -1.
qsizetype firstField(const QString& format, QChar letter) {
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('\'')) quoted = !quoted;
        else if (!quoted && format[i] == letter) return i;
    }
    return -1;
}

}  // namespace

LocaleFacts localeFacts(const QLocale& locale) {
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype month = firstField(format, QLatin1Char('M'));
    const qsizetype day = firstField(format, QLatin1Char('d'));
    const qsizetype year = firstField(format, QLatin1Char('y'));
    const bool monthFirst = month >= 0 && (day < 0 || month < day) && (year < 0 || month < year);
    return {locale.currencySymbol(QLocale::CurrencySymbol).toStdString(), monthFirst};
}

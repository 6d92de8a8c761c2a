#include "ui/common/LongDateFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(LongDateFormat, DropsTheYearInTheLocalesOwnOrder) {
    const QDate monday(1996, 12, 9);
    struct Case {
        QLocale::Language language;
        QLocale::Territory territory;
        const char* label;
    };
    const Case cases[] = {
        {QLocale::English, QLocale::UnitedStates, "Monday, December 9"},
        {QLocale::German, QLocale::Germany, "Montag, 9. Dezember"},
        {QLocale::French, QLocale::France, "lundi 9 d\u00e9cembre"},
        {QLocale::Russian, QLocale::Russia, "\u043f\u043e\u043d\u0435\u0434\u0435\u043b\u044c\u043d\u0438\u043a, 9 "
                                            "\u0434\u0435\u043a\u0430\u0431\u0440\u044f"},
        {QLocale::Chinese, QLocale::China, "12\u67089\u65e5\u661f\u671f\u4e00"},
    };
    for (const Case& c : cases) {
        const QLocale locale(c.language, c.territory);
        const QString label = longDateWithoutYear(monday, locale);
        EXPECT_EQ(label.toStdString(), c.label) << locale.name().toStdString() << ": "
                                                << locale.dateFormat(QLocale::LongFormat).toStdString();
        EXPECT_FALSE(label.contains(QStringLiteral("1996"))) << locale.name().toStdString();
    }
}

}  // namespace

#include "ui/common/CoreText.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <vector>

namespace {

// The core's messages as forms: %1, %2 stand for the parts it fills in (a path, a name, a
// number, a date), which a translation keeps. Exactly as the core writes them.
const char* const kForms[] = {
    QT_TRANSLATE_NOOP("CoreText", "Cannot open project file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot open CUSTOMERS file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot open Customers file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot open Time Frames file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot open time frames file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot open settings file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot lock file set : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot read billing details file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot read customer billing details file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot read invoice register : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot read running projects file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot write billing details file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot write customer billing details file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot write history filter file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot write invoice register : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot write running projects file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot write settings file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot write invoice file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot write e-invoice file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot write PDF file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot write the export file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "Cannot create new project. Check your disk-drive for write-protection"),
    QT_TRANSLATE_NOOP("CoreText", "The file set is busy in another program, try again : %1"),
    QT_TRANSLATE_NOOP("CoreText", "No customer id is left in %1"),
    QT_TRANSLATE_NOOP("CoreText", "No project id is left in %1"),
    QT_TRANSLATE_NOOP("CoreText", "No invoice has the number %1"),
    QT_TRANSLATE_NOOP("CoreText", "Invoice %1 is void already."),
    QT_TRANSLATE_NOOP("CoreText", "This customer is no longer in the customers file : %1"),
    QT_TRANSLATE_NOOP("CoreText", "An e-invoice is written only for an issued invoice."),
    QT_TRANSLATE_NOOP("CoreText", "An edited time frame keeps its project."),
    QT_TRANSLATE_NOOP("CoreText", "The project is not running."),
    QT_TRANSLATE_NOOP("CoreText", "The export file could not be written."),
    QT_TRANSLATE_NOOP("CoreText", "The file is not XML"),
    QT_TRANSLATE_NOOP("CoreText", "The file is not a Cross Industry Invoice"),
    QT_TRANSLATE_NOOP("CoreText", "The time frame cannot end before it starts."),
    QT_TRANSLATE_NOOP("CoreText",
                      "The time frame cannot end before it starts: please enter a duration of 00:00 or more."),
    QT_TRANSLATE_NOOP("CoreText", "There is no such date: %1."),
    QT_TRANSLATE_NOOP("CoreText", "Please enter a date from 1902 to 2037: other dates cannot be stored."),
    QT_TRANSLATE_NOOP("CoreText", "Please enter the date as three numbers, day/month/year, for example 15/03/1996."),
    QT_TRANSLATE_NOOP("CoreText", "Please enter the date as three numbers, month/day/year, for example 03/15/1996."),
    QT_TRANSLATE_NOOP("CoreText",
                      "Please enter the duration as hours:minutes, for example 01:30, with minutes below 60."),
    QT_TRANSLATE_NOOP("CoreText", "Please enter the time as hours:minutes, for example 09:30, with hours below 24 "
                                  "and minutes below 60."),
    QT_TRANSLATE_NOOP("CoreText", "Select a customer for the invoice. Create one with Edit Customers first."),
    QT_TRANSLATE_NOOP("CoreText", "The e-invoice lacks details the standard requires:%1"),
    QT_TRANSLATE_NOOP("CoreText", "The invoice number is too long: it may have at most %1 characters."),
    QT_TRANSLATE_NOOP("CoreText", "The project name is too long to be stored (at most 60 bytes) : %1"),
    QT_TRANSLATE_NOOP("CoreText", "The memo of project %1 is too long to be stored (at most 1000 bytes)"),
    QT_TRANSLATE_NOOP("CoreText", "The billing details were changed by another program since this window opened. "
                                  "Cancel, then open it again : %1"),
    QT_TRANSLATE_NOOP("CoreText", "The project file was changed by another program since this window opened. "
                                  "Cancel, then open it again : %1"),
    QT_TRANSLATE_NOOP("CoreText", "The settings were changed by another program since this window opened. "
                                  "Cancel, then open it again : %1"),
    // A date typed into a period's field; %1 is the field's name, one of kFieldNames.
    QT_TRANSLATE_NOOP("CoreText", "The %1 date %2 is not a date. Type three numbers separated by \"/\", such as %3 "
                                  "(month/day/year)."),
    QT_TRANSLATE_NOOP("CoreText", "The %1 date %2 is not a date. Type three numbers separated by \"/\", such as %3 "
                                  "(day/month/year)."),
    QT_TRANSLATE_NOOP("CoreText", "The %1 date %2 lies outside the dates this program can store. Type a four-digit "
                                  "year from 1902 to 2037, such as %3 (month/day/year)."),
    QT_TRANSLATE_NOOP("CoreText", "The %1 date %2 lies outside the dates this program can store. Type a four-digit "
                                  "year from 1902 to 2037, such as %3 (day/month/year)."),
    QT_TRANSLATE_NOOP("CoreText", "This customer has no time frame in the period: there is nothing to invoice."),
    QT_TRANSLATE_NOOP("CoreText", "Every time frame of this period was billed already: there is nothing to invoice."),
    // The lists and panels of periods.
    QT_TRANSLATE_NOOP("CoreText", "This Year"),
    QT_TRANSLATE_NOOP("CoreText", "This Month"),
    QT_TRANSLATE_NOOP("CoreText", "This Week"),
    QT_TRANSLATE_NOOP("CoreText", "Today"),
    QT_TRANSLATE_NOOP("CoreText", "Custom"),
    QT_TRANSLATE_NOOP("CoreText", "Today (%1)"),
    QT_TRANSLATE_NOOP("CoreText", "This week (%1)"),
    QT_TRANSLATE_NOOP("CoreText", "This month (%1)"),
    QT_TRANSLATE_NOOP("CoreText", "This year (%1)"),
};

// The names of the period fields the core puts into its date messages.
const char* const kFieldNames[] = {QT_TRANSLATE_NOOP("CoreText", "From"), QT_TRANSLATE_NOOP("CoreText", "To")};

struct Form {
    const char* source;
    QRegularExpression pattern;
};

// Each form as an anchored pattern: its literal text escaped, each %n one captured part. A
// part matches as little as it can, so that the text after it decides where it ends.
std::vector<Form> compiledForms() {
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    std::vector<Form> forms;
    for (const char* source : kForms) {
        const QString text = QString::fromUtf8(source);
        QString pattern = QStringLiteral("^");
        qsizetype from = 0;
        for (auto it = placeholder.globalMatch(text); it.hasNext();) {
            const auto match = it.next();
            pattern += QRegularExpression::escape(text.mid(from, match.capturedStart() - from));
            pattern += QStringLiteral("(.*?)");
            from = match.capturedEnd();
        }
        pattern += QRegularExpression::escape(text.mid(from)) + QStringLiteral("$");
        forms.push_back({source, QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption)});
    }
    return forms;
}

}  // namespace

QString coreText(const std::string& message) {
    const QString text = QString::fromStdString(message);
    static const std::vector<Form> forms = compiledForms();
    for (const Form& form : forms) {
        const auto match = form.pattern.match(text);
        if (!match.hasMatch()) continue;
        QString translated = QCoreApplication::translate("CoreText", form.source);
        // Replaced in one pass, so a path that holds "%2" stays as it is.
        QStringList parts;
        for (int i = 1; i <= match.lastCapturedIndex(); ++i) parts << match.captured(i);
        // Only a field's name is a word of the program among the parts; the rest is the user's.
        if (QLatin1String(form.source).startsWith(QLatin1String("The %1 date ")))
            for (const char* field : kFieldNames)
                if (parts.value(0) == QLatin1String(field)) parts[0] = QCoreApplication::translate("CoreText", field);
        static const QRegularExpression placeholder(QStringLiteral("%([1-9])"));
        QString result;
        qsizetype from = 0;
        for (auto it = placeholder.globalMatch(translated); it.hasNext();) {
            const auto found = it.next();
            result += translated.mid(from, found.capturedStart() - from);
            const int index = found.captured(1).toInt() - 1;
            result += index < parts.size() ? parts[index] : found.captured();
            from = found.capturedEnd();
        }
        return result + translated.mid(from);
    }
    return text;
}

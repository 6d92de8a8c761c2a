#pragma once

#include "core/reports/HistoryItems.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <string>
#include <vector>

namespace ql {

// The locale names are ordered by: the one the environment selects for collation (LC_ALL,
// then LC_COLLATE, then LANG), the C locale when none is named. Read from the environment
// rather than from QLocale's default, so the window and the command line, which pins its
// default locale to C for its pages, order names alike.
QLocale nameCollationLocale();

// The one order of names shown to the user (history rows, project and customer lists, the
// command line's history): the locale's collation without regard to case. In the C locale
// that is Unicode case folding, then code units. Names that compare equal (such as "Beta"
// and "beta") are left to a stable sort's order.
class NameOrder {
public:
    explicit NameOrder(const QLocale& locale = nameCollationLocale());

    // <0, 0 or >0 as a sorts before, with or after b.
    int compare(const QString& a, const QString& b) const { return m_collator.compare(a, b); }
    bool operator()(const QString& a, const QString& b) const { return compare(a, b) < 0; }
    // The same for UTF-8 texts as records hold them in memory.
    int compareUtf8(const std::string& a, const std::string& b) const;

private:
    QCollator m_collator;
};

// rankProjectNames by order: the ranks the history's project column sorts by.
std::vector<std::int32_t> rankProjectNames(const std::vector<HistoryProject>& projects, const NameOrder& order);

}  // namespace ql

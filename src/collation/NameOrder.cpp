#include "collation/NameOrder.h"

namespace ql {

QLocale nameCollationLocale() {
    for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const QString name = qEnvironmentVariable(variable);
        // QLocale takes "de_DE.UTF-8@euro" as de_DE; "C" and "POSIX" as the C locale.
        if (!name.isEmpty()) return QLocale(name);
    }
    return QLocale::c();
}

NameOrder::NameOrder(const QLocale& locale) : m_collator(locale) {
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

int NameOrder::compareUtf8(const std::string& a, const std::string& b) const {
    return compare(QString::fromStdString(a), QString::fromStdString(b));
}

std::vector<std::int32_t> rankProjectNames(const std::vector<HistoryProject>& projects, const NameOrder& order) {
    return rankProjectNames(projects, [&order](const std::string& a, const std::string& b) {
        return order.compareUtf8(a, b);
    });
}

}  // namespace ql

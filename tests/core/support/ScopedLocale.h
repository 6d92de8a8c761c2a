#pragma once

#include <clocale>
#include <string>

namespace ql::test {

// Sets the whole C library locale, as Qt does in the GUI process from LANG, and restores it.
// ok() is false when the locale is not installed (scripts/install-deps generates de_DE.UTF-8).
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name) : m_saved(std::setlocale(LC_ALL, nullptr)) {
        m_ok = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ScopedLocale() { std::setlocale(LC_ALL, m_saved.c_str()); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    bool ok() const { return m_ok; }

private:
    std::string m_saved;
    bool m_ok = false;
};

// The locales every format is checked under: the C locale and one with a decimal comma and
// without AM/PM texts.
inline const char* const kTestLocales[] = {"C", "de_DE.UTF-8"};

}  // namespace ql::test

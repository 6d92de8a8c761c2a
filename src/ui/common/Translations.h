#pragma once

#include <QLocale>
#include <QStringList>
#include <QTranslator>

// The window's language: the program's translation of its texts and the toolkit's own
// (standard buttons, file and print dialogs), chosen by a locale. Outputs never pass through
// either, so they read the same in every locale.
class Translations {
public:
    Translations() = default;
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;
    // Removes what install() installed.
    ~Translations();

    // Where quillory_<language>.qm may lie for an executable in the folder bin: "translations"
    // beside it (the build tree), then the data folder of the prefix it is installed in, then
    // that of the configured prefix.
    static QStringList foldersFor(const QString& bin);
    // foldersFor() the running executable.
    static QStringList defaultFolders();

    // Installs the translations for locale into the application: the program's from the first
    // of folders that has one, the toolkit's from its own folder. True when the program's was
    // found; English (the texts' own language) has none and gives false.
    bool install(const QLocale& locale, const QStringList& folders);

private:
    void remove();

    QTranslator m_toolkit;
    QTranslator m_program;
    bool m_toolkitInstalled = false;
    bool m_programInstalled = false;
};

#include "ui/common/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

Translations::~Translations() { remove(); }

QStringList Translations::foldersFor(const QString& bin) {
    return {QDir(bin).filePath(QStringLiteral("translations")),
            QDir::cleanPath(bin + QLatin1Char('/') + QStringLiteral(QUILLORY_TRANSLATIONS_FROM_BIN)),
            QStringLiteral(QUILLORY_TRANSLATIONS_DIR)};
}

QStringList Translations::defaultFolders() { return foldersFor(QCoreApplication::applicationDirPath()); }

bool Translations::install(const QLocale& locale, const QStringList& folders) {
    remove();
    // Without this the toolkit's dialogs would stay English under a translated window.
    if (m_toolkit.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        m_toolkitInstalled = QCoreApplication::installTranslator(&m_toolkit);
    for (const QString& folder : folders) {
        if (m_program.load(locale, QStringLiteral("quillory"), QStringLiteral("_"), folder)) {
            m_programInstalled = QCoreApplication::installTranslator(&m_program);
            break;
        }
    }
    return m_programInstalled;
}

void Translations::remove() {
    if (m_programInstalled) QCoreApplication::removeTranslator(&m_program);
    if (m_toolkitInstalled) QCoreApplication::removeTranslator(&m_toolkit);
    m_programInstalled = m_toolkitInstalled = false;
}

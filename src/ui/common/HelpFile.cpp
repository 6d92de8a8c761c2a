#include "ui/common/HelpFile.h"

#include <QFile>
#include <QRegularExpression>

std::optional<HelpFile> HelpFile::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return parse(QString::fromUtf8(file.readAll()));
}

HelpFile HelpFile::parse(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("<!--\\s*topic\\s+(\\d+)\\s*(.*?)\\s*-->"));
    HelpFile help;
    auto match = marker.match(text);
    while (match.hasMatch()) {
        const auto next = marker.match(text, match.capturedEnd());
        const qsizetype end = next.hasMatch() ? next.capturedStart() : text.size();
        bool ok = false;
        const int context = match.captured(1).toInt(&ok);
        // The first of two topics with one number wins, as a reader of the file would expect.
        if (ok && !help.m_topics.contains(context)) {
            help.m_topics.insert(context, {match.captured(2), text.mid(match.capturedEnd(), end - match.capturedEnd())});
        }
        match = next;
    }
    return help;
}

std::optional<HelpFile::Topic> HelpFile::topic(int context) const {
    const auto it = m_topics.constFind(context);
    if (it == m_topics.constEnd()) return std::nullopt;
    return *it;
}

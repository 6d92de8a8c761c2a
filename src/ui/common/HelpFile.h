#pragma once

#include <QMap>
#include <QString>

#include <optional>

// The help file "QL.hlp": HTML in UTF-8 in which every topic begins with a marker line
//   <!--topic NUMBER TITLE-->
// and runs to the next marker or the end of the file. Topics link to each other with
// href="help:NUMBER".
class HelpFile {
public:
    struct Topic {
        QString title;
        QString html;
    };

    // Reads and splits the file; nullopt when it cannot be read.
    static std::optional<HelpFile> load(const QString& path);
    // Splits help text already in memory.
    static HelpFile parse(const QString& text);

    // The topic of that context number; nullopt when the file lacks it.
    std::optional<Topic> topic(int context) const;
    QList<int> contexts() const { return m_topics.keys(); }

private:
    QMap<int, Topic> m_topics;
};

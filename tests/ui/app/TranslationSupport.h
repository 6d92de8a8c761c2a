#pragma once

#include "ui/common/PaintedAccessible.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QWidget>
#include <QXmlStreamReader>

#include <map>
#include <vector>

// What a .ts file of the tree holds: each message, and which read the same on purpose (the
// translator's comment says so).
struct TsMessage {
    QString context;
    QString source;
    QString translation;
    bool unfinished = false;
    bool sameOnPurpose = false;
};

inline QString tsPath(const QString& language) {
    return QStringLiteral(QUILLORY_TS_DIR "/quillory_") + language + QStringLiteral(".ts");
}

inline std::vector<TsMessage> readTs(const QString& language) {
    std::vector<TsMessage> messages;
    QFile file(tsPath(language));
    if (!file.open(QIODevice::ReadOnly)) return messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement()) continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            TsMessage m;
            m.context = context;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("source")) {
                    m.source = xml.readElementText();
                } else if (xml.name() == QLatin1String("translatorcomment")) {
                    m.sameOnPurpose = xml.readElementText() == QLatin1String("same in this language");
                } else if (xml.name() == QLatin1String("translation")) {
                    const QString type = xml.attributes().value(QLatin1String("type")).toString();
                    m.unfinished = !type.isEmpty();
                    m.translation = xml.readElementText();
                } else {
                    xml.skipCurrentElement();
                }
            }
            messages.push_back(m);
        }
    }
    return messages;
}

// Everything a person reads in a widget tree, keyed by where it is, so that the same tree
// built twice (in English and translated) can be compared text by text.
class TextWalk {
public:
    std::map<QString, QString> texts;
    // Per window or menu: its mnemonic letters ("&F" of "&File"), one entry per text.
    std::map<QString, std::vector<QChar>> mnemonics;

    void add(const QString& key, const QString& text) {
        if (!text.isEmpty()) texts[key] = text;
    }

    void addWidget(const QString& scope, QWidget& root) {
        QList<QWidget*> widgets = root.findChildren<QWidget*>();
        widgets.prepend(&root);
        for (qsizetype i = 0; i < widgets.size(); ++i) {
            QWidget* w = widgets[i];
            const QString key = scope + QLatin1Char('/') + QString::number(i) + QLatin1Char(':') +
                                QLatin1String(w->metaObject()->className()) + QLatin1Char(':') + w->objectName();
            if (w->isWindow()) add(key + QStringLiteral(".windowTitle"), w->windowTitle());
            add(key + QStringLiteral(".toolTip"), w->toolTip());
            add(key + QStringLiteral(".whatsThis"), w->whatsThis());
            add(key + QStringLiteral(".statusTip"), w->statusTip());
            add(key + QStringLiteral(".accessibleName"), w->accessibleName());
            add(key + QStringLiteral(".accessibleDescription"), w->accessibleDescription());
            if (auto* label = qobject_cast<QLabel*>(w)) {
                add(key + QStringLiteral(".text"), label->text());
                if (label->buddy()) mnemonic(scope, label->text());
            }
            if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                add(key + QStringLiteral(".text"), button->text());
                mnemonic(scope, button->text());
            }
            if (auto* box = qobject_cast<QGroupBox*>(w)) add(key + QStringLiteral(".title"), box->title());
            if (auto* edit = qobject_cast<QLineEdit*>(w)) add(key + QStringLiteral(".placeholder"),
                                                              edit->placeholderText());
            if (auto* browser = qobject_cast<QTextBrowser*>(w)) add(key + QStringLiteral(".document"),
                                                                    browser->toPlainText());
            if (auto* tabs = qobject_cast<QTabWidget*>(w))
                for (int t = 0; t < tabs->count(); ++t) {
                    add(key + QStringLiteral(".tab") + QString::number(t), tabs->tabText(t));
                    mnemonic(scope, tabs->tabText(t));
                }
            if (auto* combo = qobject_cast<QComboBox*>(w))
                for (int c = 0; c < combo->count(); ++c) add(key + QStringLiteral(".item") + QString::number(c),
                                                             combo->itemText(c));
            if (auto* header = qobject_cast<QHeaderView*>(w); header && header->model())
                for (int c = 0; c < header->count(); ++c)
                    add(key + QStringLiteral(".heading") + QString::number(c),
                        header->model()->headerData(c, header->orientation()).toString());
            if (auto* menu = qobject_cast<QMenu*>(w)) add(key + QStringLiteral(".title"), menu->title());
            // A menu's and a menu bar's actions share one set of mnemonics.
            const bool menuLike = qobject_cast<QMenu*>(w) || qobject_cast<QMenuBar*>(w);
            const QList<QAction*> actions = w->actions();
            for (qsizetype a = 0; a < actions.size(); ++a) {
                const QString actionKey = key + QStringLiteral(".action") + QString::number(a);
                add(actionKey + QStringLiteral(".text"), actions[a]->text());
                add(actionKey + QStringLiteral(".toolTip"), actions[a]->toolTip());
                add(actionKey + QStringLiteral(".statusTip"), actions[a]->statusTip());
                add(actionKey + QStringLiteral(".whatsThis"), actions[a]->whatsThis());
                if (menuLike && !actions[a]->isSeparator()) mnemonic(key, actions[a]->text());
            }
        }
    }

    // What a screen reader reads of a painted widget: each item's name and description.
    void addItems(const QString& scope, const std::vector<AccessibleItem>& items) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            const QString key = scope + QLatin1Char('/') + QString::number(i);
            add(key + QStringLiteral(".name"), items[i].name);
            add(key + QStringLiteral(".description"), items[i].description);
            addItems(key, items[i].children);
        }
    }

private:
    void mnemonic(const QString& scope, const QString& text) {
        static const QRegularExpression marked(QStringLiteral("(?<!&)&([^&])"));
        const auto match = marked.match(text);
        if (match.hasMatch()) mnemonics[scope].push_back(match.captured(1).at(0).toLower());
    }
};

inline bool hasLetters(const QString& text) {
    static const QRegularExpression letter(QStringLiteral("\\p{L}"));
    return text.contains(letter);
}

// The mnemonics that occur more than once in one list.
inline QSet<QChar> repeated(const std::vector<QChar>& letters) {
    QSet<QChar> seen, twice;
    for (const QChar c : letters) (seen.contains(c) ? twice : seen).insert(c);
    return twice;
}

#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Everything that tells or asks the user something goes through a Prompter, so that GUI
// tests record the boxes instead of blocking on them.
class Prompter {
public:
    enum class Icon { Information, Warning, Question, Error };

    virtual ~Prompter() = default;
    // A box with an OK button.
    virtual void inform(const QString& caption, const QString& text, Icon icon = Icon::Information) = 0;
    // A box with Yes and No buttons and the question icon; true for Yes.
    virtual bool ask(const QString& caption, const QString& text) = 0;
    // A box with the question icon and one button per answer, the first the default; the
    // index of the answer chosen, escapeIndex when the box is closed with Escape. A question
    // whose Yes and No would hide a third way out (doing nothing) asks this way.
    virtual int choose(const QString& caption, const QString& text, const QStringList& answers, int escapeIndex) = 0;
};

// The production Prompter: QMessageBox over the given parent window.
class MessageBoxPrompter final : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void inform(const QString& caption, const QString& text, Icon icon = Icon::Information) override;
    bool ask(const QString& caption, const QString& text) override;
    int choose(const QString& caption, const QString& text, const QStringList& answers, int escapeIndex) override;

private:
    QWidget* m_parent;
};

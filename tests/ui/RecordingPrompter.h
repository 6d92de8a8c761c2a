#pragma once

#include "ui/common/Prompter.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Records every box instead of showing it; questions are answered from a queue (Yes when empty).
// whileShown, when set, runs while a box is up, as what a real box's event loop lets through
// (closing it re-activates the window, which reloads).
class RecordingPrompter final : public Prompter {
public:
    struct Box {
        QString caption;
        QString text;
        Icon icon;
        bool question;
        QStringList answers = {};  // the buttons of a choice
    };

    void inform(const QString& caption, const QString& text, Icon icon = Icon::Information) override {
        boxes.push_back({caption, text, icon, false});
        if (whileShown) whileShown();
    }
    bool ask(const QString& caption, const QString& text) override {
        boxes.push_back({caption, text, Icon::Question, true});
        if (whileShown) whileShown();
        if (answers.empty()) return answerFor ? answerFor(text) : true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    int choose(const QString& caption, const QString& text, const QStringList& offered, int) override {
        boxes.push_back({caption, text, Icon::Question, true, offered});
        if (whileShown) whileShown();
        if (choices.empty()) return chooseFor ? chooseFor(text) : 0;
        const int choice = choices.front();
        choices.pop_front();
        return choice;
    }

    std::vector<Box> boxes;
    std::deque<bool> answers;
    // Choices are taken from their own queue, then chooseFor, else the first (the default).
    std::deque<int> choices;
    std::function<int(const QString& text)> chooseFor;
    std::function<void()> whileShown;
    // Answers a question by its text when the queue is empty.
    std::function<bool(const QString& text)> answerFor;
};

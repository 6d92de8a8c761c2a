#pragma once

#include "ui/common/Prompter.h"

#include <QString>
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

    std::vector<Box> boxes;
    std::deque<bool> answers;
    std::function<void()> whileShown;
    // Answers a question by its text when the queue is empty.
    std::function<bool(const QString& text)> answerFor;
};

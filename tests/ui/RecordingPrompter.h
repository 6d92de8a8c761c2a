#pragma once

#include "ui/common/Prompter.h"

#include <QString>
#include <deque>
#include <vector>

// Records every box instead of showing it; questions are answered from a queue (Yes when empty).
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
    }
    bool ask(const QString& caption, const QString& text) override {
        boxes.push_back({caption, text, Icon::Question, true});
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Box> boxes;
    std::deque<bool> answers;
};

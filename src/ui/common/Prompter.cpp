#include "ui/common/Prompter.h"

#include <QMessageBox>
#include <QPushButton>

#include <vector>

void MessageBoxPrompter::inform(const QString& caption, const QString& text, Icon icon) {
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    switch (icon) {
    case Icon::Information: boxIcon = QMessageBox::Information; break;
    case Icon::Warning: boxIcon = QMessageBox::Warning; break;
    case Icon::Question: boxIcon = QMessageBox::Question; break;
    case Icon::Error: boxIcon = QMessageBox::Critical; break;
    }
    QMessageBox box(boxIcon, caption, text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool MessageBoxPrompter::ask(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

int MessageBoxPrompter::choose(const QString& caption, const QString& text, const QStringList& answers,
                               int escapeIndex) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, m_parent);
    std::vector<QPushButton*> buttons;
    for (const QString& answer : answers) buttons.push_back(box.addButton(answer, QMessageBox::ActionRole));
    if (!buttons.empty()) box.setDefaultButton(buttons.front());
    if (escapeIndex >= 0 && escapeIndex < static_cast<int>(buttons.size()))
        box.setEscapeButton(buttons[static_cast<std::size_t>(escapeIndex)]);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
    return escapeIndex;
}

#pragma once

#include "platform/Prompter.h"

#include <QList>

#include <functional>

// Answers message boxes from a script and records every box it was shown.
class ScriptedPrompter : public Prompter {
public:
    struct Box {
        bool question = false;
        QString text;
        QString title;
        Icon icon = Icon::Information; // reports only; questions have no icon
        bool answer = false;           // questions only
    };

    // Answers for the next questions, in order; once used up, defaultAnswer answers.
    void queueAnswers(std::initializer_list<bool> answers) { m_answers.append(answers); }
    bool defaultAnswer = true;

    // Called while a box is open, before it is answered: lets a test look at the disk then.
    std::function<void(const Box&)> whileOpen;

    bool ask(const QString& text, const QString& title) override;
    void report(const QString& text, const QString& title, Icon icon) override;

    QList<Box> boxes;
    QStringList titles() const;
    void clear() { boxes.clear(); }

private:
    QList<bool> m_answers;
};

#pragma once

#include "platform/Prompter.h"

#include <QList>

// Answers every question with Yes and keeps the reports, so that a case can tell a measured
// operation that failed from one that did its work.
class YesPrompter : public Prompter {
public:
    struct Box {
        QString text;
        QString title;
        Icon icon;
    };

    QList<Box> reports;
    int questions = 0;

    bool ask(const QString&, const QString&) override {
        ++questions;
        return true;
    }
    void report(const QString& text, const QString& title, Icon icon) override {
        reports.append({text, title, icon});
    }

    // The first warning or error shown since the last clear, or "" when there was none.
    QString firstProblem() const {
        for (const Box& box : reports) {
            if (box.icon != Icon::Information)
                return box.title + QStringLiteral(": ") + box.text;
        }
        return {};
    }
    void clear() {
        reports.clear();
        questions = 0;
    }
};

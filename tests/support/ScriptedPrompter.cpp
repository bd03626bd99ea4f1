#include "ScriptedPrompter.h"

bool ScriptedPrompter::ask(const QString& text, const QString& title) {
    Box box{true, text, title, Icon::Information, defaultAnswer};
    if (!m_answers.isEmpty())
        box.answer = m_answers.takeFirst();
    if (whileOpen)
        whileOpen(box);
    boxes << box;
    return box.answer;
}

void ScriptedPrompter::report(const QString& text, const QString& title, Icon icon) {
    Box box{false, text, title, icon, false};
    if (whileOpen)
        whileOpen(box);
    boxes << box;
}

QStringList ScriptedPrompter::titles() const {
    QStringList result;
    for (const Box& box : boxes)
        result << box.title;
    return result;
}

#include "playlists/FailureReport.h"

#include "platform/Prompter.h"

void FailureReport::add(const QString& name, const QString& reason) {
    m_failures.append({name, reason});
}

void FailureReport::add(const QList<Failure>& failures) {
    m_failures.append(failures);
}

QString FailureReport::text(const QString& intro, const QString& closing) const {
    QString result = intro + QStringLiteral("\n");
    for (const Failure& failure : m_failures) {
        // The file operations already name the file in their reasons; say it only once.
        const bool named = failure.name.isEmpty() || failure.reason.contains(failure.name);
        result +=
            QStringLiteral("\n- ") +
            (named ? failure.reason : QStringLiteral("'%1': %2").arg(failure.name, failure.reason));
    }
    if (!closing.isEmpty())
        result += QStringLiteral("\n\n") + closing;
    return result;
}

void FailureReport::show(Prompter& prompter, const QString& title, const QString& intro,
                         const QString& closing) const {
    if (!isEmpty())
        prompter.report(text(intro, closing), title, Prompter::Icon::Exclamation);
}

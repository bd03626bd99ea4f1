#pragma once

#include <QList>
#include <QString>

class Prompter;

// One thing that could not be done: the file or folder it concerned, and why.
struct Failure {
    QString name;
    QString reason;
};

// What went wrong during one operation, told to the user in one box once it has ended, so that
// a failure is never left looking like the success reported before the file work.
class FailureReport {
public:
    void add(const QString& name, const QString& reason);
    void add(const QList<Failure>& failures);

    bool isEmpty() const { return m_failures.isEmpty(); }
    const QList<Failure>& failures() const { return m_failures; }

    // The intro, one line per failure naming the file and the reason, then the closing text.
    QString text(const QString& intro, const QString& closing = QString()) const;
    // Shows that text with the exclamation icon, unless nothing failed.
    void show(Prompter& prompter, const QString& title, const QString& intro,
              const QString& closing = QString()) const;

private:
    QList<Failure> m_failures;
};

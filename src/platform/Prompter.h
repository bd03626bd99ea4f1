#pragma once

#include <QString>

// Every message box of the program goes through here, so tests can answer and read them.
class Prompter {
public:
    enum class Icon { Information, Critical, Exclamation };

    virtual ~Prompter() = default;

    // Yes/No question without an icon; true only for Yes.
    virtual bool ask(const QString& text, const QString& title) = 0;

    // A report with an OK button.
    virtual void report(const QString& text, const QString& title,
                        Icon icon = Icon::Information) = 0;
};

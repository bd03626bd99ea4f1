#pragma once

#include "platform/Prompter.h"

#include <QPointer>
#include <QWidget>

// Modal QMessageBox boxes over the given window (or centred on the screen without one).
class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr)
        : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    bool ask(const QString& text, const QString& title) override;
    void report(const QString& text, const QString& title, Icon icon) override;

private:
    QPointer<QWidget> m_parent;
};

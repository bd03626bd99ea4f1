#include "platform/MessageBoxPrompter.h"

#include <QMessageBox>

bool MessageBoxPrompter::ask(const QString& text, const QString& title) {
    // QMessageBox::question would add a question icon; the questions have none.
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxPrompter::report(const QString& text, const QString& title, Icon icon) {
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    if (icon == Icon::Critical)
        boxIcon = QMessageBox::Critical;
    else if (icon == Icon::Exclamation)
        boxIcon = QMessageBox::Warning;
    QMessageBox box(boxIcon, title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

#include "widgets/DriveList.h"

DriveList::DriveList(QWidget* parent)
    : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this](int index) {
        const QString root = itemText(index);
        if (root == m_drive)
            return;
        m_drive = root;
        emit driveChanged(root);
    });
}

void DriveList::setDrives(const QStringList& roots) {
    const QString previous = m_drive;
    clear();
    addItems(roots);
    m_drive = currentText();
    setDrive(previous);
}

QString DriveList::drive() const {
    return currentText();
}

void DriveList::setDrive(const QString& root) {
    const int index = findText(root, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return;
    setCurrentIndex(index);
    m_drive = root;
}

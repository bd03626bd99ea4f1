#pragma once

#include <QComboBox>

// The mounted volumes; the chosen one is the volume being browsed.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    void setDrives(const QStringList& roots);
    QString drive() const;
    // Programmatic choice; emits no driveChanged.
    void setDrive(const QString& root);

signals:
    // The user chose another drive.
    void driveChanged(const QString& root);

private:
    QString m_drive; // the last drive chosen, to tell a new choice from picking it again
};

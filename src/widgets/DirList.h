#pragma once

#include <QListWidget>

// A folder with its ancestors and subfolders, like a folder tree opened down one path.
// Double-clicking a row opens that folder. Reading is synchronous, so count() and entry() are
// exact as soon as setPath() returns.
class DirList : public QListWidget {
    Q_OBJECT
public:
    explicit DirList(QWidget* parent = nullptr);

    // Opens path and emits pathChanged. Returns false, changing nothing, when the folder
    // cannot be read.
    bool setPath(const QString& path);
    QString path() const { return m_path; }
    void refresh(); // re-reads the subfolders of path()

    // The subfolders of path(): count and full paths, alphabetical.
    int count() const { return m_subfolders.size(); }
    QString entry(int index) const;

signals:
    void pathChanged(const QString& path);
    // The user tried to open a folder that cannot be read.
    void openFailed(const QString& path);

private:
    void rebuildRows();

    QString m_path;
    QStringList m_subfolders;
};

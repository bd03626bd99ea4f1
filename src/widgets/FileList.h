#pragma once

#include "widgets/ListBox.h"

namespace FolderScan {
struct Changes;
}

// The names of a folder's files that match a pattern: files only, no hidden files,
// alphabetical. Reads the folder when the folder is set and on refresh().
class FileList : public ListBox {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    // Wildcard pattern such as "*.mp3*", matched case-insensitively; empty lists every file.
    void setPattern(const QString& pattern);
    QString pattern() const { return m_pattern; }

    // Sets the folder and reads it; a folder that cannot be read leaves the list empty.
    void setFolder(const QString& folder);
    QString folder() const { return m_folder; }
    void refresh();

    QString selectedName() const { return selectedText(); }
    // The folder joined with a name, without doubling a separator the folder already ends in.
    QString pathOf(const QString& name) const;

    // Pure helpers, also used by the fuzz targets and the benchmark.
    static bool matchesPattern(const QString& name, const QString& pattern);
    static QStringList listFolder(const QString& folder, const QString& pattern);

private:
    bool showChanges(const FolderScan::Changes& changes);

    QString m_folder;
    QString m_pattern;
    // The last read of the folder, all its files in the order read, and what the entries were
    // made from: a refresh that finds only a few names changed changes only their rows.
    QStringList m_scan;
    QString m_scanFolder;
    QString m_scanPattern;
    quint64 m_scanRevision = 0;
};

#pragma once

#include <QString>
#include <QStringList>

// The folders the cases work on, all inside one temporary folder.
struct BenchFolders {
    explicit BenchFolders(const QString& root);

    QString root;
    QString copyProgram;  // 200 songs of 2 MiB in Library/ and in the playlist "Big"
    QString musicFolder;  // the game's music folder of copyProgram
    QString copyBaseline; // where cp puts its copies
    QString largeProgram; // 10,000 library songs and 300 playlists of 10 songs
    QString emptyProgram; // empty Library/ and Playlists/
    QString manyNames;    // 30,000 "*.mp3" names

    static constexpr int copySongs = 200;
    static constexpr qint64 copySongBytes = qint64(2) << 20;
    static constexpr int largeLibrarySongs = 10000;
    static constexpr int largePlaylists = 300;
    static constexpr int songsPerPlaylist = 10;
    static constexpr int manyNameCount = 30000;

    static QString bigPlaylist() { return QStringLiteral("Big"); }
    static QString targetPlaylist() { return QStringLiteral("Target"); }

    // Each makes the folders and files of some cases; false with the reason when one cannot be
    // made.
    bool makeCopyCase(QString* error) const;    // copyProgram, musicFolder
    bool makeStartupCase(QString* error) const; // largeProgram, emptyProgram
    bool makeManyNames(QString* error) const;   // manyNames
};

namespace Fixtures {

// Every file directly inside folder, as paths, in name order.
QStringList filePaths(const QString& folder);
// Deletes the files directly inside folder; its subfolders stay.
bool emptyFolder(const QString& folder);
// How many files lie directly inside folder.
int fileCount(const QString& folder);

} // namespace Fixtures

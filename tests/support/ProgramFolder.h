#pragma once

#include <QStringList>
#include <QTemporaryDir>

// A temporary program folder on the real file system: data.txt, Library/ and Playlists/,
// filled with real MP3 files from the test data.
class ProgramFolder {
public:
    // A folder as a new installation has it: an empty playlist line and "Never".
    ProgramFolder();

    QString path() const { return m_dir.path(); }
    QString library() const { return path() + QStringLiteral("/Library"); }
    QString playlists() const { return path() + QStringLiteral("/Playlists"); }
    QString playlist(const QString& name) const { return playlists() + QLatin1Char('/') + name; }
    QString stateFile() const { return path() + QStringLiteral("/data.txt"); }

    void writeState(const QString& playlist, const QString& updated, const QString& music);
    void writeStateBytes(const QByteArray& content);
    QByteArray stateBytes() const;
    QStringList stateLines() const; // the lines of data.txt without their CR LF

    // Copies a test song (tone-a.mp3 by default) into the folder under the given name.
    static void putSong(const QString& folder, const QString& name,
                        const QString& sample = QStringLiteral("tone-a.mp3"));
    void addLibrarySong(const QString& name, const QString& sample = QStringLiteral("tone-a.mp3"));
    void addPlaylist(const QString& name, const QStringList& songs = {});

    // The names in a folder, sorted: what a list should show.
    static QStringList filesIn(const QString& folder);

    static QString sample(const QString& name);

private:
    QTemporaryDir m_dir;
};

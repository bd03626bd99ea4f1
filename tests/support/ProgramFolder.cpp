#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

ProgramFolder::ProgramFolder() {
    QDir(path()).mkdir(QStringLiteral("Library"));
    QDir(path()).mkdir(QStringLiteral("Playlists"));
    writeState(QString(), QStringLiteral("Never"), QStringLiteral("/home/anna/Music"));
}

void ProgramFolder::writeState(const QString& playlist, const QString& updated,
                               const QString& music) {
    writeStateBytes(QStringLiteral("%1\r\n%2\r\n%3\r\n").arg(playlist, updated, music).toUtf8());
}

void ProgramFolder::writeStateBytes(const QByteArray& content) {
    QFile file(stateFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray ProgramFolder::stateBytes() const {
    QFile file(stateFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList ProgramFolder::stateLines() const {
    QStringList lines = QString::fromUtf8(stateBytes()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString ProgramFolder::sample(const QString& name) {
    return QStringLiteral(TOVIA_TEST_DATA "/") + name;
}

void ProgramFolder::putSong(const QString& folder, const QString& name, const QString& sampleName) {
    QDir().mkpath(folder);
    const QString target = folder + QLatin1Char('/') + name;
    QFile::remove(target);
    QVERIFY2(QFile::copy(sample(sampleName), target), qPrintable(target));
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                 QFile::ReadOther);
}

void ProgramFolder::addLibrarySong(const QString& name, const QString& sampleName) {
    putSong(library(), name, sampleName);
}

void ProgramFolder::addPlaylist(const QString& name, const QStringList& songs) {
    QDir().mkpath(playlist(name));
    for (const QString& song : songs)
        putSong(playlist(name), song);
}

QStringList ProgramFolder::filesIn(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    return names;
}

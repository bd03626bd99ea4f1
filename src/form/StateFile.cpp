#include "form/StateFile.h"

#include "form/FolderLayout.h"
#include "form/Form.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int stateLines = 3;
// data.txt holds three short lines; more than this is not a state file.
constexpr qint64 maxReadBytes = qint64(16) << 20;

QString decoded(const QByteArray& bytes, bool utf8) {
    return utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

QString oneLine(QString value) {
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

namespace StateFile {

StateValues parse(const QByteArray& content, int* linesRead) {
    QByteArrayView rest(content);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);

    QList<QByteArray> lines;
    while (!rest.isEmpty() && lines.size() < stateLines) {
        // CR LF, LF and a lone CR all end a line, so no value read can hold a line break and
        // the next write keeps every value as it was read.
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r')
            ++end;
        lines << rest.first(end).toByteArray();
        qsizetype next = end;
        if (next < rest.size())
            next +=
                (rest[next] == '\r' && next + 1 < rest.size() && rest[next + 1] == '\n') ? 2 : 1;
        rest = rest.sliced(next);
    }

    // Only the lines that are used decide the encoding: an older file may be in Latin-1.
    // Invalid UTF-8 does not survive decoding and encoding again unchanged.
    const bool isUtf8 = std::all_of(lines.begin(), lines.end(), [](const QByteArray& line) {
        return QString::fromUtf8(line).toUtf8() == line;
    });

    if (linesRead)
        *linesRead = int(lines.size());
    lines.resize(stateLines);
    return {decoded(lines[0], isUtf8), decoded(lines[1], isUtf8), decoded(lines[2], isUtf8)};
}

QByteArray encode(const StateValues& values) {
    QByteArray bytes;
    for (const QString& value : {values.currentPlaylist, values.lastUpdated, values.musicFolder})
        bytes += oneLine(value).toUtf8() + "\r\n";
    return bytes;
}

StateRead read(const QString& path) {
    StateRead result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.status = StateRead::Status::Missing;
        return result;
    }
    result.status = StateRead::Status::Unreadable;
    if (info.isDir()) {
        result.error = QStringLiteral("'%1' is a folder, not a file.").arg(path);
        return result;
    }
    if (!info.isFile()) {
        result.error = QStringLiteral("'%1' is not a regular file.").arg(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Could not open '%1': %2").arg(path, file.errorString());
        return result;
    }
    const bool large = file.size() > maxReadBytes;
    const QByteArray content = large ? file.read(maxReadBytes) : file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("Could not read '%1': %2").arg(path, file.errorString());
        return result;
    }
    if (large && content.count('\n') < stateLines) {
        result.error = QStringLiteral("'%1' is too large to be the program's state.").arg(path);
        return result;
    }
    result.status = StateRead::Status::Ok;
    result.values = parse(content, &result.linesRead);
    return result;
}

FileResult write(FileOps& files, const QString& path, const StateValues& values) {
    return files.writeAtomic(path, encode(values));
}

StateRead readInto(Form& form) {
    StateRead result = read(FolderLayout::stateFile(form.programFolder));
    if (result.status == StateRead::Status::Ok) {
        form.CurrentPlaylist = result.values.currentPlaylist;
        form.LastUpdated = result.values.lastUpdated;
        form.MusicFolder = result.values.musicFolder;
    }
    return result;
}

FileResult writeFrom(FileOps& files, const Form& form) {
    return write(files, FolderLayout::stateFile(form.programFolder),
                 {form.CurrentPlaylist, form.LastUpdated, form.MusicFolder});
}

} // namespace StateFile

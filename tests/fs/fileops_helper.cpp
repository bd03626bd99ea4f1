// Runs file operations in a process of its own, for tests that need another user's rights
// or a process that can be killed in the middle of a copy.
//
//   fileops_helper copy SRC DST | write PATH TEXT | remove PATH | rmtree PATH
//   fileops_helper churn SONG_A SONG_B DST STATE_A STATE_B STATE
//
// Single operations print "ok" or the failure reason. churn alternately copies SONG_A and
// SONG_B over DST and writes the content of STATE_A and STATE_B to STATE, printing a line
// after each pair, until it is killed.
#include "fs/FileOps.h"

#include <QFile>

#include <cstdio>

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

int report(const FileResult& result) {
    std::printf("%s\n", result ? "ok" : qPrintable(result.error));
    return result ? 0 : 1;
}

int churn(RealFileOps& files, char** argv) {
    const QString songs[] = {QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3])};
    const QByteArray states[] = {contentOf(QString::fromLocal8Bit(argv[5])),
                                 contentOf(QString::fromLocal8Bit(argv[6]))};
    const QString dst = QString::fromLocal8Bit(argv[4]);
    const QString state = QString::fromLocal8Bit(argv[7]);
    for (unsigned long round = 0;; ++round) {
        if (!files.copyReplace(songs[round % 2], dst) ||
            !files.writeAtomic(state, states[round % 2]))
            return 1;
        std::printf("%lu\n", round);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv) {
    RealFileOps files;
    const QByteArray command = argc > 1 ? argv[1] : "";
    const QString first = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const QString second = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (command == "copy" && argc == 4)
        return report(files.copyReplace(first, second));
    if (command == "write" && argc == 4)
        return report(files.writeAtomic(first, second.toUtf8()));
    if (command == "remove" && argc == 3)
        return report(files.removeFile(first));
    if (command == "rmtree" && argc == 3)
        return report(files.removeTree(first));
    if (command == "churn" && argc == 8)
        return churn(files, argv);
    std::fprintf(stderr, "unknown command\n");
    return 2;
}

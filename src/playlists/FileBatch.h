#pragma once

#include "playlists/FailureReport.h"
#include "playlists/FileJob.h"

#include <QList>
#include <QString>

#include <functional>

class FileOps;
class QWidget;

// Runs file jobs off the window's thread, so that copying a whole playlist never freezes the
// window: it keeps painting while the calling routine waits in run(). Jobs start in their order,
// one after another, or on two workers for a batch of many; their results come back in order. Once
// the work takes longer than a moment, a modal progress dialog names the job under way; until the
// batch ends the window takes no clicks or keys, as under any modal box.
class FileBatch {
public:
    using DoneHandler = std::function<void(qsizetype index, const FileResult& result)>;

    // How long a batch runs before its dialog appears.
    static constexpr int dialogDelayMs = 400;

    FileBatch(FileOps& files, QWidget* parent, QString title);

    // Called on the window's thread for every finished job, in the order of the jobs.
    void setDoneHandler(DoneHandler handler) { m_onDone = std::move(handler); }

    // Runs every job, whatever fails, and returns the failures in the order of the jobs.
    QList<Failure> run(const QList<FileJob>& jobs);

private:
    FileOps& m_files;
    QWidget* m_parent;
    QString m_title;
    DoneHandler m_onDone;
};

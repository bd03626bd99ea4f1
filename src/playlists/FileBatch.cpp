#include "playlists/FileBatch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QMutex>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <memory>
#include <optional>
#include <thread>
#include <utility>

namespace {

// How often the dialog's label and bar catch up with the worker.
constexpr int refreshIntervalMs = 50;

// From this many jobs on, two workers share a batch: copying is the kernel's work on the CPU
// as long as the data is in memory, so a second core nearly halves the time. Small batches
// keep one worker, which starts at once.
constexpr qsizetype twoWorkersFrom = 16;

// What the workers have done, handed over to the window's thread.
struct Progress {
    explicit Progress(qsizetype jobs)
        : results(jobs) {}

    QMutex mutex;
    qsizetype next = 0;                       // the next job to start
    qsizetype current = 0;                    // the latest job started
    QList<std::optional<FileResult>> results; // by job, as each one finishes
};

// Takes jobs in their order until none is left.
void work(const QList<FileJob>& jobs, FileOps& files, Progress& progress) {
    for (;;) {
        qsizetype job = 0;
        {
            QMutexLocker lock(&progress.mutex);
            if (progress.next >= jobs.size())
                return;
            job = progress.next++;
            progress.current = job;
        }
        FileResult result = jobs.at(job).runOn(files);
        QMutexLocker lock(&progress.mutex);
        progress.results[job] = std::move(result);
    }
}

// Holds off the user's clicks and keys while a batch runs, before and after its dialog shows:
// the routine that started it must end before the user can start another.
class InputBlocker : public QObject {
public:
    InputBlocker() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

FileBatch::FileBatch(FileOps& files, QWidget* parent, QString title)
    : m_files(files)
    , m_parent(parent)
    , m_title(std::move(title)) {}

QList<Failure> FileBatch::run(const QList<FileJob>& jobs) {
    if (jobs.isEmpty())
        return {};

    auto progress = std::make_shared<Progress>(jobs.size());
    QList<Failure> failures;
    qsizetype handled = 0;

    // Runs on the window's thread: takes over, in the order of the jobs, what the workers
    // finished since the last look.
    const auto takeResults = [&] {
        QList<FileResult> fresh;
        {
            QMutexLocker lock(&progress->mutex);
            for (qsizetype job = handled; job < jobs.size() && progress->results.at(job); ++job)
                fresh.append(*std::exchange(progress->results[job], std::nullopt));
        }
        for (const FileResult& result : std::as_const(fresh)) {
            if (!result)
                failures.append({jobs.at(handled).name, result.error});
            if (m_onDone)
                m_onDone(handled, result);
            ++handled;
        }
    };

    // Made only once the batch has taken longer than a moment: most batches end before that.
    std::unique_ptr<QProgressDialog> dialog;
    const auto showProgress = [&] {
        qsizetype current = 0;
        {
            QMutexLocker lock(&progress->mutex);
            current = progress->current;
        }
        dialog->setLabelText(QStringLiteral("%1 (%2 of %3)")
                                 .arg(jobs.at(current).description)
                                 .arg(current + 1)
                                 .arg(jobs.size()));
        // A shown modal dialog processes events in setValue(); the timers never re-enter.
        dialog->setValue(int(handled));
    };
    QTimer delay;
    delay.setSingleShot(true);
    delay.setInterval(dialogDelayMs);
    QObject::connect(&delay, &QTimer::timeout, [&] {
        dialog = std::make_unique<QProgressDialog>(m_parent);
        dialog->setWindowTitle(m_title);
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        dialog->setCancelButton(nullptr);
        dialog->setAutoReset(false);
        dialog->setAutoClose(false);
        dialog->setMinimumDuration(0);
        dialog->setRange(0, int(jobs.size()));
        takeResults();
        showProgress();
        dialog->show();
    });

    QTimer refresh;
    refresh.setInterval(refreshIntervalMs);
    // The window's thread looks at the worker's progress only on these ticks: waking it for
    // every file would take time from the copies on a machine with few cores.
    QObject::connect(&refresh, &QTimer::timeout, [&] {
        takeResults();
        if (dialog)
            showProgress();
    });

    const InputBlocker blocker;
    QEventLoop loop;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    const bool twoWorkers = jobs.size() >= twoWorkersFrom && QThread::idealThreadCount() > 1;
    watcher.setFuture(QtConcurrent::run([jobs, files = &m_files, progress, twoWorkers] {
        if (!twoWorkers) {
            work(jobs, *files, *progress);
            return;
        }
        std::thread second([&] { work(jobs, *files, *progress); });
        work(jobs, *files, *progress);
        second.join();
    }));
    delay.start();
    refresh.start();
    loop.exec();
    refresh.stop();
    delay.stop();
    watcher.waitForFinished();
    takeResults();
    return failures;
}

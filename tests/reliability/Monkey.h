#pragma once

#include "Sandbox.h"

#include "ui/ActionDispatch.h"

#include <QMap>
#include <QPoint>
#include <QRandomGenerator>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;
class TestApp;
class WatchedFileOps;

// One seeded run of random user actions against the real window, shown offscreen over a
// program folder inside a sandbox of sentinels. After every action it checks what the program
// promises: the lists show what their folders hold, data.txt keeps its three lines and mirrors
// the state values, no partial or temporary file is left, and nothing changed on the disk that
// the action did not ask for.
class Monkey {
public:
    explicit Monkey(quint32 seed);
    ~Monkey();

    // Runs up to actions actions and stops at the first broken promise: "" or what went wrong,
    // with the seed and the last actions, enough to replay the run.
    QString run(int actions);

    // Called after every action with its number: lets a test break a promise on purpose, to
    // show that the checks notice.
    std::function<void(int action, Sandbox& sandbox, TestApp& app)> sabotage;

    int actionsDone() const { return m_done; }
    int boxesShown() const { return m_boxes; }
    int fileCalls() const;
    // How often each routed operation ran.
    const QMap<Action, int>& routines() const { return m_routines; }

private:
    struct Change; // what one action may change on the disk

    void start();
    void act();
    QString check();

    // Actions.
    // Each returns false when it has nothing to act on right now.
    void clickControl(bool twice);
    bool clickRow(bool twice);
    bool typeName();
    bool tick();
    bool chooseDrive();
    bool hover();
    void clickAt(QWidget* widget, const QPoint& local, bool twice);
    void restoreWindow();

    // Checks (MonkeyChecks.cpp).
    QString checkLists() const;
    QString checkState() const;
    QString checkFiles(const QList<Change>& allowed);
    QString checkBoxesAndPlatform() const;
    QList<Change> allowedChanges() const;

    void note(const QString& line);
    int pick(int bound) { return int(m_random.bounded(quint32(bound))); }

    quint32 m_seed;
    QRandomGenerator m_random;
    Sandbox m_sandbox;
    std::unique_ptr<WatchedFileOps> m_files;
    std::unique_ptr<TestApp> m_app;
    QString m_previousDir;

    // What the current action did, and what the form showed before it.
    QList<Action> m_ran;
    bool m_listedPlaylist = false;
    bool m_browsed = false;
    QString m_songsFolderBefore;
    QString m_musicBefore;

    Sandbox::Snapshot m_snapshot;
    QStringList m_log;
    int m_done = 0;
    int m_boxes = 0;
    QMap<Action, int> m_routines;
};

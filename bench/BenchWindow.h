#pragma once

#include "QuietPlatform.h"
#include "YesPrompter.h"

#include "form/Form.h"
#include "form/MainWindow.h"
#include "fs/FileOps.h"

#include <memory>

// The real window over a program folder, started as the program starts it: wired, loaded,
// shown, with an always-Yes prompter and a platform that starts nothing.
class BenchWindow {
public:
    explicit BenchWindow(QString programFolder);
    ~BenchWindow();
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    // Creates the window, runs start-up and shows it; returns once the window is exposed (and so
    // painted) on the screen. False when it never became exposed.
    bool open();

    Form& form() { return m_window->form(); }
    MainWindow& window() { return *m_window; }

    YesPrompter prompter;
    QuietPlatform platform;
    RealFileOps files;

private:
    QString m_programFolder;
    std::unique_ptr<MainWindow> m_window;
};

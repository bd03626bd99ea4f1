#pragma once

#include "FakePlatform.h"
#include "ProgramFolder.h"
#include "ScriptedPrompter.h"

#include "app/Wiring.h"
#include "form/Form.h"
#include "form/MainWindow.h"
#include "fs/FileOps.h"

#include <memory>

// The real window over a temporary program folder, with scripted boxes and a fake platform.
class TestApp {
public:
    explicit TestApp(FileOps* files = nullptr);

    // Wires the events (through run, or the real routines) and runs start-up.
    void start(const ActionRunner& run = {});

    Form& form() { return window->form(); }

    ProgramFolder folder;
    FakePlatform platform;
    ScriptedPrompter prompter;
    RealFileOps realFiles;
    std::unique_ptr<MainWindow> window;
};

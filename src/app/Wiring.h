#pragma once

#include "ui/ActionDispatch.h"

#include <functional>

class MainWindow;
struct Form;

using ActionRunner = std::function<void(Action)>;

// Runs the routine behind an action.
void runAction(Form& form, Action action);

// Connects every event of the window's controls to its handler; clicks that the dispatch
// tables route go through run, so that tests can watch them.
void wireEvents(MainWindow& window, const ActionRunner& run);

#include "TestApp.h"

#include "app/Startup.h"

TestApp::TestApp(FileOps* files) {
    window =
        std::make_unique<MainWindow>(folder.path(), platform, prompter, files ? *files : realFiles);
}

void TestApp::start(const ActionRunner& run) {
    Form& f = form();
    wireEvents(
        *window, run ? run : [&f](Action action) { runAction(f, action); });
    Form_Load(f);
}

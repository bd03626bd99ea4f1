#include "BenchWindow.h"

#include "app/Startup.h"
#include "app/Wiring.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWindow>

BenchWindow::BenchWindow(QString programFolder)
    : m_programFolder(std::move(programFolder)) {}

BenchWindow::~BenchWindow() = default;

bool BenchWindow::open() {
    m_window = std::make_unique<MainWindow>(m_programFolder, platform, prompter, files);
    Form& f = m_window->form();
    wireEvents(*m_window, [&f](Action action) { runAction(f, action); });
    Form_Load(f);
    m_window->show();

    // The expose event arrives through the event queue; the window paints as it handles it.
    const QWindow* handle = m_window->windowHandle();
    const QDeadlineTimer deadline(10000);
    while (!(handle && handle->isExposed()) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        handle = m_window->windowHandle();
    }
    return handle && handle->isExposed();
}

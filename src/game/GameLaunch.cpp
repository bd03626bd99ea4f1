#include "game/GameLaunch.h"

#include "form/Form.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"

#include <QWidget>

namespace {

// Where the game installs itself. It runs under Wine, which takes the Windows path as it is.
const QString gameExecutable =
    QStringLiteral("C:\\Program Files\\Quillon Interactive\\The Tovia 3\\Game\\Bin\\TV3.exe");

} // namespace

void StartGame(Form& form) {
    // The window goes before the game starts. Closing it ends the program, and a box opened
    // after that would be swept away with it, so it is hidden now and closed after any report.
    form.window->hide();
    QString error;
    if (!form.platform->startDetached(QStringLiteral("wine"), {gameExecutable}, &error))
        form.prompter->report(QStringLiteral("The Tovia 3 could not be started from '%1' with "
                                             "Wine.\n%2")
                                  .arg(gameExecutable, error),
                              QStringLiteral("Game Not Started"), Prompter::Icon::Exclamation);
    form.window->close();
}

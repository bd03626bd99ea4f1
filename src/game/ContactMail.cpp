#include "game/ContactMail.h"

#include "form/Form.h"
#include "platform/Platform.h"

#include <QUrl>

int EmailMessage(Form& form, QString EmailAddress) {
    if (EmailAddress.trimmed().isEmpty())
        return 0;
    // Address and subject go in as they are. Tolerant parsing keeps the text unchanged; only
    // what a link cannot carry (spaces) is percent-encoded when the desktop receives it.
    const QUrl link(
        QStringLiteral("mailto:") + EmailAddress +
            QStringLiteral("?subject=Comments or Questions for The Tovi 3 Music Manager"),
        QUrl::TolerantMode);
    if (!link.isValid())
        return -1;
    return form.platform->openUrl(link) ? 1 : -1;
}

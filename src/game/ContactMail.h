#pragma once

#include <QString>

struct Form;

// Opens a new mail to EmailAddress; 0 when nothing was attempted, else 1 when the desktop
// took the link and -1 when it did not.
int EmailMessage(Form& form, QString EmailAddress);

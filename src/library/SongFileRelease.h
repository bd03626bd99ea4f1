#pragma once

#include <QString>

struct Form;

// Stops every preview player that has this file loaded, so that the file can be replaced or
// deleted: a player would keep playing the old copy and may hold it open against replacement.
void ReleaseSongFile(Form& form, const QString& path);

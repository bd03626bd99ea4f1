#pragma once

#include <QString>

struct Form;

void settings_Drive_Change(Form& form, const QString& drive);
// Both return whether the music folder was changed; the callers ignore it.
bool ChangeMusicFolder(Form& form);
bool UseDefaultMusicFolder(Form& form);

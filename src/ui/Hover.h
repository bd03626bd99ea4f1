#pragma once

struct Form;

// Highlights under the mouse, and the backgrounds that put them back.
void maKebuttonsnotactive(Form& form);
void windowBackgroundMouseMove(Form& form);
void sidelablesMouseMove(Form& form, int index);
void startgameMouseMove(Form& form);
void sidebuttonMouseMove(Form& form, int normalButton); // 1, 2, 3 or 7
void closeButtonMouseMove(Form& form);
void minimiseButtonMouseMove(Form& form);

#pragma once

struct Form;

// Closes the window, then starts the game.
void StartGame(Form& form);

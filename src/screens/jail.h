#pragma once

// Screen 4, jail and game over: plays its whole sequence as soon as it is
// entered, by the hunt's jailState, then switches on by itself: to the main
// screen after a sentence, to the roster after a game over.
void DrawJailScreen();

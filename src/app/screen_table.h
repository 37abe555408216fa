#pragma once
// The game's eight screens and their handlers, by screen number.

// Hands the table to the screen manager; GameInit does it, as do tests that
// run screens without the whole start-up.
void RegisterGameScreens();

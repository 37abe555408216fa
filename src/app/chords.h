#pragma once
// The hidden Ctrl chords: Ctrl+D the debug options anywhere, Ctrl+T the hunt's
// clock to 9:00, Ctrl+M the store's money.

// Hands the chords to the input layer; GameInit does it.
void RegisterHiddenChords();

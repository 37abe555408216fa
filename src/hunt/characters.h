#pragma once
// The talking heads: the partner in the blind, Wilma the game warden and
// Sheriff Jones. A comment is entry comment - 1 of the character's sound bank
// "char%02d"; the face moves with the loudness of the recording.

// A full talking head (the warden) at (x, y), layer 117; waits for the end.
void DoCharacterComment(int character, int comment, int x, int y, int mirror);
// The warden's comment at (220, 470), the pointer hidden.
void DoWilmaComment(int comment);
// The sheriff on the jail screen: layer 119, only mouth and second overlay redrawn.
void DoSheriffComment(int character, int comment, int x, int y);
// The partner's face pops up at (300, 470) and talks; a key or click cuts it short.
void DoPartnerComment(int comment);
// The partner's voice alone; dropped while the voice slot is playing.
void DoPartnerVoice(int comment);

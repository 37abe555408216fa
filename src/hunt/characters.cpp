// The talking heads. Not drawn yet: each comment returns at once.
#include "hunt/characters.h"

void DoCharacterComment(int, int, int, int, int) {}
void DoWilmaComment(int) {}
void DoSheriffComment(int, int, int, int) {}
void DoPartnerComment(int) {}
void DoPartnerVoice(int) {}

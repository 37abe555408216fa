#pragma once
#include <string>
#include <vector>

// The scrolling credits on the way out: the lines rise over the darkened main
// screen picture with their own music. A key or click ends them at once (and
// stays in the queue); otherwise the music plays to its end.
void Credits();

// The game's credits lines: a font digit, a space, then the text.
const std::vector<std::string>& CreditsLines();

// The same with another list, for tests.
void RollCredits(const std::vector<std::string>& lines);

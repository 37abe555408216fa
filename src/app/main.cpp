// The entry point of the game.
#include "app/game.h"

int main() {
    return RunGame();
}

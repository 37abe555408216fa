// Saves options.dat in the current folder over and over, each time as the next
// generation (see save_generation.h), and reports every finished save on
// stdout as its 4-byte generation number. Starts after the generation the file
// already holds. The crash test kills it at random moments.
#include <unistd.h>

#include <cstdint>

#include "shell/save_generation.h"

int main() {
    uint32_t generation = LoadOptions() == 1 ? GenerationOfRoster() : 0;
    // Bounded, so a helper whose parent forgot it still ends.
    for (int saves = 0; saves < 200000; ++saves) {
        generation += 1;
        FillGeneration(generation);
        SaveOptions();
        if (write(STDOUT_FILENO, &generation, sizeof generation) != sizeof generation) {
            return 1;
        }
    }
    return 0;
}

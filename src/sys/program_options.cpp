#include "sys/program_options.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "sys/identity.h"

namespace {

bool IsOneOf(std::initializer_list<const char*> known, const char* arg) {
    for (const char* option : known) {
        if (std::strcmp(option, arg) == 0) {
            return true;
        }
    }
    return false;
}

bool IsNegativeNumber(const char* arg) {
    if (arg[0] != '-' || arg[1] == '\0') {
        return false;
    }
    for (const char* c = arg + 1; *c != '\0'; ++c) {
        if (std::isdigit(static_cast<unsigned char>(*c)) == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

int SysUsageError(const ProgramOptions& options, const char* why) {
    std::fprintf(stderr, "%s: %s\nUsage: %s %s\nTry '%s --help' for more information.\n",
                 options.name, why, options.name, options.usage, options.name);
    return 2;
}

int SysProgramOptions(int argc, char** argv, const ProgramOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::printf("Usage: %s %s\n%s", options.name, options.usage, options.help);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::printf("%s (Talmadge Reed Gunner) %s\n", options.name, kGameVersion);
            return 0;
        }
        if (IsOneOf(options.withValue, arg)) {
            ++i;
            continue;
        }
        if (IsOneOf(options.flags, arg)) {
            continue;
        }
        if (arg[0] == '-' && !(options.negativeNumbers && IsNegativeNumber(arg))) {
            const std::string why = std::string("unknown option '") + arg + "'";
            return SysUsageError(options, why.c_str());
        }
    }
    return -1;
}

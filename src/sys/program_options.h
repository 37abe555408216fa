#pragma once
#include <initializer_list>

// What every program of the game answers on its command line, so that a
// mistyped option never becomes a folder or file name.
struct ProgramOptions {
    const char* name;   // the program's installed name, for --version
    const char* usage;  // the arguments after the name, for the usage line
    const char* help;   // what --help prints after the usage line (ends in a newline)
    // The program's own options that take a value (the value is never an option).
    std::initializer_list<const char*> withValue = {};
    // The program's own options that take no value.
    std::initializer_list<const char*> flags = {};
    // Whether an argument like "-1" is a value rather than an option.
    bool negativeNumbers = false;
};

// Looks for --help (-h), --version and unknown options (any argument starting
// with '-' that the program does not read, "-" and "--" included). Returns -1
// when the program should go on with its arguments, else the status to exit
// with: 0 after printing the help or the version to standard output, 2 after
// a usage line on standard error.
int SysProgramOptions(int argc, char** argv, const ProgramOptions& options);

// Prints the usage line to standard error and returns 2, for a program that
// finds its arguments wrong in number or kind.
int SysUsageError(const ProgramOptions& options, const char* why);

#pragma once
// Runs a program as a subprocess and collects what it wrote and how it ended.

#include <map>
#include <string>
#include <vector>

struct ProgramResult {
    std::string out;  // standard output
    std::string err;  // standard error
    int status = -1;  // exit status (0..255), or -1 when it did not exit normally
};

// Runs program with arguments from the working directory, standard input from /dev/null.
// Environment entries are added to (or, with an empty value, removed from) the inherited ones.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& workingDirectory,
                         const std::map<std::string, std::string>& environment = {},
                         int timeoutSeconds = 60);

// The game binary built beside the tests, and the repo root it reads its data from.
std::string gameBinary();
std::string sourceDir();

// How often part occurs in text (a program's output), overlapping occurrences included.
int occurrences(const std::string& text, const std::string& part);

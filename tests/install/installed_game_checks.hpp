#pragma once
// Checks shared by the tests of the installed game and of the Debian package: running tools from /,
// and the game started from / far from its data.

#include "tests/support/run_program.hpp"

#include <filesystem>
#include <string>
#include <vector>

// Runs a program from /, as a player's desktop would.
ProgramResult runFromRoot(const std::string& program, const std::vector<std::string>& arguments,
                          int timeoutSeconds = 120);

// The full path of a system tool, or the bare name when it is in none of the usual folders.
std::string toolPath(const std::string& name);

// Starts the game from /, lets it load and play for a moment, ends it with Escape, and expects it
// to have found every file and compiled every shader.
void expectPlaysFromRoot(const std::filesystem::path& program);

// A gzip file made without a stored name or time stamp, so every build gives the same bytes.
void expectGzipWithoutNameOrTime(const std::filesystem::path& file);

#pragma once
// Stands in for the console "PAUSE" command before a fatal start-up exit.

// Waits for Enter, but only when standard input is a terminal; otherwise returns at once,
// so scripts, tests and CI never hang on it.
void pauseConsole();

// pauseConsole(), then ends the process with the given status.
[[noreturn]] void pauseAndExit(int status);

#pragma once
// Where the game's console texts go: its traces to standard output until --quiet silences them, and the
// failure messages it writes beside them to standard error once they are silenced, so none is lost.

#include <iosfwd>

// From now on standard output (std::cout) takes everything and writes nothing.
void silenceTraces();
bool tracesSilenced();
// The stream for a failure message that goes with the traces: std::cout, or std::cerr when silenced.
std::ostream& failureOutput();

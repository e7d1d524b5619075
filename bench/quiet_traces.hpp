#pragma once
// Swallows the game's traces (spawn lines, landings, grids) while a benchmark runs; reports use printf.

#include <iostream>
#include <sstream>

class QuietTraces {
public:
    QuietTraces() : previous_(std::cout.rdbuf(sink_.rdbuf())) {}
    ~QuietTraces() { std::cout.rdbuf(previous_); }
    QuietTraces(const QuietTraces&) = delete;
    QuietTraces& operator=(const QuietTraces&) = delete;

private:
    std::ostringstream sink_;
    std::streambuf* previous_;
};

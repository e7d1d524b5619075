#include "platform/console_pause.hpp"

#include "platform/console_traces.hpp"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <unistd.h>

void pauseConsole()
{
    if (!isatty(STDIN_FILENO))
        return;
    failureOutput() << "Press Enter to continue..." << std::flush;
    std::string line;
    std::getline(std::cin, line);
}

void pauseAndExit(int status)
{
    pauseConsole();
    std::cout.flush();
    std::cerr.flush();
    std::exit(status);
}

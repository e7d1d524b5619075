#include "platform/console_pause.hpp"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <unistd.h>

void pauseConsole()
{
    if (!isatty(STDIN_FILENO))
        return;
    std::cout << "Press Enter to continue..." << std::flush;
    std::string line;
    std::getline(std::cin, line);
}

void pauseAndExit(int status)
{
    pauseConsole();
    std::cout.flush();
    std::exit(status);
}

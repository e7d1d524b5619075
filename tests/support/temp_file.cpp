#include "tests/support/temp_file.hpp"

#include <fstream>
#include <sstream>
#include <unistd.h>

std::string makeTempFile()
{
    char name[] = "/tmp/quarvel-test-XXXXXX";
    close(mkstemp(name));
    return name;
}

std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

#include "platform/console_traces.hpp"

#include <iostream>
#include <streambuf>

namespace {

// Takes every character and keeps none.
class DiscardBuffer : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char_type*, std::streamsize count) override { return count; }
};

DiscardBuffer discard;
bool silenced = false;

} // namespace

void silenceTraces()
{
    std::cout.flush();
    std::cout.rdbuf(&discard);
    silenced = true;
}

bool tracesSilenced()
{
    return silenced;
}

std::ostream& failureOutput()
{
    return silenced ? std::cerr : std::cout;
}

#include "platform/write_all.hpp"

#include <cerrno>
#include <unistd.h>

bool writeAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t wrote = ::write(fd, text.data(), text.size());
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return true;
}

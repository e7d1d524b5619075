#pragma once
// Writes a whole text to a file descriptor: short writes go on, interrupted ones are tried again.

#include <string_view>

// False when a write failed (errno says why); part of the text may be written then.
bool writeAll(int fd, std::string_view text);

#pragma once
// A number that is the whole text: no sign where the type has none, no spaces, nothing after it, and
// within the type's range. The files the game reads are edited by hand and damaged by accident.

#include <charconv>
#include <optional>
#include <string_view>

template <typename Number>
std::optional<Number> wholeNumber(std::string_view text, int base = 10)
{
    Number value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

#include "number_format.hpp"

#include <cmath>
#include <cstdio>

namespace assetgen {

std::string formatNumber(float value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, double(value));
    std::string s(text);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    if (s == "-0")
        s = "0";
    return s;
}

} // namespace assetgen

#pragma once
// Fixed, locale-free number text for the model files: the same bytes on every run.

#include <string>

namespace assetgen {

// decimals places, trailing zeros dropped, never "-0".
std::string formatNumber(float value, int decimals = 4);

} // namespace assetgen

// The shared number formatter and the locale-independent number readers.
#pragma once

#include <string>
#include <string_view>

namespace xelmor {

// Formats a real as every text the programs show, write or store does: "%g" for magnitudes
// above 1e7 or below 1e-4 (zero included), otherwise fixed-point with `decimals` decimals
// (at most 16) with trailing zeros and then a trailing point removed. A zero, negative or
// rounded to zero, is "0". Always in the C locale.
std::string FormatNumber(double value, int decimals);

// "%g" (6 significant digits, exponent form when that is shorter) in the C locale.
std::string FormatG(double value);

// Reads the leading decimal number of a text as the C library's atof does in the C locale:
// leading white space, an optional sign, digits with an optional point and exponent; trailing
// text is ignored and text without a number gives 0. Only decimal notation is recognised
// ("inf", "nan" and hexadecimal read as 0); a number too large for a double gives +-infinity.
double ParseDouble(std::string_view text);

// Reads the leading integer of a text as atoi does (white space, sign, digits); text without a
// number gives 0 and values beyond the int range are clamped to it.
int ParseInt(std::string_view text);

} // namespace xelmor

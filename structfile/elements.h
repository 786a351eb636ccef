// The element symbol table of the structure files: the 92 elements H (Z = 1) to U (Z = 92).
#pragma once

#include <string_view>

namespace xelmor {

// Number of elements in the table; atomic numbers run from 1 to this value.
inline constexpr int kElementCount = 92;

// The symbol of element Z with the table's capitalisation ("Si"), or nullptr when Z is outside
// 1 to kElementCount.
const char* ElementSymbol(int Z);

// The atomic number whose symbol equals the text, ignoring case ("si", "SI" and "Si" give 14);
// 0 when no symbol matches.
int FindElement(std::string_view symbol);

} // namespace xelmor

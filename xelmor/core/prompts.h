// The range prompts shown when a typed number is refused.
#pragma once

#include <string>

namespace xelmor {

// "Enter a number between LO and HI.", the bounds printed as %g prints them.
std::string NumberRangePrompt(double lo, double hi);

// "Enter an integer between LO and HI."
std::string IntegerRangePrompt(int lo, int hi);

// The prompts for text that is no number at all.
inline constexpr const char* kNumberPrompt = "Enter a number.";
inline constexpr const char* kIntegerPrompt = "Enter an integer.";

} // namespace xelmor

#include "xelmor/core/prompts.h"

#include "structfile/number_format.h"

#include <charconv>

namespace xelmor {

std::string NumberRangePrompt(double lo, double hi) {
    return "Enter a number between " + FormatG(lo) + " and " + FormatG(hi) + ".";
}

std::string IntegerRangePrompt(int lo, int hi) {
    return "Enter an integer between " + std::to_string(lo) + " and " + std::to_string(hi) + ".";
}

} // namespace xelmor

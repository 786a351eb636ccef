#include "xelmor/core/prompts.h"

#include <charconv>

namespace xelmor {

namespace {

std::string G(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    return std::string(buf, r.ptr);
}

} // namespace

std::string NumberRangePrompt(double lo, double hi) {
    return "Enter a number between " + G(lo) + " and " + G(hi) + ".";
}

std::string IntegerRangePrompt(int lo, int hi) {
    return "Enter an integer between " + std::to_string(lo) + " and " + std::to_string(hi) + ".";
}

} // namespace xelmor

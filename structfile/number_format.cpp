#include "structfile/number_format.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace xelmor {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipSpace(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && IsSpace(t[i]))
        ++i;
    return i;
}

// A "C" locale object for strtod_l, created once.
locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

} // namespace

std::string FormatG(double value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
    return std::string(buf, r.ptr);
}

std::string FormatNumber(double value, int decimals) {
    char buf[400];
    const double mag = std::fabs(value);
    if (value == 0)
        return "0"; // also for -0, which would otherwise print as "-0"
    if (mag > 10000000.0 || mag < 0.0001)
        return FormatG(value);
    const int n = std::clamp(decimals, 0, 16);
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, n);
    std::string s(buf, r.ptr);
    // Trailing zeros belong to the fraction only; an integer printed without decimals keeps them.
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0')
            s.pop_back();
        if (!s.empty() && s.back() == '.')
            s.pop_back();
    }
    // A small negative value rounded away, such as -0.0001 at 2 decimals.
    if (s == "-0")
        s = "0";
    return s;
}

double ParseDouble(std::string_view text) {
    std::size_t i = SkipSpace(text);
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    const std::string number(text.substr(start, i - start));
    return strtod_l(number.c_str(), nullptr, CLocale());
}

int ParseInt(std::string_view text) {
    std::size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long v = 0;
    while (i < text.size() && IsDigit(text[i])) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            v = static_cast<long long>(INT_MAX) + 1;
        ++i;
    }
    if (negative)
        v = -v;
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace xelmor

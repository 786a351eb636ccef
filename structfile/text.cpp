#include "structfile/text.h"

#include <cstdint>

namespace xelmor {

namespace {

bool IsWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Unicode code points of the Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page
// leaves undefined map to the C1 control of the same value, as Windows itself converts them.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

std::string CleanLine(std::string_view line) {
    const std::size_t comment = line.find_first_of("!#");
    if (comment != std::string_view::npos)
        line = line.substr(0, comment);
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (begin < end && (IsWhite(line[begin]) || line[begin] == ','))
        ++begin;
    while (end > begin && (IsWhite(line[end - 1]) || line[end - 1] == ','))
        --end;
    std::string out(line.substr(begin, end - begin));
    for (char& c : out) {
        if (c == ',' || c == '\t')
            c = ' ';
    }
    return out;
}

std::vector<std::string> SplitTokens(std::string_view cleaned, int n) {
    std::vector<std::string> tokens;
    if (n < 1)
        return tokens;
    tokens.reserve(static_cast<std::size_t>(n));
    std::string_view rest = cleaned;
    for (int i = 0; i < n; ++i) {
        const std::size_t lead = rest.find_first_not_of(' ');
        rest = lead == std::string_view::npos ? std::string_view() : rest.substr(lead);
        if (i == n - 1) {
            tokens.emplace_back(rest);
            break;
        }
        const std::size_t blank = rest.find(' ');
        if (blank == std::string_view::npos) {
            tokens.emplace_back(rest);
            rest = std::string_view();
        } else {
            tokens.emplace_back(rest.substr(0, blank));
            rest = rest.substr(blank + 1);
        }
    }
    return tokens;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        else if (end > start && text[end - 1] == '\r')
            --end;
        lines.push_back(text.substr(start, end - start));
        start = next;
    }
    return lines;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto b0 = static_cast<std::uint8_t>(bytes[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            len = 2;
            cp = b0 & 0x1F;
            min = 0x80;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            len = 3;
            cp = b0 & 0x0F;
            min = 0x800;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            len = 4;
            cp = b0 & 0x07;
            min = 0x10000;
        } else {
            return false;
        }
        if (n - i < len)
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto b = static_cast<std::uint8_t>(bytes[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

std::string DecodeText(std::string_view bytes) {
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            AppendUtf8(out, kCp1252High[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

} // namespace xelmor

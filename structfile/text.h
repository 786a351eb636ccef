// Text primitives of the structure files: line cleaner, token splitter, line splitter, decoding.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace xelmor {

// Cleans one line before it is interpreted: everything from the first '!' or '#' on is a
// comment and is removed, every comma and TAB becomes a blank, and leading and trailing white
// space is trimmed. An empty result is a blank line.
std::string CleanLine(std::string_view line);

// Splits a cleaned line into exactly n tokens (none when n < 1): the text is cut at its first
// blank, the rest loses its leading blanks and is cut again until n - 1 tokens are taken; the
// n-th token is the whole remaining text, blanks included. Missing tokens are empty.
std::vector<std::string> SplitTokens(std::string_view cleaned, int n);

// Splits a text into lines ended by LF or CR LF (the line ends are not part of the lines). A
// last line without a line end counts; a final line end does not start another, empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Turns the bytes of a text file into UTF-8: valid UTF-8 is returned unchanged, anything else
// is read byte by byte as Windows-1252. ASCII passes byte for byte either way.
std::string DecodeText(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values above
// U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Appends the UTF-8 form of a code point: one byte below U+0080, two below U+0800, three
// below U+10000 and four above. The caller passes a valid scalar value.
void AppendUtf8(std::string& out, char32_t cp);

// The line end every text file of the programs is written with, on every platform.
inline constexpr std::string_view kLineEnd = "\r\n";

// Appends a line and its CR LF line end.
inline void AppendLine(std::string& out, std::string_view line) {
    out += line;
    out += kLineEnd;
}

} // namespace xelmor

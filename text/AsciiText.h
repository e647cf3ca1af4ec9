// AsciiText.h: comparing the ASCII names that files and discs write in either case.
#pragma once

#include <algorithm>
#include <string_view>

// Only ASCII letters fold: these names are ASCII, so no other letters can equal them in another
// case, and a byte of a UTF-8 character is left alone.
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

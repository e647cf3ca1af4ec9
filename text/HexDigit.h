// HexDigit.h: the value of one hexadecimal digit, as udev's names write them.
#pragma once

// 0 ... 15, or -1 for a character that is no hexadecimal digit.
constexpr int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// SpinText.h: the rules of a numeric spin field's text: what may be typed and what it reads as.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Digits, the signs and the decimal point may be typed; anything else, letters above all, is
// refused. A text of these alone need not be a number yet: the player may be half-way.
bool IsSpinText(std::string_view text);

// The whole number the text spells (an optional sign, then digits), if it is within the signed
// 32-bit range.
std::optional<int32_t> WholeNumber(std::string_view text);

enum class TSpinTextKind { InRange, OutOfRange, NotANumber };

struct TSpinReading {
    int32_t Value;
    TSpinTextKind Kind;
};

// A number reads as itself brought into minValue ... maxValue; any other text reads as minValue.
TSpinReading ReadSpinText(std::string_view text, int32_t minValue, int32_t maxValue);

// A value set by the program or the arrows, brought into the range.
int32_t ClampSpinValue(int64_t value, int32_t minValue, int32_t maxValue);

// SpinText.cpp: typing into a spin field and reading its text.
#include "settings/core/SpinText.h"

#include <algorithm>
#include <charconv>

bool IsSpinText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    });
}

std::optional<int32_t> WholeNumber(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        digits.remove_prefix(1);
    }
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    // from_chars takes a minus sign but no plus, and reports a number beyond the range.
    const std::string_view number = text.front() == '+' ? digits : text;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size()) {
        return std::nullopt;
    }
    return value;
}

int32_t ClampSpinValue(int64_t value, int32_t minValue, int32_t maxValue) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, minValue, maxValue));
}

TSpinReading ReadSpinText(std::string_view text, int32_t minValue, int32_t maxValue) {
    const std::optional<int32_t> number = WholeNumber(text);
    if (!number) {
        return {minValue, TSpinTextKind::NotANumber};
    }
    const int32_t value = ClampSpinValue(*number, minValue, maxValue);
    return {value, value == *number ? TSpinTextKind::InRange : TSpinTextKind::OutOfRange};
}

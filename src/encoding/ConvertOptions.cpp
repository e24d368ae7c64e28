#include "vellomar/ConvertOptions.h"

#include <cstdint>

namespace vellomar {

namespace {
constexpr bool IsCSpace(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
constexpr bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }
} // namespace

std::int32_t ReadPixelsPerLine(std::string_view text) noexcept {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Unsigned arithmetic wraps modulo 2^32 without undefined behaviour.
    std::uint32_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value); // two's complement reading, defined since C++20
}

} // namespace vellomar

#include "download/code_number.h"

namespace tessorin::download {
namespace {

bool isWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

bool isDigitOfBase(char c, int base) { return digitValue(c) < base; }

}  // namespace

uint32_t readCodeNumber(std::string_view text, int base) {
    size_t i = 0;
    while (i < text.size() && isWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // "0x" counts as a prefix only when a hexadecimal digit follows; otherwise the 0 is the number.
    if (base == 16 && i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        isDigitOfBase(text[i + 2], 16)) {
        i += 2;
    }
    uint64_t value = 0;
    for (; i < text.size() && isDigitOfBase(text[i], base); ++i) {
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digitValue(text[i]));
        if (value > 0xFFFFFFFFull) return 0xFFFFFFFFu;  // even with a minus sign, as strtoul does
    }
    uint32_t result = static_cast<uint32_t>(value);
    return negative ? static_cast<uint32_t>(0u - result) : result;
}

}  // namespace tessorin::download

#include "base/numbers.h"

#include <stdexcept>

namespace tessorin {
namespace {

constexpr uint64_t kMaxUnsigned32 = 0xFFFFFFFFull;

// Digit value in bases up to 36; -1 for anything else, including non-ASCII bytes.
int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return -1;
}

bool isDigitOfBase(char c, int base) {
    int value = digitValue(c);
    return value >= 0 && value < base;
}

bool allDigitsOfBase(std::string_view text, int base) {
    if (text.empty()) return false;
    for (char c : text)
        if (!isDigitOfBase(c, base)) return false;
    return true;
}

bool hasHexPrefix(std::string_view text) {
    return text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// The common front of the strtoul-like conversions.
struct LeadingDigits {
    bool negative = false;
    bool anyDigit = false;
    bool overflow = false;  // beyond 32 bits unsigned
    uint64_t magnitude = 0;
};

LeadingDigits scanLeadingDigits(std::string_view text, int base) {
    LeadingDigits result;
    size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) result.negative = text[i++] == '-';
    // "0x" without a hexadecimal digit after it reads as the digit 0, as strtoul does.
    if (base == 16 && hasHexPrefix(text.substr(i)) && i + 2 < text.size() && isDigitOfBase(text[i + 2], 16)) i += 2;
    for (; i < text.size() && isDigitOfBase(text[i], base); ++i) {
        result.anyDigit = true;
        if (result.overflow) continue;
        result.magnitude = result.magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digitValue(text[i]));
        if (result.magnitude > kMaxUnsigned32) result.overflow = true;
    }
    return result;
}

void requireBase(int base) {
    if (base < 2 || base > 36) throw std::invalid_argument("number base must be 2 to 36");
}

}  // namespace

uint32_t parseNumber(std::string_view text) {
    int base = 10;
    std::string_view digits = text;
    if (!allDigitsOfBase(text, 10)) {
        if (hasHexPrefix(text)) digits = text.substr(2);
        if (!allDigitsOfBase(digits, 16)) return 0;
        base = 16;
    }
    LeadingDigits scanned = scanLeadingDigits(digits, base);
    if (scanned.overflow) throw std::out_of_range("number wider than 32 bits");
    return static_cast<uint32_t>(scanned.magnitude);
}

uint32_t parseNumberInBase(std::string_view text, int base) {
    const LeadingNumber scanned = scanNumberInBase(text, base);
    if (!scanned.anyDigit) throw std::invalid_argument("no digits");
    if (scanned.wider32) throw std::out_of_range("number wider than 32 bits");
    return scanned.value;
}

LeadingNumber scanNumberInBase(std::string_view text, int base) {
    requireBase(base);
    const LeadingDigits scanned = scanLeadingDigits(text, base);
    LeadingNumber number{scanned.anyDigit, scanned.overflow, 0};
    if (scanned.anyDigit && !scanned.overflow) {
        const auto value = static_cast<uint32_t>(scanned.magnitude);
        number.value = scanned.negative ? 0u - value : value;
    }
    return number;
}

bool isNonZeroNumber(std::string_view text) { return !text.empty() && parseNumber(text) != 0; }

int32_t leadingInteger(std::string_view text, int base) {
    if (base < 2 || base > 36) return 0;
    LeadingDigits scanned = scanLeadingDigits(text, base);
    if (scanned.negative) {
        if (scanned.overflow || scanned.magnitude > 0x80000000ull) return INT32_MIN;
        return static_cast<int32_t>(-static_cast<int64_t>(scanned.magnitude));
    }
    if (scanned.overflow || scanned.magnitude > 0x7FFFFFFFull) return INT32_MAX;
    return static_cast<int32_t>(scanned.magnitude);
}

std::string reverseHexPairs(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t k = text.size() / 2; k > 0; --k) out.append(text.substr(2 * (k - 1), 2));
    return out;
}

}  // namespace tessorin

// Number texts from the INI file, the operator and code files: every conversion
// is compared with the C library's strtoull/strtoll, which define the behaviour
// these conversions promise.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "base/numbers.h"
#include "download/code_file_reader.h"

namespace {

void require(bool condition, const char* what, const std::string& text, int base) {
    if (condition) return;
    std::fprintf(stderr, "%s: base %d, text of %zu bytes\n", what, base, text.size());
    std::abort();
}

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool isAsciiHexDigit(char c) { return isAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// What strtoull makes of the text, as our conversions describe their result.
struct Reference {
    bool anyDigit = false;
    bool negative = false;
    bool wider32 = false;  // the magnitude needs more than 32 bits
    uint64_t magnitude = 0;
};

Reference referenceOf(const std::string& text, int base) {
    Reference ref;
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(start, &end, base);
    ref.anyDigit = end != start;
    const char* sign = start;
    while (*sign == ' ' || (*sign >= '\t' && *sign <= '\r')) ++sign;
    ref.negative = *sign == '-';
    if (errno == ERANGE) {
        ref.wider32 = true;
        return ref;
    }
    ref.magnitude = ref.negative ? 0ull - value : value;
    ref.wider32 = ref.magnitude > 0xFFFFFFFFull;
    return ref;
}

void checkInBase(const std::string& text, int base) {
    const Reference ref = referenceOf(text, base);
    try {
        const uint32_t value = tessorin::parseNumberInBase(text, base);
        require(ref.anyDigit && !ref.wider32, "parseNumberInBase gave a value strtoull refuses", text, base);
        const auto magnitude = static_cast<uint32_t>(ref.magnitude);
        require(value == (ref.negative ? 0u - magnitude : magnitude), "parseNumberInBase differs from strtoull", text,
                base);
    } catch (const std::invalid_argument&) {
        require(!ref.anyDigit, "parseNumberInBase found no digit where strtoull did", text, base);
    } catch (const std::out_of_range&) {
        require(ref.anyDigit && ref.wider32, "parseNumberInBase out of range for a 32-bit value", text, base);
    }

    const uint32_t codeValue = tessorin::download::readCodeNumber(text, base);
    if (!ref.anyDigit) require(codeValue == 0, "a code number without digits is not 0", text, base);
    if (ref.anyDigit && ref.wider32) require(codeValue == 0xFFFFFFFFu, "a wide code number is not all ones", text, base);

    errno = 0;
    char* end = nullptr;
    long long wide = std::strtoll(text.c_str(), &end, base);
    if (wide > INT32_MAX) wide = INT32_MAX;
    if (wide < INT32_MIN) wide = INT32_MIN;
    require(tessorin::leadingInteger(text, base) == wide, "leadingInteger differs from a clamped strtoll", text, base);
}

// A text of decimal digits is decimal; one of hexadecimal digits, with an
// optional 0x, is hexadecimal; anything else is 0.
void checkParseNumber(const std::string& text) {
    int base = 0;
    std::string digits = text;
    bool decimal = !text.empty();
    for (char c : text) decimal = decimal && isAsciiDigit(c);
    if (decimal) {
        base = 10;
    } else {
        if (digits.size() >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits.erase(0, 2);
        bool hex = !digits.empty();
        for (char c : digits) hex = hex && isAsciiHexDigit(c);
        base = hex ? 16 : 0;
    }
    try {
        const uint32_t value = tessorin::parseNumber(text);
        if (base == 0) {
            require(value == 0, "parseNumber of a non-number is not 0", text, base);
            return;
        }
        const Reference ref = referenceOf(digits, base);
        require(!ref.wider32 && value == ref.magnitude, "parseNumber differs from strtoull", text, base);
    } catch (const std::out_of_range&) {
        require(base != 0 && referenceOf(digits, base).wider32, "parseNumber out of range for a 32-bit value", text,
                base);
    }
}

void checkReversePairs(const std::string& text) {
    const std::string reversed = tessorin::reverseHexPairs(text);
    require(reversed.size() == text.size() / 2 * 2, "reverseHexPairs changed the pair count", text, 16);
    require(tessorin::reverseHexPairs(reversed) == text.substr(0, reversed.size()),
            "reverseHexPairs twice is not the text", text, 16);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the base; the C library stops at a NUL, so the text ends there too.
    const int base = 2 + data[0] % 35;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    text = text.substr(0, text.find('\0'));
    checkInBase(text, base);
    checkInBase(text, 16);
    checkParseNumber(text);
    checkReversePairs(text);
    return 0;
}

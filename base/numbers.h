#pragma once
// How INI values, combo texts and operator input become register numbers.
// Only ASCII digits, a-f, A-F and the 0x prefix take part in a number: any
// other character (full-width digits, non-ASCII text) makes a text a non-number.
#include <cstdint>
#include <string>
#include <string_view>

namespace tessorin {

// A text of decimal digits only is decimal, any other text of hexadecimal
// digits (with an optional 0x/0X) is hexadecimal, anything else is 0.
// Raises std::out_of_range when the value needs more than 32 bits.
uint32_t parseNumber(std::string_view text);

// strtoul-like: leading white space, one optional sign (a minus negates modulo
// 2^32), in base 16 an optional 0x/0X, then digits up to the first other
// character. Raises std::invalid_argument when no digit is read and
// std::out_of_range when the value needs more than 32 bits. base: 2 to 36.
uint32_t parseNumberInBase(std::string_view text, int base);

// What parseNumberInBase reads, reported instead of raised: for texts where a
// non-number is ordinary and an exception per text would cost more than the scan.
struct LeadingNumber {
    bool anyDigit = false;
    bool wider32 = false;  // the value needs more than 32 bits
    uint32_t value = 0;    // parseNumberInBase's answer when it has one, else 0
};
// Raises std::invalid_argument for a base outside 2 to 36 only.
LeadingNumber scanNumberInBase(std::string_view text, int base);

// Not empty and parseNumber gives non-zero; std::out_of_range passes through.
bool isNonZeroNumber(std::string_view text);

// Like parseNumberInBase but signed, never raising: no digits give 0, values
// beyond the signed 32-bit range give the nearest limit.
int32_t leadingInteger(std::string_view text, int base);

// The two-character pairs of the text in reverse order; a last odd character
// is dropped. The characters are not examined.
std::string reverseHexPairs(std::string_view text);

}  // namespace tessorin

#pragma once
// printf-like formatting where the format is always one of the program's own
// texts and every argument is typed: no data text is ever read as a format.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace tessorin {

class FormatArg {
public:
    FormatArg(std::string_view s) : isText_(true), text_(s) {}
    FormatArg(const std::string& s) : isText_(true), text_(s) {}
    FormatArg(const char* s) : isText_(true), text_(s ? s : "") {}
    template <typename T, typename = std::enable_if_t<std::is_integral_v<T>>>
    FormatArg(T v)
        : isSigned_(std::is_signed_v<T>),
          bits_(static_cast<uint64_t>(static_cast<std::make_unsigned_t<T>>(v))),
          signedValue_(static_cast<int64_t>(v)) {}

    bool isText() const { return isText_; }
    std::string_view text() const { return text_; }
    bool isSigned() const { return isSigned_; }
    uint64_t bits() const { return bits_; }  // the value's own width, zero-extended
    int64_t signedValue() const { return signedValue_; }

private:
    bool isText_ = false;
    std::string_view text_;
    bool isSigned_ = false;
    uint64_t bits_ = 0;
    int64_t signedValue_ = 0;
};

// Supports %%, %s, %d, %i, %u, %x, %X with the '0' and '-' flags and a width.
// %x of a negative 32-bit value gives its two's complement, as printf does.
// An unknown conversion or a missing argument is copied as it stands.
std::string formatText(std::string_view format, std::initializer_list<FormatArg> args = {});

}  // namespace tessorin

#pragma once
// What the fuzz targets share: a log stream that goes nowhere (every input logs,
// and printing it would cost more than the work under test), and a UTF-8 check
// of their own, so that the product's decoder is not its own judge.
#include <cstddef>
#include <string_view>

#include "report/log.h"

namespace tessorin::fuzzing {

class DiscardedLog final : public LogOutput {
public:
    void write(std::string_view) override {}
    bool discards() const override { return true; }
};

inline void discardLog() {
    static DiscardedLog log;
    setLogOutput(&log);
}

// Well-formed UTF-8 (RFC 3629): shortest forms only, no surrogates, nothing above U+10FFFF.
inline bool isUtf8(std::string_view text) {
    size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead < 0x80) {
            ++at;
            continue;
        }
        size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (text.size() - at < length) return false;
        for (size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) return false;
        }
        at += length;
    }
    return true;
}

}  // namespace tessorin::fuzzing

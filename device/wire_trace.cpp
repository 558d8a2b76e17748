#include "device/wire_trace.h"

#include "device/hid_transport.h"

namespace tessorin {
namespace {

// Bytes first..count-1, but not the zeros at the end, and never fewer than up to alwaysShown.
std::string hexLine(char direction, const uint8_t* report, int first, int alwaysShown, int count) {
    int last = count - 1;
    while (last > alwaysShown && report[last] == 0) --last;
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string line(1, direction);
    for (int i = first; i <= last && i < count; ++i) {
        line += ' ';
        line += kDigits[report[i] >> 4];
        line += kDigits[report[i] & 0x0F];
    }
    return line;
}

}  // namespace

std::string requestLine(const uint8_t* report) { return hexLine('>', report, 0, 2, kReportSize); }

std::string replyLine(const uint8_t* report, int count) { return hexLine('<', report, 1, 1, count); }

}  // namespace tessorin

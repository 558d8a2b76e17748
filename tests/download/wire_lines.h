#pragma once
// Expected wire-trace lines, built from the bytes a report should carry.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "emulator/report.h"
#include "device/wire_trace.h"

namespace tessorin::testing {

using Bytes = std::vector<uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A request whose bytes from byte 1 on are given; byte 0 is the report id.
inline std::string requestOf(const Bytes& fromByte1) {
    emulator::Report report{};
    report[0] = 0xF2;
    for (size_t i = 0; i < fromByte1.size(); ++i) report[i + 1] = fromByte1[i];
    return requestLine(report.data()) + "\n";
}

// A reply whose bytes from byte 1 on are given.
inline std::string replyOf(const Bytes& fromByte1) {
    emulator::Report report{};
    for (size_t i = 0; i < fromByte1.size(); ++i) report[i + 1] = fromByte1[i];
    return replyLine(report.data(), kReportSize) + "\n";
}

// The trace with each continuation write cut after its data: the rest of such a
// report still holds the previous chunk, which means nothing on the wire.
inline std::string meaningfulTrace(const std::string& trace) {
    std::istringstream lines(trace);
    std::string line, out;
    while (std::getline(lines, line)) {
        const bool continuation = line.rfind("> f2 12 ", 0) == 0 || line.rfind("> f2 13 ", 0) == 0;
        if (continuation) {
            const size_t length = std::stoul(line.substr(8, 2), nullptr, 16);
            line = line.substr(0, 10 + 3 * length);
        }
        out += line + "\n";
    }
    return out;
}

inline Bytes countingBytes(size_t count, uint8_t first = 1) {
    Bytes bytes;
    for (size_t i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(first + i));
    return bytes;
}

inline Bytes slice(const Bytes& bytes, size_t from, size_t count) {
    return Bytes(bytes.begin() + static_cast<long>(from), bytes.begin() + static_cast<long>(from + count));
}

inline size_t countOf(const std::string& text, const std::string& piece) {
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
    return count;
}

}  // namespace tessorin::testing

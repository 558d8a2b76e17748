#include "device/wire_trace.h"

#include <gtest/gtest.h>

#include "emulator/report.h"

namespace tessorin {
namespace {

using emulator::kReplyReportId;
using emulator::Report;

Report reportOf(std::initializer_list<std::pair<int, uint8_t>> bytes) {
    Report report{};
    for (auto [at, value] : bytes) report[static_cast<size_t>(at)] = value;
    return report;
}

TEST(WireTrace, RequestLines) {
    std::string fullLength = "> f2 13";
    for (int i = 2; i < 63; ++i) fullLength += " 00";
    fullLength += " ab";
    struct Case {
        Report report;
        const char* line;
    };
    for (const Case& c : {Case{reportOf({}), "> 00 00 00"},
                          Case{reportOf({{0, 0xF2}, {1, 0x18}, {3, 0x80}}), "> f2 18 00 80"},
                          Case{reportOf({{0, 0xF2}, {1, 0x16}, {2, 0x01}, {3, 0x40}, {5, 0x03}}),
                               "> f2 16 01 40 00 03"},
                          Case{reportOf({{0, 0xF2}, {1, 0x13}, {63, 0xAB}}), fullLength.c_str()}}) {
        EXPECT_EQ(requestLine(c.report.data()), c.line);
    }
}

TEST(WireTrace, ReplyLinesStartAtByteOne) {
    struct Case {
        Report report;
        int count;
        const char* line;
    };
    for (const Case& c : {Case{reportOf({{0, kReplyReportId}}), 64, "< 00"},
                          Case{reportOf({{0, kReplyReportId}, {1, 0x02}}), 64, "< 02"},
                          Case{reportOf({{1, 0x10}, {2, 0x6D}, {4, 0x01}}), 64, "< 10 6d 00 01"},
                          Case{reportOf({{1, 0x10}, {2, 0x6D}, {4, 0x01}}), 3, "< 10 6d"},
                          Case{reportOf({{0, kReplyReportId}, {1, 0x02}}), 1, "<"}}) {
        EXPECT_EQ(replyLine(c.report.data(), c.count), c.line);
    }
}

}  // namespace
}  // namespace tessorin

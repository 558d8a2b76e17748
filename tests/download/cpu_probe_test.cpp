#include "download/cpu_probe.h"

#include <gtest/gtest.h>

#include <functional>

#include "device/hid_link.h"
#include "emulator/emulator_session.h"
#include "wire_lines.h"

namespace tessorin::download {
namespace {

using namespace tessorin::testing;

const std::string kReadyPoll = "> f2 1c 00 80\n";
const std::string kPlainHold = "> f2 16 01 03 82 01\n";

struct ProbeCase {
    const char* name;
    std::function<void(emulator::BoardEmulator&, int)> setUp;
    int32_t firstResult;   // of one boardHaltAndInspectCpu
    size_t probes;         // of the repeated probe: readiness polls
    size_t holdWrites;     // of the repeated probe: attempts
};

void flagged(emulator::BoardEmulator& board, int device, uint32_t result) {
    board.withChip(device, [result](emulator::ChipModel& chip) {
        chip.setIndirectRegister(0xEDF2, 0x20000);
        chip.setIndirectRegister(0xEDF8, result);
    });
}

const ProbeCase kProbeCases[] = {
    // Stopped, a good program counter, no flag and r == 0: success, but 0 asks for another probe.
    {"PlainSuccessRepeats", [](emulator::BoardEmulator&, int) {}, 0, 30, 30},
    {"FlaggedPositiveStops", [](emulator::BoardEmulator& b, int d) { flagged(b, d, 7); }, 7, 1, 1},
    {"FlaggedZeroRepeats", [](emulator::BoardEmulator& b, int d) { flagged(b, d, 0); }, 0, 30, 30},
    {"FlaggedNegativeRepeats", [](emulator::BoardEmulator& b, int d) { flagged(b, d, 0x80000000u); },
     INT32_MIN, 30, 30},
    {"UnflaggedNonZeroFailsThreeAttempts",
     [](emulator::BoardEmulator& b, int d) {
         b.withChip(d, [](emulator::ChipModel& chip) { chip.setIndirectRegister(0x101C, 1); });
     },
     0, 30, 90},
    {"ProgramCounter0214FailsThreeAttempts",
     [](emulator::BoardEmulator& b, int d) {
         b.withChip(d, [](emulator::ChipModel& chip) { chip.setProgramCounter(0x0214); });
         flagged(b, d, 7);
     },
     0, 30, 90},
};

class CpuProbeTest : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(CpuProbeTest, AttemptsAndRepeats) {
    const ProbeCase& c = GetParam();
    {
        emulator::EmulatorSession session;
        const int device = session.emulator.addBoard(0x6D10);
        c.setUp(session.emulator, device);
        setHidLink(openDownloadBoard());
        EXPECT_EQ(boardHaltAndInspectCpu(), c.firstResult);
    }
    emulator::EmulatorSession session;
    const int device = session.emulator.addBoard(0x6D10);
    c.setUp(session.emulator, device);
    setHidLink(openDownloadBoard());
    probeCpuBeforeDownload();
    const std::string trace = session.emulator.trace();
    EXPECT_EQ(countOf(trace, kReadyPoll), c.probes);
    EXPECT_EQ(countOf(trace, kPlainHold), c.holdWrites);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, CpuProbeTest, ::testing::ValuesIn(kProbeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CpuProbe, OneAttemptReadsTheCpuAndTheIndirectWindow) {
    emulator::EmulatorSession session;
    const int device = session.emulator.addBoard(0x6D10);
    flagged(session.emulator, device, 7);
    setHidLink(openDownloadBoard());
    session.emulator.clearTrace();
    ASSERT_EQ(boardHaltAndInspectCpu(), 7);
    // Readiness, handshake, the plain hold, program counter and status; the first
    // indirect access reads the chip id for the window's address (0x8026 on 0x6D10).
    const std::string expected =
        requestOf({0x1C, 0x00, 0x80}) + replyOf({0x01}) + requestOf({0x18, 0x00, 0x80}) + replyOf({0x02}) + kPlainHold +
        requestOf({0x14, 0x02, 0x0E, 0x80}) + replyOf({0x00}) + requestOf({0x15, 0x01, 0x04, 0x82}) + replyOf({0x01}) +
        requestOf({0x14, 0x02, 0x00, 0x80}) + replyOf({0x10, 0x6D}) +
        requestOf({0x16, 0x06, 0x26, 0x80, 0x03, 0x00, 0x5F, 0xA0, 0xF3, 0xED}) +   // 0xA05F0003 to 0xEDF3
        requestOf({0x16, 0x02, 0x2A, 0x80, 0xF2, 0xED}) + requestOf({0x14, 0x04, 0x5C, 0x81}) +
        replyOf({0x00, 0x00, 0x02, 0x00}) +                                          // v: bit 17 set
        requestOf({0x16, 0x06, 0x26, 0x80, 0x0F, 0x00, 0x00, 0x00, 0xF5, 0xED}) +   // 0x0F to 0xEDF5
        requestOf({0x16, 0x02, 0x2A, 0x80, 0xF8, 0xED}) + requestOf({0x14, 0x04, 0x5C, 0x81}) + replyOf({0x07});
    EXPECT_EQ(session.emulator.trace(), expected);
}

TEST(CpuProbe, ReadinessThatNeverComesCostsThirtyProbesWithoutHandshake) {
    emulator::EmulatorSession session;
    const int device = session.emulator.addBoard(0x6D10);
    session.emulator.setReadyReply(device, 0);
    // Reports slow enough that each readiness poll gives up after its first pass.
    session.emulator.setReportLatencyMicros(60'000);
    setHidLink(openDownloadBoard());
    probeCpuBeforeDownload();
    const std::string trace = session.emulator.trace();
    EXPECT_EQ(countOf(trace, kReadyPoll), 30u);
    EXPECT_EQ(countOf(trace, "> f2 18"), 0u);
}

}  // namespace
}  // namespace tessorin::download

#include <cstdint>

#include "base/clock.h"
#include "base/not_examined.h"
#include "device/board_commands.h"
#include "device/hid_link.h"

namespace tessorin {
namespace {

constexpr uint64_t kPollBudgetMs = 100;

// One request, repeated in the same buffer (which by then holds the last reply)
// while keepGoing(elapsed ms) allows; a pass may itself take two time-outs.
template <typename Accepted, typename KeepGoing>
bool pollBoard(uint8_t code, uint16_t parameter, Accepted accepted, KeepGoing keepGoing) {
    Clock& clock = processClock();
    const uint64_t start = clock.tickMs();
    DevicePacket packet;
    for (;;) {
        packet[1] = code;
        packet[2] = 0;
        packet[3] = static_cast<uint8_t>(parameter & 0xFF);
        packet[4] = static_cast<uint8_t>(parameter >> 8);
        if (writePacket(packet)) {
            notExamined(readPacket(packet));
        } else {
            packet.clear();
        }
        if (accepted(packet[1])) return true;
        if (!keepGoing(clock.tickMs() - start)) return false;
    }
}

}  // namespace

bool boardHandshake(uint16_t parameter) {
    return pollBoard(
        kHandshakeCode, parameter, [](uint8_t reply) { return reply == kChipLinkedReply; },
        [](uint64_t elapsedMs) { return elapsedMs < kPollBudgetMs; });
}

bool boardWaitReady(uint16_t parameter) {
    return pollBoard(
        kReadyPollCode, parameter, [](uint8_t reply) { return (reply & kReadyReplyMask) == kReadyReply; },
        [](uint64_t elapsedMs) { return elapsedMs <= kPollBudgetMs; });
}

}  // namespace tessorin

// Found by the station soak: the board accepts writes with no chip behind it,
// so a chip pulled during its download used to be reported as a success.
#include "download/rom_download.h"

#include <gtest/gtest.h>

#include "device/hid_link.h"
#include "emulator/emulator_session.h"
#include "temp_code_file.h"
#include "tests/soak/fault_injector.h"
#include "wire_lines.h"

namespace tessorin::download {
namespace {

using namespace tessorin::testing;

TEST(RomDownloadRegression, ChipPulledDuringTheDownloadFailsIt) {
    struct Case {
        const char* moment;
        Fault fault;
        DownloadFailure failure;
    };
    // A 300-byte image goes out in five reports; the request count runs 1 handshake,
    // 2-3 hold, 4-6 port set-up, 7-11 image, 12 clear, 13-14 mask 3, 15 0x8003, 16 handshake.
    const Case cases[] = {
        {"no chip pulled", Fault{}, DownloadFailure::None},
        {"at the first image report", Fault{FaultKind::PullChip, true, 1}, DownloadFailure::ChipStoppedAnswering},
        {"at the last image report", Fault{FaultKind::PullChip, true, 5}, DownloadFailure::ChipStoppedAnswering},
        {"after the 0x8003 write", Fault{FaultKind::PullChip, false, 16}, DownloadFailure::ChipStoppedAnswering},
        // One lost reply is not a pulled chip: the closing handshake is tried again.
        {"reply to the closing handshake lost", Fault{FaultKind::DropReplies, false, 16, 1}, DownloadFailure::None},
    };
    TempCodeFile file(bytePerLineText(countingBytes(300)));
    for (const Case& c : cases) {
        emulator::EmulatorSession session;
        const int device = session.emulator.addBoard(0x6D10);
        FaultInjector injector(session.emulator, device);
        setHidTransport(&injector);
        setHidLink(openDownloadBoard());
        injector.arm(c.fault);

        EXPECT_EQ(downloadRomImage(file.path()).failure, c.failure) << c.moment;
        EXPECT_EQ(injector.fired(), c.fault.kind != FaultKind::None) << c.moment;
        closeHidLink();
        setHidTransport(nullptr);
    }
}

}  // namespace
}  // namespace tessorin::download

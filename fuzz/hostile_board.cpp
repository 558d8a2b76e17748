// A hostile board: every reply, every transfer count and every failure comes
// from the fuzz input, and the host runs its whole repertoire against it: the
// polls, reads in every range, the chip id, the CPU probe, the EEPROM engine and
// a ROM download. Nothing may crash, read or write out of bounds, or hang; time
// runs on the virtual clock, so a time-out costs nothing real.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "base/clock.h"
#include "base/not_examined.h"
#include "device/board_commands.h"
#include "device/chip_id_cache.h"
#include "device/hid_link.h"
#include "device/memory_read.h"
#include "download/cpu_probe.h"
#include "download/dat_download.h"
#include "download/rom_download.h"
#include "fuzz_support.h"

namespace {

using namespace tessorin;

constexpr uint64_t kReportMicros = 1000;
// Once the board is gone every report fails and rescans: a long scan brings the
// host's waits to their time-outs in a few rounds rather than a thousand.
constexpr uint64_t kGoneScanMicros = 100'000;
constexpr int kMaxReadLength = 200;

// Takes its answers from the input; once the input is used up the board is gone.
class HostileTransport final : public HidTransport {
public:
    HostileTransport(VirtualClock& clock, const uint8_t* data, size_t size) : clock_(clock), data_(data), size_(size) {}

    HidHandle openFirst(uint16_t, uint16_t) override {
        // A scan takes time too; without it a host retrying on a closed link would spin on clock reads alone.
        clock_.advanceMicros(exhausted() ? kGoneScanMicros : kReportMicros);
        if (exhausted() || next() % 8 == 0) return kInvalidHidHandle;
        return ++handle_;
    }
    // The procedures under test never choose a board by name.
    std::vector<HidDeviceEntry> enumerate(uint16_t, uint16_t) override { return {}; }
    HidHandle openPath(const std::string&) override { return openFirst(0, 0); }
    void close(HidHandle) override {}
    TransferResult write(HidHandle handle, const uint8_t* report, int timeoutMs) override {
        touch(report);
        if (handle != handle_ || exhausted()) return failed(0);
        const uint8_t how = next();
        if (how % 16 == 0) return failed(timeoutMs);
        clock_.advanceMicros(kReportMicros);
        if (how % 16 == 1) return {true, how >> 4};
        return {true, kReportSize};
    }
    TransferResult read(HidHandle handle, uint8_t* report, int timeoutMs) override {
        if (handle != handle_ || exhausted()) return failed(0);
        const uint8_t how = next();
        if (how % 8 == 0) return failed(timeoutMs);
        clock_.advanceMicros(kReportMicros);
        const int count = how % 8 == 1 ? next() % kReportSize : kReportSize;
        for (int i = 0; i < count; ++i) report[i] = next();
        return {true, count};
    }

private:
    bool exhausted() const { return position_ >= size_; }
    uint8_t next() { return exhausted() ? 0 : data_[position_++]; }
    TransferResult failed(int timeoutMs) {
        clock_.advanceMicros(static_cast<uint64_t>(timeoutMs) * 1000 + kReportMicros);
        return {};
    }
    // Every byte of an outgoing report is read, so a short request buffer shows.
    void touch(const uint8_t* report) {
        uint8_t sum = 0;
        for (int i = 0; i < kReportSize; ++i) sum = static_cast<uint8_t>(sum + report[i]);
        sink_ = sum;
    }

    VirtualClock& clock_;
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
    HidHandle handle_ = 0;
    volatile uint8_t sink_ = 0;
};

// Reads into a buffer of exactly the asked length, so a write past it is caught.
void readEveryRange(int32_t address, int32_t length) {
    std::vector<uint8_t> destination(static_cast<size_t>(std::max(length, 0)));
    notExamined(boardReadMemory(true, address, destination.data(), length));
    notExamined(boardReadMemory(false, address, destination.data(), length));
    notExamined(readMemoryWithOutcome(true, address, destination.data(), length));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::discardLog();
    return 0;
}

// Bytes 0-3: a read address, byte 4: its length; everything after: the board's behaviour.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    int32_t address = 0;
    std::memcpy(&address, data, sizeof address);
    const int32_t length = data[4] % kMaxReadLength - 8;

    VirtualClock clock;
    ScopedClock scopedClock(clock);
    HostileTransport transport(clock, data + 5, size - 5);
    setHidTransport(&transport);
    resetChipIdCache();
    setHidLink(openDownloadBoard());

    notExamined(boardHandshake(kHandshakeParameter));
    notExamined(boardWaitReady(kHandshakeParameter));
    readEveryRange(address, length);
    notExamined(boardReadChipId());
    notExamined(chipInKnownList());
    boardReportCpuState();
    download::probeCpuBeforeDownload();
    if (std::optional<EepromEngine> engine = download::identifiedEepromEngine())
        notExamined(download::eepromStartAndWait(*engine));
    const std::vector<uint8_t> page(70, 0xA5);
    download::writeEepromImage(page);
    // A ROM download as downloadRomImage runs it around its file read, here of 150 lines of "5A".
    notExamined(boardHandshake(kHandshakeParameter));
    const std::vector<uint8_t> image(150, 0x5A);
    download::downloadRomBytes(image);

    closeHidLink();
    setHidTransport(nullptr);
    return 0;
}

#include "download/dat_download.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "base/clock.h"
#include "base/format.h"
#include "base/not_examined.h"
#include "device/board_commands.h"
#include "device/chip_families.h"
#include "device/hid_link.h"
#include "download/code_image_file.h"
#include "report/log.h"

namespace tessorin::download {
namespace {

constexpr size_t kRecordHeaderSize = 3;
constexpr uint64_t kDoneWaitMs = 2000;
constexpr double kPagePauseMicros = 5000;

}  // namespace

std::optional<EepromEngine> identifiedEepromEngine() {
    const std::optional<uint32_t> chipId = boardIdentifyChip();
    if (!chipId) return std::nullopt;
    return chipFamilyOf(*chipId).eeprom;
}

bool eepromStartAndWait(const EepromEngine& engine) {
    notExamined(boardWriteRegisterByte(engine.startRegister, engine.startValue));
    Clock& clock = processClock();
    const uint64_t start = clock.tickMs();
    for (;;) {
        uint8_t status = 0;
        notExamined(boardReadMemory(false, kEepromStatusRegister, &status, 1));
        if (status & engine.doneBit) return true;
        if (clock.tickMs() - start > kDoneWaitMs) return false;
    }
}

bool eepromTransferChunk(const EepromEngine& engine, const uint8_t* record, int32_t recordLength) {
    const uint8_t noOffset[2] = {0x00, 0x00};
    const uint8_t length[2] = {static_cast<uint8_t>(recordLength & 0xFF), static_cast<uint8_t>((recordLength >> 8) & 0xFF)};
    notExamined(boardWriteRegisterByte(engine.modeRegister, engine.modeValue));
    notExamined(boardWriteMemory(true, noOffset, engine.offsetRegister, 2));
    notExamined(boardWriteMemory(true, length, engine.lengthRegister, 2));
    notExamined(boardWriteMemory(true, record, engine.stagingBuffer, recordLength));
    return eepromStartAndWait(engine);
}

DownloadOutcome writeEepromImage(std::span<const uint8_t> image, ProgressSink* progress) {
    if (image.size() > kEepromAddressSpace) {
        writeLog(formatText("dat image of %u bytes is larger than the %u bytes the EEPROM can address\n",
                            {image.size(), kEepromAddressSpace}));
        return {DownloadFailure::ImageRefused};
    }
    ProgressTransfer transfer(progress, image.size());
    if (image.empty()) return {DownloadFailure::None};
    // Read before the first page and kept for the image: a family chosen from a
    // reply that never came would stage one page on two families' registers.
    const std::optional<EepromEngine> engine = identifiedEepromEngine();
    if (!engine) {
        writeLog("the chip's identification word did not arrive; no EEPROM register was written\n");
        return {chipOrBoardLost()};
    }
    std::array<uint8_t, kRecordHeaderSize + kEepromPageSize> record{};
    size_t position = 0;
    while (position < image.size()) {
        const size_t address = position;  // the image starts at EEPROM address 0
        const size_t chunk = std::min(kEepromPageSize - address % kEepromPageSize, image.size() - position);
        record[0] = kEepromDeviceAddress;
        record[1] = static_cast<uint8_t>(address >> 8);
        record[2] = static_cast<uint8_t>(address);
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(position), chunk, record.begin() + kRecordHeaderSize);
        if (!eepromTransferChunk(*engine, record.data(), static_cast<int32_t>(chunk + kRecordHeaderSize)))
            return {chipOrBoardLost()};
        delayMicroseconds(kPagePauseMicros);
        position += chunk;
        if (progress) progress->progress(position, image.size());
    }
    return {DownloadFailure::None};
}

DownloadOutcome downloadDatImage(const std::string& imagePath, ProgressSink* progress) {
    std::vector<uint8_t> buffer(DAT_IMAGE_CAPACITY);
    const ImageForDownload image = readImageForDownload(buffer, imagePath);
    if (image.failure != DownloadFailure::None) return {image.failure};
    return writeEepromImage(image.bytes, progress);
}

}  // namespace tessorin::download

#include "download/rom_download.h"

#include <vector>

#include "base/not_examined.h"
#include "device/board_commands.h"
#include "download/code_image_file.h"
#include "report/log.h"

namespace tessorin::download {
namespace {

constexpr uint8_t kHoldCpu = 1;
constexpr uint8_t kHoldCpuAndLoaded = 3;

// The board takes writes whether or not a chip is behind it: only a chip that
// still answers after the last write can have received the whole image. One
// lost reply must not fail a good download, so a few handshakes are allowed.
constexpr int kChipAnswerAttempts = 3;

bool chipStillAnswers() {
    for (int attempt = 0; attempt < kChipAnswerAttempts; ++attempt) {
        if (boardHandshake(kHandshakeParameter)) return true;
    }
    return false;
}

}  // namespace

bool loadCodeImage(std::span<const uint8_t> image, ProgressSink* progress) {
    // A write that does not go out leaves the chip in an unknown state: the load has failed.
    if (!boardSetCpuControl(kHoldCpu)) return false;
    if (!boardWriteRegisterByte(kCodeLoadAddressLow, 0x00)) return false;
    if (!boardWriteRegisterByte(kCodeLoadAddressMid, 0x80)) return false;
    if (!boardWriteRegisterByte(kCodeLoadAddressHigh, 0x00)) return false;
    if (!boardWriteMemory(false, image.data(), kCodeLoadPort, static_cast<int32_t>(image.size()), progress))
        return false;
    const uint8_t cleared[2] = {0x00, 0x00};
    return boardWriteMemory(true, cleared, kCodeLoadAddressMid, 2);
}

DownloadOutcome downloadRomImage(const std::string& imagePath, ProgressSink* progress,
                                 const std::vector<ImagePatch>& patches) {
    notExamined(boardHandshake(kHandshakeParameter));  // only the exchange is wanted here, not its answer
    std::vector<uint8_t> buffer(ROM_IMAGE_CAPACITY);
    const ImageForDownload image = readImageForDownload(buffer, imagePath);
    if (image.failure != DownloadFailure::None) return {image.failure};
    const std::span<uint8_t> writable(buffer.data() + (image.bytes.data() - buffer.data()), image.bytes.size());
    if (!patchImage(writable, patches)) {
        writeLog("identity: an image offset reaches past the end of the image");
        return {DownloadFailure::ImageRefused};
    }
    return downloadRomBytes(image.bytes, progress);
}

DownloadOutcome downloadRomBytes(std::span<const uint8_t> image, ProgressSink* progress) {
    ProgressTransfer transfer(progress, image.size());
    if (!loadCodeImage(image, progress) || !boardSetCpuControl(kHoldCpuAndLoaded) ||
        !boardWriteRegisterByte(kCodeRunRegister, 0x01))
        return {DownloadFailure::BoardLost};
    return {chipStillAnswers() ? DownloadFailure::None : chipOrBoardLost()};
}

}  // namespace tessorin::download

#pragma once
// The DAT download: the image written page by page into the serial EEPROM behind
// the chip, through the chip's EEPROM transfer engine.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "base/progress_sink.h"
#include "device/chip_families.h"
#include "download/download_outcome.h"

namespace tessorin::download {

constexpr size_t DAT_IMAGE_CAPACITY = 524288;
// The EEPROM address is 16 bits wide; a larger image would wrap onto its own start.
constexpr size_t kEepromAddressSpace = 65536;
constexpr size_t kEepromPageSize = 32;

// Reads the code file at the UTF-8 path and writes it. Fails when the file gave
// no bytes, was too large, or a page failed.
DownloadOutcome downloadDatImage(const std::string& imagePath, ProgressSink* progress = nullptr);

// Pages of up to 32 bytes from EEPROM address 0, 5 ms apart, each reported to
// progress once written. Refuses an image larger than the EEPROM address space
// before the first page, and fails before it when the chip cannot be identified
// (no engine register written). An empty image succeeds.
DownloadOutcome writeEepromImage(std::span<const uint8_t> image, ProgressSink* progress = nullptr);

// The engine of the chip's family; nullopt when the identification word did not
// arrive on a second asking either.
std::optional<EepromEngine> identifiedEepromEngine();

// Stages one transfer record (0xA0, address high, address low, page data) and runs the engine.
bool eepromTransferChunk(const EepromEngine& engine, const uint8_t* record, int32_t recordLength);

// Starts the engine and polls its done bit for up to 2000 ms.
bool eepromStartAndWait(const EepromEngine& engine);

}  // namespace tessorin::download

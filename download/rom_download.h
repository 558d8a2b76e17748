#pragma once
// The ROM download: the image streamed through the code-load port while the
// CPU is held, then the CPU control register and 0x8003.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/progress_sink.h"
#include "download/chip_identity.h"
#include "download/download_outcome.h"

namespace tessorin::download {

constexpr size_t ROM_IMAGE_CAPACITY = 150000;

// Reads the code file at the UTF-8 path and loads it, reporting the image's
// bytes sent to progress. Fails when the file gave no bytes or was too large (a
// line on the log says which), a write failed to go out, or the chip no longer
// answers the handshake once the image is sent. The patches go into the image
// first; one that reaches past its end refuses the image.
DownloadOutcome downloadRomImage(const std::string& imagePath, ProgressSink* progress = nullptr,
                                 const std::vector<ImagePatch>& patches = {});
// The same for an image already read, from the load on: what follows the file read.
DownloadOutcome downloadRomBytes(std::span<const uint8_t> image, ProgressSink* progress = nullptr);

// Holds the CPU, points the code-load registers at the start and streams the
// image into port 0x8025. False when any write failed to go out.
bool loadCodeImage(std::span<const uint8_t> image, ProgressSink* progress = nullptr);

}  // namespace tessorin::download

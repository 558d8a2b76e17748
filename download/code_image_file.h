#pragma once
// Reading a code file for a download, with the log lines when it yields nothing to send.
#include <cstdint>
#include <span>
#include <string>

#include "download/download_outcome.h"

namespace tessorin::download {

struct ImageForDownload {
    std::span<const uint8_t> bytes;  // within the buffer; empty on failure
    DownloadFailure failure = DownloadFailure::None;
};

// The image bytes read into buffer, or NoImage after "error opening code file %s\n"
// (missing or empty file), or ImageRefused after a line saying the file is too
// large for the buffer or saved as UTF-16.
ImageForDownload readImageForDownload(std::span<uint8_t> buffer, const std::string& imagePath);

}  // namespace tessorin::download

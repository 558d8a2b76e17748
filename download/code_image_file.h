#pragma once
// Reading a code file for a download, with the log lines when it yields nothing to send.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tessorin::download {

// The image bytes read into buffer, or nothing after "error opening code file %s\n"
// (missing or empty file) or a line saying the file is too large for the buffer
// or saved as UTF-16.
std::optional<std::span<const uint8_t>> readImageForDownload(std::span<uint8_t> buffer, const std::string& imagePath);

}  // namespace tessorin::download

#pragma once
// The register presets of the command-line start: each an address and a value
// separated by a space, written into every chip before its download.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessorin::download {

struct StationPreset {
    int32_t address = 0;
    std::string value;  // hexadecimal digits, an even number of them, read as one big-endian number
};

// The preset, or nothing after one log line saying why the text is refused.
std::optional<StationPreset> parseStationPreset(std::string_view item);

// Every preset, or nothing when any is refused (each refusal is logged).
std::optional<std::vector<StationPreset>> parseStationPresets(const std::vector<std::string>& items);

// The value's digit pairs from its most significant, stored least significant byte first.
void writeStationPreset(const StationPreset& preset);

}  // namespace tessorin::download

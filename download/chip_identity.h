#pragma once
// The identity values one chip gets: presets written after the command line's
// (memory targets), and bytes patched into the image before it is sent.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessorin::download {

struct ImagePatch {
    size_t offset = 0;
    std::vector<uint8_t> bytes;
};

struct ChipIdentity {
    std::vector<std::string> presets;  // "ADDRESS VALUE", as on the command line
    std::vector<ImagePatch> imagePatches;
};

// False, leaving the image as it was, when a patch reaches past its end.
bool patchImage(std::span<uint8_t> image, const std::vector<ImagePatch>& patches);

}  // namespace tessorin::download

#include "download/chip_identity.h"

#include <algorithm>

namespace tessorin::download {

bool patchImage(std::span<uint8_t> image, const std::vector<ImagePatch>& patches) {
    for (const ImagePatch& patch : patches)
        if (patch.offset > image.size() || patch.bytes.size() > image.size() - patch.offset) return false;
    for (const ImagePatch& patch : patches)
        std::copy(patch.bytes.begin(), patch.bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(patch.offset));
    return true;
}

}  // namespace tessorin::download

#include "device/chip_families.h"

#include <algorithm>
#include <array>

namespace tessorin {
namespace {

constexpr std::array<uint32_t, 2> k5B2xIds = {0x5B21, 0x5B22};
constexpr std::array<uint32_t, 3> k3C0xWideResultIds = {0x3C06, 0x3C07, 0x3C09};
constexpr std::array<uint32_t, 3> k3C0xIds = {0x3C05, 0x7E40, 0x3C0A};
constexpr std::array<uint32_t, 2> k6D1xIds = {0x6D10, 0x6D11};

constexpr EepromEngine k5B2xEngine = {0xF8D23, 0x00, 0xF8D08, 0xF8D0A, 0x21EFC, 0xF8D0F, 0x80, 0x01};
constexpr EepromEngine k3C0xEngine = {0x8090, 0x01, 0x809E, 0x8098, 0x1EFC, 0x800A, 0x04, 0x20};
constexpr EepromEngine k6D1xEngine = {0x8090, 0x00, 0x809E, 0x8098, 0x1EFC, 0x8132, 0x04, 0x01};
constexpr EepromEngine kUnknownChipEngine = {0x8090, 0x01, 0x809E, 0x8098, 0x1EFC, 0x8006, 0x04, 0x20};

const std::array<ChipFamily, 5> kFamilies = {{
    {k5B2xIds, 0x8050, 0x8054, 0x8114, k5B2xEngine},
    {k3C0xWideResultIds, 0x8026, 0x802A, 0x835E, k3C0xEngine},
    {k3C0xIds, 0x8026, 0x802A, 0x815C, k3C0xEngine},
    {k6D1xIds, 0x8026, 0x802A, 0x815C, k6D1xEngine},
    {{}, 0x8026, 0x802A, 0x815C, kUnknownChipEngine},
}};

}  // namespace

std::span<const ChipFamily> chipFamilies() { return kFamilies; }

const ChipFamily& chipFamilyOf(uint32_t chipId) {
    for (const ChipFamily& family : kFamilies)
        if (std::find(family.chipIds.begin(), family.chipIds.end(), chipId) != family.chipIds.end()) return family;
    return kFamilies.back();
}

bool isKnownChip(uint32_t chipId) { return &chipFamilyOf(chipId) != &kFamilies.back(); }

}  // namespace tessorin

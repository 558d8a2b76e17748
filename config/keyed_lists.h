#pragma once
// List expansion of one INI key's value; a list over the entry limit becomes a
// ConfigError that names the key.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessorin {

std::vector<std::string> expandTextListOfKey(std::string_view key, std::string_view text);
std::vector<uint32_t> expandNumberListOfKey(std::string_view key, std::string_view text);

}  // namespace tessorin

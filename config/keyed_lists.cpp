#include "config/keyed_lists.h"

#include "base/format.h"
#include "config/config_error.h"
#include "config/value_lists.h"

namespace tessorin {
namespace {

template <typename Expand>
auto expandOfKey(std::string_view key, std::string_view text, Expand expand) {
    try {
        return expand(text);
    } catch (const ListTooLongError& failure) {
        throw ConfigError(formatText("ini key [%s]: %s\n", {key, failure.what()}));
    }
}

}  // namespace

std::vector<std::string> expandTextListOfKey(std::string_view key, std::string_view text) {
    return expandOfKey(key, text, expandTextList);
}

std::vector<uint32_t> expandNumberListOfKey(std::string_view key, std::string_view text) {
    return expandOfKey(key, text, expandNumberList);
}

}  // namespace tessorin

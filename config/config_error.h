#pragma once
// The INI loader's own failure, carrying one finished text.
#include <stdexcept>
#include <string>

namespace tessorin {

class ConfigError : public std::runtime_error {
public:
    explicit ConfigError(const std::string& text) : std::runtime_error(text) {}
    std::string text() const { return what(); }
};

}  // namespace tessorin

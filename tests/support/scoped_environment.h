#pragma once
// Environment variables set (nullopt: removed) for one test, put back as they were after it.
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessorin::testing {

class ScopedEnvironment {
public:
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) apply(it->first, it->second);
    }

    ScopedEnvironment& set(const std::string& name, const std::optional<std::string>& value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        apply(name, value);
        return *this;
    }

private:
    static void apply(const std::string& name, const std::optional<std::string>& value) {
        if (value) setenv(name.c_str(), value->c_str(), 1);
        else unsetenv(name.c_str());
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace tessorin::testing

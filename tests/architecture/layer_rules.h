#pragma once
// Which folder may include which: a file includes headers of its own folder and
// of the layers below it, never of a layer above or of a sibling.
#include <string>
#include <string_view>
#include <vector>

namespace tessorin::testing {

struct LayerRule {
    std::string_view folder;
    std::vector<std::string_view> below;  // the folders it may include besides its own
};

inline const std::vector<LayerRule>& layerRules() {
    static const std::vector<std::string_view> kCommands = {"base", "report", "config", "device", "download", "rftest"};
    static const std::vector<std::string_view> kWindowLogic = {"base",     "report", "config", "device",
                                                               "download", "rftest", "app"};
    static const std::vector<std::string_view> kStationRoom = {"base",     "report", "config", "device", "download",
                                                               "rftest",   "app",    "store",  "job"};
    static const std::vector<std::string_view> kStation = {"base",     "report", "config", "device", "download",
                                                           "rftest",   "app",    "store",  "job",    "station"};
    static const std::vector<LayerRule> rules = {
        {"base", {}},
        {"report", {"base"}},
        {"config", {"base", "report"}},
        {"device", {"base", "report"}},
        {"download", {"base", "report", "config", "device"}},
        {"rftest", {"base", "report", "config", "device"}},
        // The station store, used by the station and a later dashboard.
        {"store", {"base", "report"}},
        // The station's job files and identity values; the station uses them.
        {"job", {"base", "report"}},
        {"app", kCommands},
        // Above the window logic: the console station runs it on invisible controls.
        {"station", kStationRoom},
        // Beside the front ends: the software board behind the transport seam.
        {"emulator", {"base", "report", "device"}},
        {"win32", kStation},
        {"qt", {"base", "report", "config", "device", "download", "rftest", "app", "store", "job", "station",
                "dashboard"}},
        // A front end over the store alone: the line's live page (tessorin dashboard).
        {"dashboard", {"base", "report", "store"}},
        {"runner", {"base", "report", "config", "device", "download", "rftest", "app", "store", "job", "station",
                    "emulator"}},
    };
    return rules;
}

// Top-level folders that use the layers without being one.
inline const std::vector<std::string_view>& outsideFolders() {
    static const std::vector<std::string_view> folders = {"tests", "tools", "fuzz", "build"};
    return folders;
}

// The rule of a folder, or nullptr when it has none.
inline const LayerRule* ruleOf(std::string_view folder) {
    for (const LayerRule& rule : layerRules())
        if (rule.folder == folder) return &rule;
    return nullptr;
}

// The quoted includes of the source text that name a folder the rule does not
// allow, each as written between the quotes.
std::vector<std::string> forbiddenIncludes(const LayerRule& rule, std::string_view source);

}  // namespace tessorin::testing

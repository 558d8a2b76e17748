// The layers as the build defines them: every product folder includes only its
// own headers and those of the layers below it.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/paths.h"
#include "tests/architecture/layer_rules.h"
#include "tests/support/file_text.h"

namespace tessorin::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kRoot = pathFromUtf8(TESSORIN_SOURCE_DIR);

bool isSource(const fs::path& path) { return path.extension() == ".cpp" || path.extension() == ".h"; }

bool holdsSources(const fs::path& folder) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && isSource(entry.path())) return true;
    return false;
}

TEST(LayerRules, ReportIncludesOfLayersAboveAndOfSiblings) {
    struct Case {
        const char* folder;
        const char* source;
        std::vector<std::string> forbidden;
    };
    const Case cases[] = {
        {"device", "#include \"app/main_window.h\"\n", {"app/main_window.h"}},
        {"device", "#include \"config/test_config.h\"\n", {"config/test_config.h"}},
        {"report", "  #  include \"download/station_loop.h\"  // late\n", {"download/station_loop.h"}},
        {"rftest", "#include \"report/log.h\"\n#include \"rftest/rf_host.h\"\n#include \"base/text.h\"\n", {}},
        {"rftest", "#include <app/main_window.h>\n// #include \"app/x.h\" is only text\n", {}},
        {"win32", "#include \"resource.h\"\n#include \"app/main_window.h\"\n", {}},
        {"emulator", "#include \"device/hid_transport.h\"\n#include \"runner/script_runner.h\"\n",
         {"runner/script_runner.h"}},
        {"app", "#include \"download/station_loop.h\"\n#include \"station/station_run.h\"\n",
         {"station/station_run.h"}},
        {"download", "#include \"station/results_line.h\"\n", {"station/results_line.h"}},
        {"station", "#include \"app/main_window.h\"\n#include \"qt/main_dialog.h\"\n", {"qt/main_dialog.h"}},
    };
    for (const Case& c : cases) {
        const LayerRule* rule = ruleOf(c.folder);
        ASSERT_NE(rule, nullptr) << c.folder;
        EXPECT_EQ(forbiddenIncludes(*rule, c.source), c.forbidden) << c.source;
    }
}

TEST(IncludeDirection, EveryProductFolderIncludesOnlyDownward) {
    std::string violations;
    for (const LayerRule& rule : layerRules()) {
        const fs::path folder = kRoot / rule.folder;
        ASSERT_TRUE(fs::is_directory(folder)) << pathToUtf8(folder) << " is missing: a rule without its folder";
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
            if (!entry.is_regular_file() || !isSource(entry.path())) continue;
            for (const std::string& header : forbiddenIncludes(rule, fileText(entry.path())))
                violations += pathToUtf8(fs::relative(entry.path(), kRoot)) + " includes " + header + "\n";
        }
    }
    EXPECT_EQ(violations, "");
}

TEST(IncludeDirection, EveryFolderWithSourcesHasALayer) {
    for (const fs::directory_entry& entry : fs::directory_iterator(kRoot)) {
        const std::string name = pathToUtf8(entry.path().filename());
        if (!entry.is_directory() || name.starts_with(".") || ruleOf(name)) continue;
        const auto& outside = outsideFolders();
        if (std::find(outside.begin(), outside.end(), name) != outside.end()) continue;
        EXPECT_FALSE(holdsSources(entry.path())) << name << "/ holds sources but has no layer in layer_rules.h";
    }
}

}  // namespace
}  // namespace tessorin::testing

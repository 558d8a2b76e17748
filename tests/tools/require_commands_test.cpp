// tools/require-commands, which every test stage runs before it starts.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace tessorin::testing {
namespace {

const std::filesystem::path kHelper =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "tools" / "require-commands";

struct HelperRun {
    int exitCode;
    std::string output;  // standard output and standard error
};

HelperRun requireCommands(const std::string& pairs) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "literal" + std::string&&.
    std::string command = "'";
    command.append(kHelper.string()).append("' ").append(pairs).append(" 2>&1");
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, "popen failed"};
    HelperRun run{0, ""};
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe)) run.output += chunk;
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(RequireCommands, FirstMissingCommandEndsTheStageWithOneLine) {
    const struct {
        const char* pairs;
        int exitCode;
        const char* output;
    } cases[] = {
        {"sh=dash env=coreutils", 0, ""},
        {"sh=dash tessorin-no-such-command=tessorin-package env=coreutils", 1,
         "missing command 'tessorin-no-such-command' (Debian package tessorin-package; tools/install-deps installs it)\n"},
        {"tessorin-first-missing=first-package tessorin-second-missing=second-package", 1,
         "missing command 'tessorin-first-missing' (Debian package first-package; tools/install-deps installs it)\n"},
    };
    for (const auto& c : cases) {
        const HelperRun run = requireCommands(c.pairs);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.pairs;
        EXPECT_EQ(run.output, c.output) << c.pairs;
    }
}

}  // namespace
}  // namespace tessorin::testing

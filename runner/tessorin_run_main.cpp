// tessorin-run: the window logic with in-memory controls and an emulated board
// (or, with --board, a real one), driven by a script. The format is in docs/runner.md.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/paths.h"
#include "base/program_version.h"
#include "device/board_choice.h"
#include "runner/script_runner.h"

namespace {

constexpr const char* kUsage =
    "usage: tessorin-run [--pane FILE] [--log FILE] [--wire FILE] [--report FILE]\n"
    "                    [--mask-timestamps] [--code-page N] [--board [ID]] SCRIPT\n"
    "       tessorin-run --version | --help\n"
    "Channels without a file are printed on standard output, each under a heading.\n"
    "--board runs the script against a real board instead of the emulated one: the\n"
    "first board found, or the one with that id, serial number or USB path\n"
    "(tessorin --list-boards shows them).\n";

struct Channel {
    const char* name;
    std::string file;
};

bool writeWhole(const std::string& path, const std::string& text) {
    std::ofstream out(tessorin::pathFromUtf8(path), std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    Channel pane{"pane", ""}, log{"log", ""}, wire{"wire", ""}, report{"report", ""};
    tessorin::runner::RunnerOptions options;
    std::string script;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "tessorin-run: %s needs a value\n%s", arg.c_str(), kUsage);
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--pane") pane.file = value();
        else if (arg == "--log") log.file = value();
        else if (arg == "--wire") wire.file = value();
        else if (arg == "--report") report.file = value();
        else if (arg == "--mask-timestamps") options.maskTimestamps = true;
        else if (arg == "--code-page") options.codePage = std::atoi(value().c_str());
        else if (arg == "--board") {
            options.liveBoard = true;
            // An id follows unless the next word is an option or the last word, the script.
            if (i + 2 < argc && argv[i + 1][0] != '-') options.boardId = argv[++i];
        }
        else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::fputs(tessorin::versionLine("tessorin-run").c_str(), stdout);
            return 0;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "tessorin-run: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        } else if (script.empty()) script = arg;
        else {
            std::fprintf(stderr, "tessorin-run: one script only\n%s", kUsage);
            return 2;
        }
    }
    if (script.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (options.liveBoard) {
        const std::vector<tessorin::BoardListing> boards = tessorin::presentBoards();
        const bool present = std::any_of(boards.begin(), boards.end(), [&](const tessorin::BoardListing& board) {
            return options.boardId.empty() || tessorin::boardAnswersTo(board, options.boardId);
        });
        if (!present) {
            if (options.boardId.empty()) std::fputs("tessorin-run: --board: no board present\n", stderr);
            else
                std::fprintf(stderr, "tessorin-run: --board %s: no such board present (tessorin --list-boards shows them)\n",
                             options.boardId.c_str());
            return 2;
        }
    }
    const std::optional<std::string> text = tessorin::readWholeFile(script);
    if (!text) {
        std::fprintf(stderr, "tessorin-run: cannot read the script %s\n", script.c_str());
        return 2;
    }
    options.scriptFolder = tessorin::pathToUtf8(std::filesystem::absolute(tessorin::pathFromUtf8(script)).parent_path());

    tessorin::runner::RunnerOutput out;
    try {
        out = tessorin::runner::runScript(*text, options);
    } catch (const tessorin::runner::ScriptError& error) {
        std::fprintf(stderr, "tessorin-run: %s: %s\n", script.c_str(), error.what());
        return 2;
    }
    int status = 0;
    for (auto [channel, content] : {std::pair{&report, &out.report}, {&pane, &out.pane}, {&log, &out.log},
                                    {&wire, &out.wire}}) {
        if (channel->file.empty()) {
            std::string section = tessorin::runner::channelSection(channel->name, *content);
            std::fwrite(section.data(), 1, section.size(), stdout);
        } else if (!writeWhole(channel->file, *content)) {
            std::fprintf(stderr, "tessorin-run: cannot write %s\n", channel->file.c_str());
            status = 1;
        }
    }
    return status;
}

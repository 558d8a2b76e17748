// The station's command line, word by word as the program receives it (the
// input's NUL bytes end the words). Whatever the words, the answer is one of
// the five actions; a refusal says why and passes nothing on; a station keeps
// its image and presets word for word; and a station's options, written out in
// the = form before "--", parse back to the same station.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "station/station_command_line.h"

namespace {

using tessorin::StationCommandLine;
using Action = StationCommandLine::Action;
using Words = std::vector<std::string>;

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

bool contains(const Words& words, std::string_view word) { return std::find(words.begin(), words.end(), word) != words.end(); }

Words canonicalWords(const StationCommandLine& line) {
    Words words = {line.windowArguments[0]};
    if (!line.resultsPath.empty()) words.push_back("--results=" + line.resultsPath);
    if (!line.boardId.empty()) words.push_back("--board=" + line.boardId);
    if (line.chipCount) words.push_back("--count=" + std::to_string(*line.chipCount));
    if (line.allBoards) words.push_back("--all-boards");
    words.push_back("--");
    words.insert(words.end(), line.windowArguments.begin() + 1, line.windowArguments.end());
    return words;
}

void checkStation(const Words& words, const StationCommandLine& line) {
    const Words& window = line.windowArguments;
    require(window.size() >= 2 && window.size() <= words.size() && window[0] == words[0],
            "a station without its program and image");
    require(std::equal(window.begin() + 1, window.end(), words.end() - static_cast<std::ptrdiff_t>(window.size() - 1)),
            "the image and presets are not the last words as given");
    require(line.withOptions == (!line.resultsPath.empty() || !line.boardId.empty() || line.chipCount || line.allBoards),
            "options reported without an option, or none reported");
    require(!line.chipCount || (*line.chipCount >= 1 && *line.chipCount <= 1'000'000'000), "a chip count out of range");
    require(!(line.allBoards && !line.boardId.empty()), "--all-boards taken together with --board");

    const StationCommandLine again = tessorin::parseStationCommandLine(canonicalWords(line));
    require(again.action == Action::Station && again.windowArguments == window && again.resultsPath == line.resultsPath &&
                again.boardId == line.boardId && again.chipCount == line.chipCount && again.allBoards == line.allBoards &&
                again.withOptions == line.withOptions,
            "the station's options written out parse to another station");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Words words(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) words.emplace_back();
        else words.back() += static_cast<char>(data[i]);
    }
    const StationCommandLine line = tessorin::parseStationCommandLine(words);
    switch (line.action) {
        case Action::Window:
            require(words.size() == 1 && line.windowArguments == words, "the window opened for a command line with words");
            break;
        case Action::Refused:
            require(!line.problem.empty() && line.windowArguments.empty(), "a refusal without its reason or with words");
            break;
        case Action::Help:
            require(contains(words, "--help") || words[1] == "-h", "help without --help or a first word -h");
            break;
        case Action::ListBoards:
            require(contains(words, "--list-boards") && !line.withOptions, "a board list without --list-boards alone");
            break;
        case Action::Station: checkStation(words, line); break;
    }
    return 0;
}

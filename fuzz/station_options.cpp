// The station's command line, word by word as the program receives it (the
// input's NUL bytes end the words). Whatever the words, the answer is one of
// its actions; a refusal says why and passes no job on; a station's job is
// its image and presets word for word (none with --job, whose file names them);
// and a station's options, written out in the = form before "--", parse back to
// the same station.
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

// The image and presets, as the last words of the command line.
Words jobWords(const StationCommandLine& line) {
    if (!line.jobPath.empty()) return {};
    Words words = {line.job.imagePath};
    words.insert(words.end(), line.job.presets.begin(), line.job.presets.end());
    return words;
}

Words canonicalWords(const std::string& program, const StationCommandLine& line) {
    Words words = {program};
    if (!line.resultsPath.empty()) words.push_back("--results=" + line.resultsPath);
    if (!line.boardId.empty()) words.push_back("--board=" + line.boardId);
    if (line.chipCount) words.push_back("--count=" + std::to_string(*line.chipCount));
    if (!line.jobPath.empty()) words.push_back("--job=" + line.jobPath);
    if (!line.storeLocation.empty()) words.push_back("--store=" + line.storeLocation);
    if (line.allBoards) words.push_back("--all-boards");
    if (line.jobPath.empty()) words.push_back("--");
    const Words job = jobWords(line);
    words.insert(words.end(), job.begin(), job.end());
    return words;
}

void checkStation(const Words& words, const StationCommandLine& line) {
    const Words job = jobWords(line);
    require(job.size() < words.size() &&
                std::equal(job.begin(), job.end(), words.end() - static_cast<std::ptrdiff_t>(job.size())),
            "the image and presets are not the last words as given");
    require(line.withOptions == (!line.resultsPath.empty() || !line.boardId.empty() || line.chipCount || line.allBoards ||
                                 !line.jobPath.empty() || !line.storeLocation.empty()),
            "options reported without an option, or none reported");
    require(line.jobPath.empty() || line.job == tessorin::download::StationJob{},
            "a job file's station with an image or presets from the command line");
    require(!line.chipCount || (*line.chipCount >= 1 && *line.chipCount <= 1'000'000'000), "a chip count out of range");
    require(!(line.allBoards && !line.boardId.empty()), "--all-boards taken together with --board");

    const StationCommandLine again = tessorin::parseStationCommandLine(canonicalWords(words[0], line));
    require(again.action == Action::Station && again.job == line.job && again.resultsPath == line.resultsPath &&
                again.boardId == line.boardId && again.chipCount == line.chipCount && again.allBoards == line.allBoards &&
                again.jobPath == line.jobPath && again.storeLocation == line.storeLocation &&
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
            require(words.size() == 1, "the window opened for a command line with words");
            break;
        case Action::Refused:
            require(!line.problem.empty() && line.job == tessorin::download::StationJob{},
                    "a refusal without its reason or with a job");
            break;
        case Action::Help:
            require(contains(words, "--help") || words[1] == "-h", "help without --help or a first word -h");
            break;
        case Action::Version: require(contains(words, "--version"), "the version without --version"); break;
        case Action::ListBoards:
            require(contains(words, "--list-boards") && !line.withOptions, "a board list without --list-boards alone");
            break;
        case Action::Station: checkStation(words, line); break;
    }
    return 0;
}

#include "station/station_command_line.h"

#include <gtest/gtest.h>

namespace tessorin {
namespace {

using Action = StationCommandLine::Action;
using Words = std::vector<std::string>;

// The seed's forms become the job word for word, whatever the words hold.
TEST(StationCommandLine, SeedFormsAreTakenAsTheyStand) {
    const Words cases[] = {
        {"tessorin"},
        {"tessorin", "image.rom"},
        {"tessorin", "C:\\fw\\image.rom", "8010 01", "4c10 a1b2"},
        {"tessorin", "-x.rom", "--results", "--count"},  // words after the image are presets
        {"tessorin", "", "8010 01"},
        {"tessorin", "-hx.rom"},
        {"tessorin", "a.rom", "-h"},
    };
    for (const Words& words : cases) {
        const StationCommandLine line = parseStationCommandLine(words);
        EXPECT_EQ(line.action, words.size() == 1 ? Action::Window : Action::Station) << words.size();
        EXPECT_FALSE(line.withOptions);
        const download::StationJob job =
            words.size() == 1 ? download::StationJob{} : download::StationJob{words[1], Words(words.begin() + 2, words.end())};
        EXPECT_EQ(line.job, job);
    }
}

TEST(StationCommandLine, OptionsBeforeTheImage) {
    struct Case {
        Words words;
        std::string results;
        std::optional<uint64_t> count;
        std::string board;
        download::StationJob job;
    };
    const Case cases[] = {
        {{"t", "--results", "r.jsonl", "a.rom"}, "r.jsonl", std::nullopt, "", {"a.rom", {}}},
        {{"t", "--count", "3", "--board", "SN7", "a.rom", "8010 01"}, "", 3, "SN7", {"a.rom", {"8010 01"}}},
        {{"t", "--count=1000000000", "--board=1-1.2", "a.rom"}, "", 1000000000, "1-1.2", {"a.rom", {}}},
        {{"t", "--count", "12", "--", "--odd.rom"}, "", 12, "", {"--odd.rom", {}}},
        {{"t", "--count", "007", "a.rom"}, "", 7, "", {"a.rom", {}}},
        {{"t", "--count", "1", "-h"}, "", 1, "", {"-h", {}}},  // -h is help only as the first word
        {{"t", "--job", "line.toml", "--count", "2"}, "", 2, "", {}},  // the job's image and presets follow
    };
    for (const Case& c : cases) {
        const StationCommandLine line = parseStationCommandLine(c.words);
        EXPECT_EQ(line.action, Action::Station) << c.words[1];
        EXPECT_TRUE(line.withOptions);
        EXPECT_EQ(line.resultsPath, c.results);
        EXPECT_EQ(line.chipCount, c.count);
        EXPECT_EQ(line.boardId, c.board);
        EXPECT_EQ(line.job, c.job);
        const StationSettings settings = stationSettings(line, true);
        EXPECT_EQ(settings.resultsPath, c.results);
        EXPECT_EQ(settings.chipCount, c.count);
        EXPECT_TRUE(settings.consoleIsTerminal);
    }
}

TEST(StationCommandLine, AnswersAndRefusals) {
    struct Case {
        Words words;
        Action action;
        const char* problem;
    };
    const Case cases[] = {
        {{"t", "--help"}, Action::Help, ""},
        {{"t", "-h"}, Action::Help, ""},
        {{"t", "-h", "a.rom"}, Action::Help, ""},
        {{"t", "--count", "2", "--help", "a.rom"}, Action::Help, ""},
        {{"t", "--list-boards"}, Action::ListBoards, ""},
        {{"t", "--list-boards", "--help"}, Action::Help, ""},
        {{"t", "--version"}, Action::Version, ""},
        {{"t", "--list-boards", "--version", "--count", "2", "a.rom"}, Action::Version, ""},
        {{"t", "--version", "--help"}, Action::Help, ""},
        {{"t", "--version=1"}, Action::Refused, "--version takes no value"},
        {{"t", "--list-boards", "a.rom"}, Action::Refused, "--list-boards takes nothing else"},
        {{"t", "--board", "X", "--list-boards"}, Action::Refused, "--list-boards takes nothing else"},
        {{"t", "--verbose", "a.rom"}, Action::Refused, "unknown option --verbose"},
        {{"t", "--result", "r", "a.rom"}, Action::Refused, "unknown option --result"},
        {{"t", "--results"}, Action::Refused, "--results needs a value"},
        {{"t", "--results", "--count", "2", "a.rom"}, Action::Refused, "--results needs a value"},
        {{"t", "--board="}, Action::Refused, "--board needs a value"},
        {{"t", "--results=", "a.rom"}, Action::Refused, "--results needs a value"},
        {{"t", "--count", "a.rom"}, Action::Refused, "--count needs a whole number from 1 to 1000000000, not \"a.rom\""},
        {{"t", "--count", "0", "a.rom"}, Action::Refused, "--count needs a whole number"},
        {{"t", "--count", "-3", "a.rom"}, Action::Refused, "--count needs a whole number"},
        {{"t", "--count", "1e3", "a.rom"}, Action::Refused, "--count needs a whole number"},
        {{"t", "--count", "1000000001", "a.rom"}, Action::Refused, "--count needs a whole number"},
        {{"t", "--count", "99999999999999999999", "a.rom"}, Action::Refused, "--count needs a whole number"},
        {{"t", "--count", "2", "--count", "3", "a.rom"}, Action::Refused, "--count is given twice"},
        {{"t", "--board", "A", "--board", "B", "a.rom"}, Action::Refused, "--board is given twice"},
        {{"t", "--help=yes"}, Action::Refused, "--help takes no value"},
        {{"t", "--count", "2"}, Action::Refused, "no image given"},
        {{"t", "--"}, Action::Refused, "no image given"},
        {{"t", "--job", "j.toml", "a.rom"}, Action::Refused, "--job names the image and its presets: give no image"},
        {{"t", "--job", "a.toml", "--job", "b.toml"}, Action::Refused, "--job is given twice"},
        {{"t", "--store", "--count", "2", "a.rom"}, Action::Refused, "--store needs a value"},
    };
    for (const Case& c : cases) {
        const StationCommandLine line = parseStationCommandLine(c.words);
        EXPECT_EQ(line.action, c.action) << c.words[1];
        EXPECT_EQ(line.problem.rfind(c.problem, 0), 0u) << line.problem;
        EXPECT_EQ(line.job, download::StationJob{}) << c.words[1];
    }
}

}  // namespace
}  // namespace tessorin

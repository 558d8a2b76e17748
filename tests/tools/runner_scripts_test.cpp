#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/paths.h"
#include "emulator/emulator_session.h"
#include "runner/script_runner.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"

namespace tessorin::testing {
namespace {

const std::filesystem::path kScripts = std::filesystem::path(__FILE__).parent_path() / "scripts";

runner::RunnerOutput runNamed(const std::string& name) {
    runner::RunnerOptions options;
    options.maskTimestamps = true;
    options.scriptFolder = pathToUtf8(kScripts);
    return runner::runScript(fileText(kScripts / (name + ".script")), options);
}

// Each script's whole output (report, pane, log and wire trace) is checked
// against its NAME.expected, written by tessorin-run --mask-timestamps and read
// through line by line. TESSORIN_UPDATE_EXPECTED=1 rewrites them.
class RunnerScript : public ::testing::TestWithParam<const char*> {};

TEST_P(RunnerScript, GivesTheExpectedOutput) {
    const std::string name = GetParam();
    std::string actual = runner::allChannels(runNamed(name));
    std::filesystem::path expectedPath = kScripts / (name + ".expected");
    if (std::getenv("TESSORIN_UPDATE_EXPECTED")) std::ofstream(expectedPath, std::ios::binary) << actual;
    EXPECT_EQ(actual, fileText(expectedPath));
}

INSTANTIATE_TEST_SUITE_P(Scripts, RunnerScript,
                         ::testing::Values("caption_reload", "fifty_two_controls", "configured_values",
                                           "drift_templates", "power_words", "busy_refusals", "file_intake",
                                           "station", "station_again", "progress"));

// The error a script stops with; empty when it ran to its end.
std::string scriptError(const std::string& script, const runner::RunnerOptions& options) {
    try {
        runner::runScript(script, options);
        return "";
    } catch (const runner::ScriptError& error) {
        return error.what();
    }
}

TEST(RunnerScriptErrors, NameTheLineAndStop) {
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"start\nfly away\n", "line 2: unknown action 'fly'"},
        {"# only a comment\n\npress\n", "line 3: usage: press COMMAND_ID"},
        {"press 10x3\n", "line 1: '10x3' is not a decimal number"},
        {"chip remove\n", "line 1: no board was attached"},
        {"board attach\nchip remove\ndump codeload\n", "line 3: "},
        {"type 1004 \"open\n", "line 1: a quote is not closed"},
        {"station 0 image.rom\n", "line 1: a station run needs at least one chip"},
        {"board attach zz\n", "line 1: 'zz' is not a hexadecimal number"},
        {"press Power\n", "line 1: 'Power' is not a decimal number or a control name"},
        {"select download 0\n", "line 1: the download row has no value control"},
        {"board attach 6d10\nstation 1 --all-boards image.rom\n", "line 2: --all-boards has no place in a script"},
    };
    for (const Case& c : cases) {
        const std::string error = scriptError(c.script, {});
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.script << " gave: " << error;
    }
}

// A station line after one its --count ended (with the chip still away) is a
// fresh station too, and a name with a backslash is found in the script's folder.
TEST(RunnerStation, EveryLineAFreshStationFindingItsImageInTheScriptFolder) {
    TempFolder folder("runner_station");
    const std::string image = fileText(kScripts / "image.rom");
    folder.write("image.rom", image);
    folder.write("back\\slash.rom", image);
    runner::RunnerOptions options;
    options.scriptFolder = pathToUtf8(folder.folder());
    const runner::RunnerOutput out = runner::runScript("board attach 6d10\n"
                                                       "station 2 --count 1 --results r.jsonl image.rom\n"
                                                       "station 2 --count 1 --results r.jsonl back\\slash.rom\n",
                                                       options);
    EXPECT_EQ(out.report, "station chip 1: code load 32 bytes\nstation chip 1: code load 32 bytes\n") << out.pane;
    EXPECT_EQ(out.pane, "");
    std::istringstream results(fileText(folder.path("r.jsonl")));
    std::vector<nlohmann::json> lines;
    for (std::string line; std::getline(results, line);) lines.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(lines.size(), 2u);
    for (const nlohmann::json& line : lines) {
        EXPECT_EQ(line["sequence"], 1);
        EXPECT_EQ(line["result"], "success");
    }
    EXPECT_EQ(lines[1]["image"], folder.path("back\\slash.rom"));
    EXPECT_TRUE(lines[1]["image_sha256"].is_string());
}

TEST(RunnerStation, ABoardChoiceHoldsForItsOwnLineOnly) {
    runner::RunnerOptions options;
    options.scriptFolder = pathToUtf8(kScripts);
    const runner::RunnerOutput out = runner::runScript(
        "board attach 6d10\nstation 1 --board NOPE --count 1 image.rom\nstation 1 image.rom\n", options);
    EXPECT_EQ(out.report, "station stopped after 2000 passes with 0 of 1 chips\nstation chip 1: code load 32 bytes\n");
}

TEST(RunnerScriptNames, ARowNameStandsForItsIds) {
    const std::string byName = "start\nselect power 3\ntype freq-offset 5\npress power\npress freq-offset\n"
                               "press select-rom\ndump window\n";
    const std::string byId = "start\nselect 1039 3\ntype 1004 5\npress 1041\npress 1038\npress 1000\ndump window\n";
    runner::RunnerOptions options;
    options.maskTimestamps = true;
    const std::string named = runner::allChannels(runner::runScript(byName, options));
    EXPECT_EQ(named, runner::allChannels(runner::runScript(byId, options)));
    EXPECT_NE(named.find("OnBnClickedButtonPower"), std::string::npos);
    EXPECT_NE(named.find("OnBnClickedButtonFreqoffset"), std::string::npos);
}

// A live run talks to whatever board the process's transport finds: here the
// emulator, so the test can see that a refused script sent nothing at all.
TEST(RunnerLiveScripts, ActionsOnTheEmulatedBoardAreRefusedBeforeAnyTraffic) {
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"press 1015\nboard attach 5b21\n", "line 2: 'board attach' works only on the emulated board"},
        {"press 1015\n\nchip swap 6d10\n", "line 3: 'chip swap' works only"},
        {"handshake 0\n", "line 1: 'handshake 0' works only"},
        {"press 1015\nfault drop-replies 1\npress 1015\n", "line 2: 'fault drop-replies' works only"},
        {"dump window\ndump memory 4c10 2\n", "line 2: 'dump memory' works only"},
        {"dump codeload\n", "line 1: 'dump codeload' works only"},
        {"station 1 image.rom\n", "line 1: 'station 1' works only"},
    };
    for (const Case& c : cases) {
        emulator::EmulatorSession session;
        session.emulator.addBoard(0x5B21);
        runner::RunnerOptions options;
        options.liveBoard = true;
        const std::string error = scriptError(c.script, options);
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.script << " gave: " << error;
        EXPECT_EQ(session.emulator.journal(), "") << c.script;
    }
}

TEST(RunnerLiveScripts, TheWireIsWhatWentToTheBoard) {
    emulator::EmulatorSession session;
    session.emulator.addBoard(0x5B21);
    runner::RunnerOptions options;
    options.liveBoard = true;
    options.scriptFolder = pathToUtf8(kScripts);
    runner::RunnerOutput out = runner::runScript("drop values.ini\npress 1015\ndump window\n", options);
    EXPECT_NE(out.report.find("1015 button"), std::string::npos);
    EXPECT_NE(out.pane.find("success"), std::string::npos);
    EXPECT_NE(out.wire, "");
    EXPECT_EQ(out.wire, session.emulator.trace());
}

TEST(RunnerScriptComments, HashInsideAWordIsText) {
    runner::RunnerOutput out = runner::runScript("echo a#b # and a comment\n  # indented comment\necho \"x # y\"\n", {});
    EXPECT_EQ(out.report, "a#b\nx # y\n");
}

}  // namespace
}  // namespace tessorin::testing

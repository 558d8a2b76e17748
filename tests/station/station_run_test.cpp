// The station started with options: results lines, the count, the chosen board,
// the running totals and the console progress.
#include "station/station_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>


#include "base/paths.h"
#include "base/sha256.h"
#include "device/board_choice.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"
#include "tests/station/station_rig.h"

namespace tessorin {
namespace {

using namespace tessorin::testing;
using Json = nlohmann::json;

std::unique_ptr<StationRun> startRun(StationSettings settings) {
    std::string problem;
    std::unique_ptr<StationRun> run = StationRun::start(settings, problem);
    EXPECT_TRUE(run) << problem;
    return run;
}

TEST(StationResults, OneLinePerFinishedChipAgreeingWithTheLog) {
    StationRig rig;
    TempFolder dir;
    const std::string results = dir.path("results.jsonl");
    rig.job.presets = {"0x9000 11223344"};
    const int device = rig.session.emulator.addBoard(StationRig::kChip);
    std::unique_ptr<StationRun> run = startRun({results, 5, false});
    rig.run(*run, device,
            {Fault{}, Fault{FaultKind::PullChip, true, 2}, Fault{FaultKind::UnplugBoard, true, 3, 1, 0, 2},
             Fault{FaultKind::DropReplies, false, 1, 1}, Fault{FaultKind::WriteTimeouts, true, 1, 1}});

    const std::vector<std::string> lines = linesOf(fileText(results));
    const std::vector<bool> logged = rig.loggedResults();
    ASSERT_EQ(lines.size(), 5u) << fileText(results);
    ASSERT_EQ(logged.size(), 5u) << rig.log.text();
    const char* reasons[] = {nullptr, "chip_stopped_answering", "board_lost", nullptr, "board_lost"};
    const std::string fileBytes = fileText(rig.file.path());
    for (size_t i = 0; i < lines.size(); ++i) {
        const Json line = Json::parse(lines[i]);
        EXPECT_EQ(line["sequence"], i + 1);
        EXPECT_EQ(line["result"], logged[i] ? "success" : "fail") << lines[i];
        EXPECT_EQ(line["reason"], reasons[i] ? Json(reasons[i]) : Json()) << lines[i];
        EXPECT_EQ(line["board"], "1-1.1");
        EXPECT_EQ(line["chip_id"], "0x6d10");
        EXPECT_EQ(line["image"], rig.file.path());
        EXPECT_EQ(line["image_sha256"], sha256Hex(fileBytes));
        EXPECT_EQ(line["image_bytes"], fileBytes.size());
        EXPECT_EQ(line["presets"], Json::array({"0x9000 11223344"}));
        EXPECT_GT(line["reports"].get<uint64_t>(), 0u);
        EXPECT_GT(line["duration_ms"].get<uint64_t>(), 0u);
        EXPECT_EQ(line["time"].get<std::string>().substr(0, 11), "2026-12-09T");
        EXPECT_EQ(line["time"].get<std::string>().substr(19), "+08:00");
    }
    EXPECT_EQ(logged, (std::vector<bool>{true, false, false, true, false}));
    EXPECT_EQ(run->passed(), 2u);
    EXPECT_EQ(run->failed(), 3u);
    EXPECT_EQ(run->exitCode(), 1);
    const std::string log = rig.log.maskedText();
    EXPECT_NE(log.find("[T]\t\tchips: 1 passed, 0 failed, yield 100.0%\n"), std::string::npos) << log;
    EXPECT_NE(log.find("[T]\t\tchips: 1 passed, 1 failed, yield 50.0%\n"), std::string::npos) << log;
    EXPECT_NE(log.find("[T]\t\tchips: 2 passed, 3 failed, yield 40.0%\n"), std::string::npos) << log;
}

// Failures before any board traffic of the image have their own reasons, and
// a file that cannot be read has no hash.
TEST(StationResults, ReasonsOfFailuresBeforeTheImage) {
    struct Case {
        const char* what;
        std::string imagePath;  // empty: the rig's image
        std::vector<std::string> presets;
        const char* reason;
    };
    TempFolder folderAsImage;
    const Case cases[] = {
        {"missing image", "/nonexistent/station.rom", {}, "no_image"},
        {"folder as image", folderAsImage.path(""), {}, "no_image"},
        {"preset refused", "", {"4c"}, "preset_refused"},
    };
    for (const Case& c : cases) {
        StationRig rig;
        TempFolder dir;
        if (!c.imagePath.empty()) rig.job.imagePath = c.imagePath;
        rig.job.presets = c.presets;
        const int device = rig.session.emulator.addBoard(StationRig::kChip);
        std::unique_ptr<StationRun> run = startRun({dir.path("r.jsonl"), 1, false});
        rig.run(*run, device);
        const Json line = Json::parse(fileText(dir.path("r.jsonl")));
        EXPECT_EQ(line["result"], "fail") << c.what;
        EXPECT_EQ(line["reason"], c.reason) << c.what;
        EXPECT_EQ(line["image_sha256"].is_null(), !c.imagePath.empty()) << c.what;
        EXPECT_EQ(line["image_bytes"].is_null(), !c.imagePath.empty()) << c.what;
        EXPECT_EQ(line["presets"].size(), c.presets.size()) << c.what;
    }
}

TEST(StationResults, TwoRunsAppendWholeLines) {
    TempFolder dir;
    const std::string results = dir.path("shared.jsonl");
    for (int runNumber = 0; runNumber < 2; ++runNumber) {
        StationRig rig;
        const int device = rig.session.emulator.addBoard(StationRig::kChip);
        std::unique_ptr<StationRun> run = startRun({results, 2, false});
        rig.run(*run, device);
    }
    const std::vector<std::string> lines = linesOf(fileText(results));
    ASSERT_EQ(lines.size(), 4u);
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(Json::parse(lines[i])["sequence"], i % 2 + 1);
}

TEST(StationCount, EndsAfterTheCountWithTheExitCode) {
    struct Case {
        uint64_t count;
        std::vector<Fault> faults;
        int exitCode;
    };
    const Case cases[] = {
        {1, {}, 0},
        {3, {}, 0},
        {3, {Fault{}, Fault{FaultKind::PullChip, true, 1}}, 1},
        {2, {Fault{FaultKind::PullChip, true, 1}}, 1},
    };
    for (const Case& c : cases) {
        StationRig rig;
        const int device = rig.session.emulator.addBoard(StationRig::kChip);
        std::unique_ptr<StationRun> run = startRun({"", c.count, false});
        rig.run(*run, device, c.faults);
        EXPECT_LT(rig.passes, StationRig::kPassLimit) << c.count << ": the loop ended by itself";
        EXPECT_EQ(rig.host.startRequests, static_cast<int>(c.count));
        EXPECT_TRUE(run->countReached());
        EXPECT_EQ(run->exitCode(), c.exitCode) << c.count;
    }
}

// Three boards; the station takes only the chosen one, also when it is
// unplugged and comes back after another board was plugged in. Without a
// choice the first board found is taken (and after an unplug, whichever is
// first then, so that case keeps its board).
TEST(StationBoard, OnlyTheChosenBoardEvenAfterUnplugAndReplug) {
    struct Case {
        const char* choice;
        int device;
        const char* id;
        bool unplugMidway;
    };
    const Case cases[] = {{"SN-B", 1, "SN-B", true}, {"1-1.3", 2, "1-1.3", true}, {"", 0, "SN-A", false}};
    for (const Case& c : cases) {
        StationRig rig;
        TempFolder dir;
        emulator::BoardEmulator& boards = rig.session.emulator;
        boards.setIdentity(boards.addBoard(StationRig::kChip), "SN-A", "1-1.1");
        boards.setIdentity(boards.addBoard(StationRig::kChip), "SN-B", "1-1.2");
        boards.addBoard(StationRig::kChip);
        chooseBoard(c.choice);
        std::unique_ptr<StationRun> run = startRun({dir.path("r.jsonl"), 2, false});
        int unpluggedAt = -1;
        rig.run(*run, c.device, {}, [&](int pass) {
            if (c.unplugMidway && run->passed() == 1 && unpluggedAt < 0) {
                boards.unplug(c.device);
                boards.setIdentity(boards.addBoard(StationRig::kChip), "SN-N", "1-1.9");
                unpluggedAt = pass;
            } else if (unpluggedAt >= 0 && pass == unpluggedAt + 2) {
                boards.replug(c.device);
            }
        });
        EXPECT_EQ(run->passed(), 2u) << c.choice;
        EXPECT_EQ(rig.loadedBoards, (std::vector<std::vector<int>>{{c.device}, {c.device}})) << c.choice;
        for (const std::string& line : linesOf(fileText(dir.path("r.jsonl"))))
            EXPECT_EQ(Json::parse(line)["board"], c.id) << c.choice;
    }
}

TEST(StationBoard, AChosenBoardThatIsAbsentIsWaitedFor) {
    StationRig rig;
    const int present = rig.session.emulator.addBoard(StationRig::kChip);
    chooseBoard("SN-missing");
    std::unique_ptr<StationRun> run = startRun({"", 1, false});
    rig.run(*run, present, {}, [&](int pass) {
        if (pass == 3) rig.session.emulator.setIdentity(present, "SN-missing", "1-1.1");
    });
    EXPECT_EQ(run->passed(), 1u);
    const std::string log = rig.log.maskedText();
    // Three passes without the board, the fourth finds it once it has the chosen serial number.
    EXPECT_EQ(countOf(log, rig.host.messages()[msgOpenUsbFail]), 4u) << log;
}

TEST(StationProgress, ConsoleShowsTheImageGoingOut) {
    struct Case {
        bool terminal;
        Fault fault;
        std::string progress;  // the log between the image path line and the result
    };
    // 300 bytes: reports of 58, 61, 61, 61, 59 bytes.
    const Case cases[] = {
        {false, Fault{},
         "[T]\t\tdownload 39% (119 of 300 bytes)\n[T]\t\tdownload 60% (180 of 300 bytes)\n"
         "[T]\t\tdownload 80% (241 of 300 bytes)\n[T]\t\tdownload 100% (300 of 300 bytes)\n"},
        {true, Fault{},
         "\rdownload 0% (0 of 300 bytes)\rdownload 19% (58 of 300 bytes)\rdownload 39% (119 of 300 bytes)"
         "\rdownload 60% (180 of 300 bytes)\rdownload 80% (241 of 300 bytes)\rdownload 100% (300 of 300 bytes)\n"},
        {false, Fault{FaultKind::UnplugBoard, true, 3, 1, 0, 50},
         "[T]\t\tdownload 39% (119 of 300 bytes)\n[T]\t\tdownload stopped at 39% (119 of 300 bytes)\n"},
        {true, Fault{FaultKind::UnplugBoard, true, 3, 1, 0, 50},
         "\rdownload 0% (0 of 300 bytes)\rdownload 19% (58 of 300 bytes)\rdownload 39% (119 of 300 bytes)"
         "\rdownload stopped at 39% (119 of 300 bytes)\n"},
    };
    for (const Case& c : cases) {
        StationRig rig;
        const int device = rig.session.emulator.addBoard(StationRig::kChip);
        std::unique_ptr<StationRun> run = startRun({"", 1, c.terminal});
        rig.run(*run, device, {c.fault});
        const std::string log = rig.log.maskedText();
        const std::string before = "RomPath:" + rig.file.path() + "\n\n";
        const size_t from = log.find(before) + before.size();
        const MessageId result = c.fault.kind == FaultKind::None ? msgDownloadSuccess : msgDownloadFail;
        const size_t to = log.find("[T]\t\t" + rig.host.messages()[result], from);
        ASSERT_NE(to, std::string::npos) << log;
        EXPECT_EQ(log.substr(from, to - from), c.progress) << log;
    }
}

}  // namespace
}  // namespace tessorin

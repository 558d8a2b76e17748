#include "runner/script_session.h"

#include <chrono>
#include <cstdint>
#include <thread>

#include "app/control_ids.h"
#include "app/control_rows.h"
#include "station/station_command_line.h"
#include "base/format.h"
#include "base/text.h"
#include "device/board_choice.h"
#include "runner/dump_text.h"

namespace tessorin::runner {
namespace {

constexpr uint16_t kDefaultChipId = 0x5B21;
constexpr const char* kProgramPath = "/opt/station/tessorin";
// A station that never gets its chips (no board, a chip that never answers) stops here.
constexpr int kStationPassLimit = 2000;

// How often piece stands in text from offset from on.
size_t countOf(const std::string& text, const std::string& piece, size_t from) {
    size_t count = 0;
    for (size_t at = text.find(piece, from); at != std::string::npos; at = text.find(piece, at + piece.size())) ++count;
    return count;
}

// Names from "/", "\\" or a drive letter stand as given; a backslash or colon
// further in is only a character of the name on Linux.
bool isRooted(const std::string& path) {
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drive || (!path.empty() && (path[0] == '/' || path[0] == '\\'));
}

bool isDecimal(std::string_view word) {
    return !word.empty() && word.find_first_not_of("-0123456789") == std::string_view::npos;
}

}  // namespace

int ScriptSession::controlId(const std::string& word, RowPart part) {
    if (isDecimal(word)) return ScriptLine(word).decimal(0);
    const ControlRow* row = controlRowNamed(word);
    if (!row) throw std::invalid_argument("'" + word + "' is not a decimal number or a control name");
    if (part == RowPart::Button) return row->buttonId;
    if (row->valueId == kNoControl) throw std::invalid_argument("the " + word + " row has no value control");
    return row->valueId;
}

WindowHarness& ScriptSession::window() {
    if (!window_) {
        WindowHarnessOptions harnessOptions;
        harnessOptions.programPath = kProgramPath;
        harnessOptions.codePage = options_.codePage;
        window_ = std::make_unique<WindowHarness>(harnessOptions);
        if (held_) window_->workers.hold();
        window_->start();
    }
    return *window_;
}

void ScriptSession::retireWindow() {
    if (!window_) return;
    window_->workers.waitAll();
    earlierPanes_ += window_->controls.paneText();
    window_.reset();
}

int ScriptSession::board() const {
    if (board_ < 0) throw std::invalid_argument("no board was attached");
    return board_;
}

std::string ScriptSession::resolve(const std::string& path) const {
    const bool relative = !path.empty() && !isRooted(path);
    return relative && !options_.scriptFolder.empty() ? options_.scriptFolder + "/" + path : path;
}

uint16_t ScriptSession::chipIdOrDefault() {
    if (board_ < 0) return kDefaultChipId;
    try {
        return emulator().withChip(board_, [](emulator::ChipModel& chip) { return chip.id(); });
    } catch (const std::out_of_range&) {
        return kDefaultChipId;
    }
}

void ScriptSession::boardAction(const ScriptLine& line) {
    const std::string& what = line.word(1);
    if (what == "attach") board_ = emulator().addBoard(line.size() == 3 ? static_cast<uint16_t>(line.hex(2)) : kDefaultChipId);
    else if (what == "attach-empty") board_ = emulator().addBoardWithoutChip();
    else if (what == "remove") emulator().unplug(board());
    else if (what == "replug") emulator().replug(board());
    else throw std::invalid_argument("unknown board action '" + what + "'");
}

void ScriptSession::chipAction(const ScriptLine& line) {
    const std::string& what = line.word(1);
    if (what == "attach" || what == "swap") emulator().attachChip(board(), static_cast<uint16_t>(line.hex(2)));
    else if (what == "remove") emulator().detachChip(board());
    else throw std::invalid_argument("unknown chip action '" + what + "'");
}

void ScriptSession::faultAction(const ScriptLine& line) {
    const std::string& what = line.word(1);
    int count = line.decimal(2);
    if (what == "drop-replies") emulator().dropReplies(count);
    else if (what == "delay-replies") emulator().delayReplies(count);
    else if (what == "write-timeouts") emulator().timeOutWrites(count);
    else if (what == "short-reads") emulator().shortenReads(count, line.decimal(3));
    else if (what == "unplug-after") emulator().unplugAfterRequests(board(), count);
    else throw std::invalid_argument("unknown fault '" + what + "'");
}

void ScriptSession::dialogAction(const ScriptLine& line) {
    const std::string& what = line.word(1);
    if (what == "choose") {
        line.expectWords(3, 3, "dialog choose PATH");
        window().fileDialog.choose(resolve(line.word(2)));
    } else if (what == "cancel") {
        line.expectWords(2, 2, "dialog cancel");
        window().fileDialog.cancel();
    } else {
        throw std::invalid_argument("unknown dialog answer '" + what + "'");
    }
}

void ScriptSession::dumpAction(const ScriptLine& line) {
    const std::string& what = line.word(1);
    window().workers.waitAll();
    if (what == "window") {
        line.expectWords(2, 2, "dump window");
        report_ += windowState(window());
        return;
    }
    if (what == "progress") {
        line.expectWords(2, 2, "dump progress");
        std::string steps;
        for (int percent : window().controls.progressSteps()) steps += formatText(" %d", {percent});
        report_ += "progress" + steps + "\n";
        return;
    }
    if (what == "codeload") {
        line.expectWords(2, 2, "dump codeload");
        auto bytes = emulator().withChip(board(), [](emulator::ChipModel& chip) { return chip.codeLoad(); });
        report_ += hexRows("codeload", 0, bytes);
        return;
    }
    line.expectWords(4, 4, "dump memory|eeprom ADDRESS COUNT");
    uint32_t address = line.hex(2);
    int count = line.decimal(3);
    if (count < 0) throw std::invalid_argument("a count is never negative");
    if (what == "memory") {
        auto bytes = emulator().withChip(board(), [&](emulator::ChipModel& chip) { return chip.peek(address, count); });
        report_ += hexRows("memory", address, bytes);
    } else if (what == "eeprom") {
        auto bytes = emulator().withChip(board(), [&](emulator::ChipModel& chip) {
            return chip.eeprom().bytes(static_cast<uint16_t>(address), count);
        });
        report_ += hexRows("eeprom", address, bytes);
    } else {
        throw std::invalid_argument("unknown dump '" + what + "'");
    }
}

// The program's command line after the chip count, as the station takes it:
// options first, the image and the results file from the script's folder.
download::StationJob ScriptSession::stationJob(const ScriptLine& line) {
    std::vector<std::string> words = {kProgramPath};
    for (const std::string& word : line.wordsFrom(2)) words.push_back(word);
    StationCommandLine command = parseStationCommandLine(words);
    if (command.action != StationCommandLine::Action::Station)
        throw std::invalid_argument(command.problem.empty() ? "usage: station CHIPS [OPTIONS] IMAGE [PRESET...]"
                                                            : command.problem);
    if (command.allBoards)
        throw std::invalid_argument("--all-boards has no place in a script: its station runs on the emulated board");
    command.job.imagePath = resolve(command.job.imagePath);
    stationRun_.reset();
    if (command.withOptions) {
        std::string problem;
        StationSettings settings = stationSettings(command, false);
        if (!settings.resultsPath.empty()) settings.resultsPath = resolve(settings.resultsPath);
        stationRun_ = StationRun::start(settings, problem);
        if (!stationRun_) throw std::invalid_argument(problem);
    }
    chooseBoard(command.boardId);
    return command.job;
}

// The command-line start on a fresh window. The runner plays the operator:
// after each finished download it takes the chip away and then puts a fresh
// one of the same id on the board, until `chips` downloads have finished.
void ScriptSession::stationAction(const ScriptLine& line) {
    const int chips = line.decimal(1);
    if (chips < 1) throw std::invalid_argument("a station run needs at least one chip");
    retireWindow();
    // A station its --count ended may have left the board without the chip it took away.
    if (chipTakenAway_) {
        emulator().attachChip(chipTakenAway_->board, chipTakenAway_->id);
        chipTakenAway_.reset();
    }
    const uint16_t chipId = chipIdOrDefault();
    // Each chip's code load is counted from the station's start.
    if (board_ >= 0) {
        try {
            emulator().withChip(board_, [](emulator::ChipModel& chip) { chip.clearCodeLoad(); });
        } catch (const std::out_of_range&) {
            // No chip on the board yet: nothing to clear.
        }
    }
    WindowHarnessOptions harnessOptions;
    harnessOptions.stationJob = stationJob(line);
    harnessOptions.stationRun = stationRun_.get();
    harnessOptions.codePage = options_.codePage;
    // The loop logs msgDownloadStart right after it started the worker; the worker
    // waits for that line, so the log reads the same on every run.
    // Only this station's lines count: the log holds those of the lines before too.
    const size_t logStart = log_.text().size();
    auto startsSeen = std::make_shared<int>(0);
    harnessOptions.workerPrelude = [this, startsSeen, logStart] {
        std::string startLine = "\t\t" + messages_[msgDownloadStart];
        waitForLogLines(startLine, static_cast<size_t>(++*startsSeen), logStart);
    };
    // Shared with the stop seam, which the idle station window keeps after the loop ended.
    struct Progress {
        int finished = 0;
        int passes = 0;
    };
    auto progress = std::make_shared<Progress>();
    harnessOptions.stationStop = [this, progress, chips, chipId, logStart] {
        Progress& p = *progress;
        if (++p.passes > kStationPassLimit) {
            report_ += formatText("station stopped after %d passes with %d of %d chips\n",
                                  {kStationPassLimit, p.finished, chips});
            return true;
        }
        std::string finishLine = "\t\t" + messages_[msgDownloadFinish];
        int now = static_cast<int>(countOf(log_.text(), finishLine, logStart));
        if (now > p.finished) {
            p.finished = now;
            size_t loaded = emulator().withChip(board_, [](emulator::ChipModel& chip) { return chip.codeLoad().size(); });
            report_ += formatText("station chip %d: code load %u bytes\n", {p.finished, loaded});
            if (p.finished >= chips) return true;
            emulator().detachChip(board_);
            chipTakenAway_ = TakenChip{board_, chipId};
        } else if (chipTakenAway_) {
            emulator().attachChip(chipTakenAway_->board, chipTakenAway_->id);
            chipTakenAway_.reset();
        }
        return false;
    };
    window_ = std::make_unique<WindowHarness>(harnessOptions);
    window_->start();
}

// Real time, bounded: the line comes from another thread within moments.
void ScriptSession::waitForLogLines(const std::string& line, size_t count, size_t from) {
    for (int waited = 0; waited < 5000 && countOf(log_.text(), line, from) < count; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void ScriptSession::startAction(const ScriptLine&) { window(); }

void ScriptSession::handshakeAction(const ScriptLine& line) {
    emulator().setHandshakeReply(board(), static_cast<uint8_t>(line.hex(1)));
}

void ScriptSession::dropAction(const ScriptLine& line) {
    std::vector<std::string> paths;
    for (const std::string& path : line.wordsFrom(1)) paths.push_back(resolve(path));
    window().window.OnDropFiles(paths);
}

void ScriptSession::selectAction(const ScriptLine& line) {
    window().controls.comboSetCurSel(controlId(line.word(1), RowPart::Value), line.decimal(2));
}

void ScriptSession::typeAction(const ScriptLine& line) {
    window().controls.setControlText(controlId(line.word(1), RowPart::Value), line.word(2));
}

void ScriptSession::pressAction(const ScriptLine& line) {
    const int id = controlId(line.word(1), RowPart::Button);
    if (!window().window.onCommand(id)) report_ += formatText("press %d: no handler\n", {id});
}

void ScriptSession::downloadAction(const ScriptLine&) {
    window().window.onCommand(kDownloadButtonId);
    window().workers.waitAll();
}

void ScriptSession::holdWorkersAction(const ScriptLine&) {
    held_ = true;
    if (window_) window_->workers.hold();
}

void ScriptSession::releaseWorkersAction(const ScriptLine&) {
    held_ = false;
    if (window_) window_->workers.waitAll();
}

void ScriptSession::echoAction(const ScriptLine& line) {
    std::string text;
    for (const std::string& word : line.wordsFrom(1)) text += (text.empty() ? "" : " ") + word;
    report_ += text + "\n";
}

namespace {

constexpr size_t kAnyWordCount = SIZE_MAX;

// One action: its word, how many words its line has (the action's own
// included), the usage said when the count is wrong, and what carries it out.
struct ScriptAction {
    std::string_view word;
    size_t minWords;
    size_t maxWords;
    std::string_view usage;
    void (ScriptSession::*perform)(const ScriptLine&);
    // Null when the action works on a real board too.
    bool (*needsEmulatedBoard)(const ScriptLine&) = nullptr;
};

bool always(const ScriptLine&) { return true; }
// The window's state is there on a real board too; the chip's memory is not.
bool dumpsTheChip(const ScriptLine& line) {
    return line.size() > 1 && line.word(1) != "window" && line.word(1) != "progress";
}

// Actions with sub-actions check their own words further.
constexpr ScriptAction kActions[] = {
    {"start", 1, 1, "start", &ScriptSession::startAction},
    {"board", 2, 3, "board attach [CHIP_ID] | board attach-empty | board remove | board replug",
     &ScriptSession::boardAction, always},
    {"chip", 2, 3, "chip attach ID | chip swap ID | chip remove", &ScriptSession::chipAction, always},
    {"handshake", 2, 2, "handshake CODE", &ScriptSession::handshakeAction, always},
    {"fault", 3, 4, "fault drop-replies|delay-replies|write-timeouts|unplug-after N | fault short-reads N BYTES",
     &ScriptSession::faultAction, always},
    {"drop", 2, 64, "drop PATH...", &ScriptSession::dropAction},
    {"dialog", 1, kAnyWordCount, "dialog choose PATH | dialog cancel", &ScriptSession::dialogAction},
    {"select", 3, 3, "select COMBO_ID|NAME INDEX", &ScriptSession::selectAction},
    {"type", 3, 3, "type EDIT_ID|NAME TEXT", &ScriptSession::typeAction},
    {"press", 2, 2, "press COMMAND_ID|NAME", &ScriptSession::pressAction},
    {"download", 1, 1, "download", &ScriptSession::downloadAction},
    {"hold-workers", 1, kAnyWordCount, "hold-workers", &ScriptSession::holdWorkersAction},
    {"release-workers", 1, kAnyWordCount, "release-workers", &ScriptSession::releaseWorkersAction},
    {"wait", 1, kAnyWordCount, "wait", &ScriptSession::releaseWorkersAction},
    {"station", 3, kAnyWordCount, "station CHIPS [OPTIONS] IMAGE [PRESET...]", &ScriptSession::stationAction, always},
    {"dump", 1, kAnyWordCount, "dump window | dump progress | dump codeload | dump memory|eeprom ADDRESS COUNT",
     &ScriptSession::dumpAction, dumpsTheChip},
    {"echo", 1, kAnyWordCount, "echo TEXT...", &ScriptSession::echoAction},
};

const ScriptAction& actionOf(const ScriptLine& line) {
    for (const ScriptAction& action : kActions)
        if (action.word == line.word(0)) return action;
    throw std::invalid_argument("unknown action '" + line.word(0) + "'");
}

}  // namespace

void ScriptSession::run(const ScriptLine& line) {
    const ScriptAction& action = actionOf(line);
    line.expectWords(action.minWords, action.maxWords, action.usage);
    (this->*action.perform)(line);
}

bool ScriptSession::needsEmulatedBoard(const ScriptLine& line) {
    const ScriptAction& action = actionOf(line);
    return action.needsEmulatedBoard && action.needsEmulatedBoard(line);
}

RunnerOutput ScriptSession::finish() {
    retireWindow();
    RunnerOutput out{earlierPanes_, log_.text(), live_ ? live_->wire() : emulator().trace(), report_};
    if (options_.maskTimestamps) {
        out.log = maskTimestamps(out.log);
        for (std::string* text : {&out.pane, &out.log, &out.wire, &out.report})
            *text = replaceAll(*text, options_.scriptFolder, "<script-dir>");
    }
    return out;
}

}  // namespace tessorin::runner

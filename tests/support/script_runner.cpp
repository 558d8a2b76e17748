#include "tests/support/script_runner.h"

#include <chrono>
#include <memory>
#include <sstream>
#include <thread>

#include "app/control_ids.h"
#include "base/format.h"
#include "emulator/emulator_session.h"
#include "report/message_table.h"
#include "tests/support/log_capture.h"
#include "tests/support/script_line.h"
#include "tests/support/window_harness.h"

namespace tessorin::testing {
namespace {

constexpr uint16_t kDefaultChipId = 0x5B21;
constexpr const char* kProgramPath = "/opt/station/tessorin";
// A station that never gets its chips (no board, a chip that never answers) stops here.
constexpr int kStationPassLimit = 2000;

size_t countOf(const std::string& text, const std::string& piece) {
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++count;
    return count;
}

std::string replaceAll(std::string text, const std::string& piece, const std::string& by) {
    if (piece.empty()) return text;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + by.size()))
        text.replace(at, piece.size(), by);
    return text;
}

std::string hexRows(const std::string& title, uint32_t address, const std::vector<uint8_t>& bytes) {
    std::string out = formatText("%s %x, %d bytes\n", {title, address, static_cast<int>(bytes.size())});
    for (size_t row = 0; row < bytes.size(); row += 16) {
        out += formatText("%05x:", {address + static_cast<uint32_t>(row)});
        for (size_t i = row; i < row + 16 && i < bytes.size(); ++i) out += formatText(" %02x", {bytes[i]});
        out += '\n';
    }
    return out;
}

// A "#" at the start of a word begins a comment; inside a word or quotes it is text.
std::string_view withoutComment(std::string_view text) {
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        bool wordStart = i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t';
        if (!quoted && text[i] == '#' && wordStart) return text.substr(0, i);
    }
    return text;
}

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton: return "button";
        case ControlKind::Static: return "static";
        case ControlKind::Edit: return "edit";
        case ControlKind::ComboBox: return "combo";
        case ControlKind::GroupBox: return "group";
    }
    return "?";
}

std::string controlLine(const MemoryControl& c) {
    std::string line = formatText("%d %s \"%s\" %s (%d,%d)-(%d,%d)",
                                  {c.id, kindName(c.kind), c.text, c.enabled ? "enabled" : "disabled", c.rect.left,
                                   c.rect.top, c.rect.right, c.rect.bottom});
    if (c.kind == ControlKind::ComboBox)
        line += formatText(" items %d selected %d", {static_cast<int>(c.items.size()), c.selection});
    return line + "\n";
}

// The caption, the path displays, the fixed RF rows and every control made at run time.
std::string windowState(WindowHarness& harness) {
    MemoryControls& c = harness.controls;
    std::string out = formatText("caption \"%s\"\nrom path \"%s\"\nini path \"%s\"\n",
                                 {c.windowCaption(), c.controlText(kRomPathLabelId), c.controlText(kIniPathLabelId)});
    for (const RfRow& row : fixedRfRows())
        for (int id : {row.valueControlId, row.buttonId})
            if (auto control = c.find(id)) out += controlLine(*control);
    for (int id : c.createdIds()) out += controlLine(*c.find(id));
    return out;
}

class ScriptSession {
public:
    explicit ScriptSession(const RunnerOptions& options) : options_(options) {}
    void run(const ScriptLine& line);
    RunnerOutput finish();

private:
    WindowHarness& window();
    void retireWindow();
    int board() const;
    std::string resolve(const std::string& path) const;
    uint16_t chipIdOrDefault();

    void boardAction(const ScriptLine& line);
    void chipAction(const ScriptLine& line);
    void faultAction(const ScriptLine& line);
    void dialogAction(const ScriptLine& line);
    void dumpAction(const ScriptLine& line);
    void stationAction(const ScriptLine& line);
    void waitForLogLines(const std::string& line, size_t count);

    RunnerOptions options_;
    // Built before the capture starts: its "cur encoding" line goes to the
    // process's own output, as in the product, where no log is attached yet.
    const bool messagesReady_ = WindowHarness::prepareMessages(options_.codePage);
    const MessageTable& messages_ = buildMessageTable();
    emulator::EmulatorSession session_;
    LogCapture log_;
    std::unique_ptr<WindowHarness> window_;
    bool held_ = false;
    std::string earlierPanes_;
    std::string report_;
    int board_ = -1;
    emulator::BoardEmulator& emulator_ = session_.emulator;
};

WindowHarness& ScriptSession::window() {
    if (!window_) {
        WindowHarnessOptions harnessOptions;
        harnessOptions.arguments = {kProgramPath};
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
    bool relative = !path.empty() && path[0] != '/' && path.find_first_of("\\:") == std::string::npos;
    return relative && !options_.scriptFolder.empty() ? options_.scriptFolder + "/" + path : path;
}

uint16_t ScriptSession::chipIdOrDefault() {
    if (board_ < 0) return kDefaultChipId;
    try {
        return emulator_.withChip(board_, [](emulator::ChipModel& chip) { return chip.id(); });
    } catch (const std::out_of_range&) {
        return kDefaultChipId;
    }
}

void ScriptSession::boardAction(const ScriptLine& line) {
    line.expectWords(2, 3, "board attach [CHIP_ID] | board attach-empty | board remove | board replug");
    const std::string& what = line.word(1);
    if (what == "attach") board_ = emulator_.addBoard(line.size() == 3 ? static_cast<uint16_t>(line.hex(2)) : kDefaultChipId);
    else if (what == "attach-empty") board_ = emulator_.addBoardWithoutChip();
    else if (what == "remove") emulator_.unplug(board());
    else if (what == "replug") emulator_.replug(board());
    else throw std::invalid_argument("unknown board action '" + what + "'");
}

void ScriptSession::chipAction(const ScriptLine& line) {
    line.expectWords(2, 3, "chip attach ID | chip swap ID | chip remove");
    const std::string& what = line.word(1);
    if (what == "attach" || what == "swap") emulator_.attachChip(board(), static_cast<uint16_t>(line.hex(2)));
    else if (what == "remove") emulator_.detachChip(board());
    else throw std::invalid_argument("unknown chip action '" + what + "'");
}

void ScriptSession::faultAction(const ScriptLine& line) {
    line.expectWords(3, 4, "fault drop-replies|delay-replies|write-timeouts|unplug-after N | fault short-reads N BYTES");
    const std::string& what = line.word(1);
    int count = line.decimal(2);
    if (what == "drop-replies") emulator_.dropReplies(count);
    else if (what == "delay-replies") emulator_.delayReplies(count);
    else if (what == "write-timeouts") emulator_.timeOutWrites(count);
    else if (what == "short-reads") emulator_.shortenReads(count, line.decimal(3));
    else if (what == "unplug-after") emulator_.unplugAfterRequests(board(), count);
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
    if (what == "codeload") {
        line.expectWords(2, 2, "dump codeload");
        auto bytes = emulator_.withChip(board(), [](emulator::ChipModel& chip) { return chip.codeLoad(); });
        report_ += hexRows("codeload", 0, bytes);
        return;
    }
    line.expectWords(4, 4, "dump memory|eeprom ADDRESS COUNT");
    uint32_t address = line.hex(2);
    int count = line.decimal(3);
    if (count < 0) throw std::invalid_argument("a count is never negative");
    if (what == "memory") {
        auto bytes = emulator_.withChip(board(), [&](emulator::ChipModel& chip) { return chip.peek(address, count); });
        report_ += hexRows("memory", address, bytes);
    } else if (what == "eeprom") {
        auto bytes = emulator_.withChip(board(), [&](emulator::ChipModel& chip) {
            return chip.eeprom().bytes(static_cast<uint16_t>(address), count);
        });
        report_ += hexRows("eeprom", address, bytes);
    } else {
        throw std::invalid_argument("unknown dump '" + what + "'");
    }
}

// The command-line start on a fresh window. The runner plays the operator:
// after each finished download it takes the chip away and then puts a fresh
// one of the same id on the board, until `chips` downloads have finished.
void ScriptSession::stationAction(const ScriptLine& line) {
    if (line.size() < 3) throw std::invalid_argument("usage: station CHIPS IMAGE [PRESET...]");
    const int chips = line.decimal(1);
    if (chips < 1) throw std::invalid_argument("a station run needs at least one chip");
    retireWindow();
    const uint16_t chipId = chipIdOrDefault();
    // Each chip's code load is counted from the station's start.
    if (board_ >= 0) {
        try {
            emulator_.withChip(board_, [](emulator::ChipModel& chip) { chip.clearCodeLoad(); });
        } catch (const std::out_of_range&) {
            // No chip on the board yet: nothing to clear.
        }
    }
    WindowHarnessOptions harnessOptions;
    harnessOptions.arguments = {kProgramPath, resolve(line.word(2))};
    for (const std::string& preset : line.wordsFrom(3)) harnessOptions.arguments.push_back(preset);
    harnessOptions.codePage = options_.codePage;
    // The loop logs msgDownloadStart right after it started the worker; the worker
    // waits for that line, so the log reads the same on every run.
    auto startsSeen = std::make_shared<int>(0);
    harnessOptions.workerPrelude = [this, startsSeen] {
        std::string startLine = "\t\t" + messages_[msgDownloadStart];
        waitForLogLines(startLine, static_cast<size_t>(++*startsSeen));
    };
    // Shared with the stop seam, which the idle station window keeps after the loop ended.
    struct Progress {
        int finished = 0;
        int passes = 0;
        bool putChipBack = false;
    };
    auto progress = std::make_shared<Progress>();
    harnessOptions.stationStop = [this, progress, chips, chipId] {
        Progress& p = *progress;
        if (++p.passes > kStationPassLimit) {
            report_ += formatText("station stopped after %d passes with %d of %d chips\n",
                                  {kStationPassLimit, p.finished, chips});
            return true;
        }
        std::string finishLine = "\t\t" + messages_[msgDownloadFinish];
        int now = static_cast<int>(countOf(log_.text(), finishLine));
        if (now > p.finished) {
            p.finished = now;
            size_t loaded = emulator_.withChip(board_, [](emulator::ChipModel& chip) { return chip.codeLoad().size(); });
            report_ += formatText("station chip %d: code load %u bytes\n", {p.finished, loaded});
            if (p.finished >= chips) return true;
            emulator_.detachChip(board_);
            p.putChipBack = true;
        } else if (p.putChipBack) {
            emulator_.attachChip(board_, chipId);
            p.putChipBack = false;
        }
        return false;
    };
    window_ = std::make_unique<WindowHarness>(harnessOptions);
    window_->start();
}

// Real time, bounded: the line comes from another thread within moments.
void ScriptSession::waitForLogLines(const std::string& line, size_t count) {
    for (int waited = 0; waited < 5000 && countOf(log_.text(), line) < count; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void ScriptSession::run(const ScriptLine& line) {
    const std::string& action = line.word(0);
    if (action == "start") {
        line.expectWords(1, 1, "start");
        window();
    } else if (action == "board") {
        boardAction(line);
    } else if (action == "chip") {
        chipAction(line);
    } else if (action == "handshake") {
        line.expectWords(2, 2, "handshake CODE");
        emulator_.setHandshakeReply(board(), static_cast<uint8_t>(line.hex(1)));
    } else if (action == "fault") {
        faultAction(line);
    } else if (action == "drop") {
        line.expectWords(2, 64, "drop PATH...");
        std::vector<std::string> paths;
        for (const std::string& path : line.wordsFrom(1)) paths.push_back(resolve(path));
        window().window.OnDropFiles(paths);
    } else if (action == "dialog") {
        dialogAction(line);
    } else if (action == "select") {
        line.expectWords(3, 3, "select COMBO_ID INDEX");
        window().controls.comboSetCurSel(line.decimal(1), line.decimal(2));
    } else if (action == "type") {
        line.expectWords(3, 3, "type EDIT_ID TEXT");
        window().controls.setControlText(line.decimal(1), line.word(2));
    } else if (action == "press") {
        line.expectWords(2, 2, "press COMMAND_ID");
        if (!window().window.onCommand(line.decimal(1)))
            report_ += formatText("press %d: no handler\n", {line.decimal(1)});
    } else if (action == "download") {
        line.expectWords(1, 1, "download");
        window().window.onCommand(kDownloadButtonId);
        window().workers.waitAll();
    } else if (action == "hold-workers") {
        held_ = true;
        if (window_) window_->workers.hold();
    } else if (action == "release-workers" || action == "wait") {
        held_ = false;
        if (window_) window_->workers.waitAll();
    } else if (action == "station") {
        stationAction(line);
    } else if (action == "dump") {
        dumpAction(line);
    } else if (action == "echo") {
        std::string text;
        for (const std::string& word : line.wordsFrom(1)) text += (text.empty() ? "" : " ") + word;
        report_ += text + "\n";
    } else {
        throw std::invalid_argument("unknown action '" + action + "'");
    }
}

RunnerOutput ScriptSession::finish() {
    retireWindow();
    RunnerOutput out{earlierPanes_, log_.text(), emulator_.trace(), report_};
    if (options_.maskTimestamps) {
        out.log = maskTimestamps(out.log);
        for (std::string* text : {&out.pane, &out.log, &out.wire, &out.report})
            *text = replaceAll(*text, options_.scriptFolder, "<script-dir>");
    }
    return out;
}

}  // namespace

ScriptError::ScriptError(int line, const std::string& problem)
    : std::runtime_error(formatText("line %d: %s", {line, problem})), line_(line) {}

std::string channelSection(const std::string& name, const std::string& text) {
    return "=== " + name + " ===\n" + text;
}

std::string allChannels(const RunnerOutput& output) {
    return channelSection("report", output.report) + channelSection("pane", output.pane) +
           channelSection("log", output.log) + channelSection("wire", output.wire);
}

RunnerOutput runScript(const std::string& script, const RunnerOptions& options) {
    ScriptSession session(options);
    std::istringstream lines(script);
    std::string text;
    int number = 0;
    while (std::getline(lines, text)) {
        ++number;
        std::string_view code = withoutComment(text);
        try {
            ScriptLine line(code);
            if (!line.empty()) session.run(line);
        } catch (const std::invalid_argument& problem) {
            throw ScriptError(number, problem.what());
        } catch (const std::out_of_range& problem) {
            throw ScriptError(number, problem.what());
        }
    }
    return session.finish();
}

}  // namespace tessorin::testing

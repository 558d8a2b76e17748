#pragma once
// One run of a script: the board (emulated, or a real one in a live run), the
// log capture and the window the script's actions drive, one action a line
// (docs/runner.md).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "station/station_run.h"
#include "emulator/emulator_session.h"
#include "report/message_table.h"
#include "runner/live_board.h"
#include "runner/log_capture.h"
#include "runner/script_line.h"
#include "runner/script_runner.h"
#include "runner/window_harness.h"

namespace tessorin::runner {

class ScriptSession {
public:
    explicit ScriptSession(const RunnerOptions& options) : options_(options) {}
    // Carries out one line; std::invalid_argument or std::out_of_range say why it cannot.
    void run(const ScriptLine& line);
    RunnerOutput finish();

    // The actions, one per first word of a line.
    void startAction(const ScriptLine& line);
    void boardAction(const ScriptLine& line);
    void chipAction(const ScriptLine& line);
    void handshakeAction(const ScriptLine& line);
    void faultAction(const ScriptLine& line);
    void dropAction(const ScriptLine& line);
    void dialogAction(const ScriptLine& line);
    void selectAction(const ScriptLine& line);
    void typeAction(const ScriptLine& line);
    void pressAction(const ScriptLine& line);
    void downloadAction(const ScriptLine& line);
    void holdWorkersAction(const ScriptLine& line);
    void releaseWorkersAction(const ScriptLine& line);
    void stationAction(const ScriptLine& line);
    void dumpAction(const ScriptLine& line);
    void echoAction(const ScriptLine& line);

    // True for an action that only the emulated board can carry out (it
    // changes or inspects the emulated board and chip), so a live run refuses it.
    static bool needsEmulatedBoard(const ScriptLine& line);

private:
    enum class RowPart { Button, Value };
    // A control given by its id, or by the name of its row in app/control_rows.h.
    static int controlId(const std::string& word, RowPart part);
    WindowHarness& window();
    void retireWindow();
    int board() const;
    std::string resolve(const std::string& path) const;
    uint16_t chipIdOrDefault();
    download::StationJob stationJob(const ScriptLine& line);
    emulator::BoardEmulator& emulator() { return emulated_->emulator; }
    // Waits until line stands count times in the log from offset from on.
    void waitForLogLines(const std::string& line, size_t count, size_t from);

    RunnerOptions options_;
    // Built before the capture starts: its "cur encoding" line goes to the
    // process's own output, as in the product, where no log is attached yet.
    const bool messagesReady_ = WindowHarness::prepareMessages(options_.codePage);
    const MessageTable& messages_ = buildMessageTable();
    // Exactly one of the two.
    std::unique_ptr<emulator::EmulatorSession> emulated_ =
        options_.liveBoard ? nullptr : std::make_unique<emulator::EmulatorSession>();
    std::unique_ptr<LiveBoard> live_ = options_.liveBoard ? std::make_unique<LiveBoard>(options_.boardId) : nullptr;
    LogCapture log_;
    // The station started with options; it outlives the window that points to it.
    std::unique_ptr<StationRun> stationRun_;
    std::unique_ptr<WindowHarness> window_;
    bool held_ = false;
    std::string earlierPanes_;
    std::string report_;
    int board_ = -1;
    // The chip a station took off its board and has not put back yet.
    struct TakenChip {
        int board;
        uint16_t id;
    };
    std::optional<TakenChip> chipTakenAway_;
};

}  // namespace tessorin::runner

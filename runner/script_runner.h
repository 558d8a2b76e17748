#pragma once
// The headless runner's engine: the window logic on in-memory controls and the
// board emulator, driven by a script of one action a line (docs/runner.md).
#include <stdexcept>
#include <string>

namespace tessorin::runner {

struct RunnerOptions {
    int codePage = 1252;          // 936 gives the Chinese messages
    bool maskTimestamps = false;  // "[T]" for every log time, "<script-dir>" for the script's folder
    std::string scriptFolder;     // relative paths in the script start here
    // A live run: the board the process's transport finds instead of the
    // emulated one, and the wire channel recorded on the way to it. Actions
    // that need the emulated board are refused before anything runs.
    bool liveBoard = false;
    // The live run's board by its id, serial number or USB path; empty: the first board found.
    std::string boardId;
};

struct RunnerOutput {
    std::string pane;    // the log pane, CR LF line ends as the window has them
    std::string log;     // the log stream
    std::string wire;    // the reports exchanged with the board, as the wire trace shows them
    std::string report;  // dumps, echo lines and station notes
};

// A script line the runner cannot carry out; nothing after it has run (in a
// live run, nothing at all when the line needs the emulated board).
class ScriptError : public std::runtime_error {
public:
    ScriptError(int line, const std::string& problem);
    int line() const { return line_; }

private:
    int line_;
};

RunnerOutput runScript(const std::string& script, const RunnerOptions& options);

// A channel as printed on standard output: "=== name ===" and its text.
std::string channelSection(const std::string& name, const std::string& text);
// Every channel in printing order: report, pane, log, wire.
std::string allChannels(const RunnerOutput& output);

}  // namespace tessorin::runner

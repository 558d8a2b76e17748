#pragma once
// The two log channels: the timestamped log stream (the process's standard
// output, attached to a file or a console) and the window's log pane.
#include <cstdio>
#include <string>
#include <string_view>

namespace tessorin {

// Where the log stream's text goes. Writes are whole: one call, one piece of text.
class LogOutput {
public:
    virtual ~LogOutput() = default;
    virtual void write(std::string_view text) = 0;
    // An output that drops every text (a fuzz run's): lines for it are not composed.
    virtual bool discards() const { return false; }
};

// Installs the process's log output (nullptr: standard output). The caller keeps it alive.
void setLogOutput(LogOutput* output);
// Makes an open file the process's log output, unbuffered, for the rest of the
// process (or until the next call); the file is closed when it is replaced.
void attachLogFile(std::FILE* file);

// False while the installed output drops every text: a caller may skip
// composing a line nobody reads.
bool logWanted();

// "[%Y-%m-%d %H:%M:%S]\t\t" + message + "\n", in one write. The message is
// finished text: it is never read as a format.
void writeLog(std::string_view message);
// A line of its own without timestamp (the program's short diagnostic lines).
void writeTrace(std::string_view text);
// The timestamp prefix for the current local time.
std::string logTimePrefix();

struct LogDestination {
    std::string path;          // the log file; empty in console mode
    bool attached = false;     // whether the stream reached its file or console
    bool inUserStateFolder = false;  // the folder beside the program could not be written (Linux)
};

// What the operator is told, once, when the log is not beside the program.
std::string logLocationNotice(const std::string& path);

// Where the log stream goes.
enum class LogTarget {
    File,           // programPath + "log", the file "download.log" in it, emptied at every start;
                    // on Linux, when that cannot be written, the user's state folder (tessorin/download.log)
    Console,        // the station's console
    PipeOrConsole,  // a standard output handed over as a pipe (a station under --all-boards), else the console
};

// The console starts the log with "console", the file with "file log". Failures
// are silent; the program runs on.
void openLogDestination(LogDestination& destination, const std::string& programPath, LogTarget target);

// The window's log pane, reached from any thread.
class LogPane {
public:
    virtual ~LogPane() = default;
    virtual void appendLogPane(std::string_view text) = 0;
};

// The text as it enters the pane: CR LF is added unless the text is empty or already ends with it.
std::string withPaneLineEnd(std::string_view text);

}  // namespace tessorin

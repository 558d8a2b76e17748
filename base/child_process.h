#pragma once
// Another program run beside this one, its standard output and standard error
// coming back on one pipe that this process reads line by line. Several may
// run side by side, each read on its own thread.
#include <memory>
#include <string>
#include <vector>

namespace tessorin {

class ChildProcess {
public:
    // Starts program (a path; no search) with the arguments after its own name.
    // When it cannot start, problem() says why and there is nothing to read.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~ChildProcess();  // ends the program when nobody waited for it
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return problem_.empty(); }
    // Its process id; 0 when it did not start.
    unsigned long processId() const;
    const std::string& problem() const { return problem_; }
    // The next line of its output without the line end ("\n" or "\r\n"); false
    // once the output has ended. A last line without a line end still counts.
    bool readLine(std::string& line);
    // Waits for the program to end: its exit status (on Linux a signal gives 128 + its number).
    int wait();

    // Linux: passes the signal on to every program started here and not yet
    // waited for; safe in a signal handler. Each program runs in a process
    // group of its own, so the terminal's Ctrl-C reaches only this process,
    // which passes it on once, and starts with no signal blocked or ignored.
    static void signalEveryChild(int signalNumber);
    // Windows: the same end reaches each program as one release of the
    // semaphore of this name (its process id), made before the program runs:
    // a program started with pipes has no console for a control event.
    // signalNumber is not used there.
    static std::string endRequestName(unsigned long processId);

private:
    // What each platform file provides: start, read a piece of output (0 at its end), wait.
    struct Platform;
    std::string start(const std::string& program, const std::vector<std::string>& arguments);
    size_t readSome(char* buffer, size_t size);
    int waitForExit();

    std::unique_ptr<Platform> platform_;
    std::string problem_;
    std::string pending_;  // output read but not yet handed over as a line
    bool ended_ = false;
    bool waited_ = false;
    int status_ = -1;
};

}  // namespace tessorin

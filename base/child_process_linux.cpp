#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "base/child_process.h"

extern char** environ;

namespace tessorin {

namespace {

// The programs started and not yet waited for, where a signal handler can read them.
constexpr size_t kMaxChildren = 256;
std::atomic<pid_t> children[kMaxChildren];

void remember(pid_t pid) {
    for (std::atomic<pid_t>& slot : children) {
        pid_t empty = 0;
        if (slot.compare_exchange_strong(empty, pid)) return;
    }
}

void forget(pid_t pid) {
    for (std::atomic<pid_t>& slot : children) {
        pid_t expected = pid;
        if (slot.compare_exchange_strong(expected, 0)) return;
    }
}

}  // namespace

void ChildProcess::signalEveryChild(int signalNumber) {
    for (std::atomic<pid_t>& slot : children)
        if (const pid_t pid = slot.load(); pid > 0) kill(pid, signalNumber);
}

struct ChildProcess::Platform {
    pid_t pid = -1;
    int output = -1;  // our end of the pipe
};

unsigned long ChildProcess::processId() const {
    return platform_->pid > 0 ? static_cast<unsigned long>(platform_->pid) : 0;
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments)
    : platform_(std::make_unique<Platform>()) {
    problem_ = start(program, arguments);
}

// A program nobody waited for is ended, not left running without its reader.
ChildProcess::~ChildProcess() {
    if (platform_->output >= 0) close(platform_->output);
    if (!waited_ && started()) kill(platform_->pid, SIGTERM);
    wait();
}

std::string ChildProcess::start(const std::string& program, const std::vector<std::string>& arguments) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return std::string("no pipe: ") + std::strerror(errno);
    std::vector<std::string> words = {program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Nothing blocked or ignored here (signals taken by a thread of ours) reaches the program.
    sigset_t none, ours;
    sigemptyset(&none);
    sigemptyset(&ours);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) sigaddset(&ours, signalNumber);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &ours);
    const int failed = posix_spawn(&platform_->pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (failed != 0) {
        close(pipeEnds[0]);
        platform_->pid = -1;
        return "cannot start " + program + ": " + std::strerror(failed);
    }
    platform_->output = pipeEnds[0];
    remember(platform_->pid);
    return {};
}

size_t ChildProcess::readSome(char* buffer, size_t size) {
    for (;;) {
        const ssize_t count = read(platform_->output, buffer, size);
        if (count >= 0) return static_cast<size_t>(count);
        if (errno != EINTR) return 0;
    }
}

int ChildProcess::waitForExit() {
    int status = 0;
    while (waitpid(platform_->pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    forget(platform_->pid);
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace tessorin

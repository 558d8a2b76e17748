#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/child_process.h"

extern char** environ;

namespace tessorin {

struct ChildProcess::Platform {
    pid_t pid = -1;
    int output = -1;  // our end of the pipe
};

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
    const int failed = posix_spawn(&platform_->pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (failed != 0) {
        close(pipeEnds[0]);
        platform_->pid = -1;
        return "cannot start " + program + ": " + std::strerror(failed);
    }
    platform_->output = pipeEnds[0];
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
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace tessorin

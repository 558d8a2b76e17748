#pragma once
// A station process whose output the test watches as it comes, and may kill.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

extern char** environ;

namespace tessorin::testing {

// Runs the words (a program path first) to their end, in the environment given
// (NAME=VALUE each); watch sees the whole output so far after each piece and
// may kill the process by its pid. The wait status.
inline int runWatchedIn(const std::vector<std::string>& words, const std::vector<std::string>& environment,
                        std::string& output, const std::function<void(pid_t, const std::string&)>& watch) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char*> argv;
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return -1;
    }
    watch(pid, output);
    char buffer[4096];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<size_t>(got));
        watch(pid, output);
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

inline std::vector<std::string> thisEnvironment() {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) entries.emplace_back(*entry);
    return entries;
}

// The same in this process's environment.
inline int runWatched(const std::vector<std::string>& words, std::string& output,
                      const std::function<void(pid_t, const std::string&)>& watch) {
    return runWatchedIn(words, thisEnvironment(), output, watch);
}

}  // namespace tessorin::testing

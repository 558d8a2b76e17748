#include "store/process_identity.h"

#include <errno.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace tessorin::store {
namespace {

std::string firstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// Field 22 of /proc/PID/stat, after the command name in parentheses (which may hold
// spaces); -1 when the process is gone or only a zombie waiting for its parent.
int64_t startTicks(int64_t pid) {
    const std::string stat = firstLine("/proc/" + std::to_string(pid) + "/stat");
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    for (int index = 3; index <= 22 && fields >> field; ++index) {
        if (index == 3 && (field == "Z" || field == "X")) return -1;
        if (index == 22) return std::stoll(field);
    }
    return -1;
}

}  // namespace

ProcessIdentity thisProcess() {
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    const int64_t pid = getpid();
    return {host, firstLine("/proc/sys/kernel/random/boot_id"), pid, startTicks(pid)};
}

bool stillRunning(int64_t pid, int64_t processStart) {
    if (kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return false;
    return startTicks(pid) == processStart;
}

}  // namespace tessorin::store

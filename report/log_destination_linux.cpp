#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

#include "base/paths.h"
#include "report/log.h"

namespace tessorin {
namespace {

// $XDG_STATE_HOME/tessorin (a relative value does not count), else ~/.local/state/tessorin.
std::string userStateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/tessorin";
    const char* home = std::getenv("HOME");
    return home && home[0] ? std::string(home) + "/.local/state/tessorin" : std::string();
}

// path is left as it was when the file cannot be opened there either.
std::FILE* openInUserStateFolder(std::string& path) {
    const std::string folder = userStateFolder();
    if (folder.empty()) return nullptr;
    std::error_code ignored;
    std::filesystem::create_directories(pathFromUtf8(folder), ignored);
    std::FILE* file = openFile(folder + "/download.log", "w");
    if (file) path = folder + "/download.log";
    return file;
}

}  // namespace

void openLogDestination(LogDestination& destination, const std::string& programPath, LogTarget target) {
    destination.inUserStateFolder = false;
    if (target != LogTarget::File) {
        // Standard output is the console: the terminal, or the pipe of --all-boards.
        setLogOutput(nullptr);
        destination.path.clear();
        destination.attached = true;
        writeTrace("console\n");
        return;
    }
    std::string folder = programPath + "log";
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) mkdir(folder.c_str(), 0777);
    destination.path = folder + "/download.log";
    std::FILE* file = openFile(destination.path, "w");
    // An installed program's folder belongs to another user: the log goes to this user's own.
    if (!file && (file = openInUserStateFolder(destination.path))) {
        destination.inUserStateFolder = true;
        std::fprintf(stderr, "tessorin: %s\n", logLocationNotice(destination.path).c_str());
    }
    destination.attached = file != nullptr;
    if (!file) return;
    attachLogFile(file);
    writeTrace("file log\n");
}

}  // namespace tessorin

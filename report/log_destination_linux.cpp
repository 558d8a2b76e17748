#include <cstdio>
#include <sys/stat.h>

#include "base/paths.h"
#include "report/log.h"

namespace tessorin {

void openLogDestination(LogDestination& destination, const std::string& programPath, LogTarget target) {
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
    destination.attached = file != nullptr;
    if (!file) return;
    attachLogFile(file);
    writeTrace("file log\n");
}

}  // namespace tessorin

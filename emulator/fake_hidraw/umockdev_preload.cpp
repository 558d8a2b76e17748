#include "emulator/fake_hidraw/umockdev_preload.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace tessorin::emulator {
namespace {

constexpr const char* kPreload = "libumockdev-preload.so.0";

// The path of the ASan or TSan runtime when it is a shared library (gcc's way),
// else empty: it must come before any other preloaded library.
std::string sharedSanitizerRuntime() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        const size_t path = line.find('/');
        if (path == std::string::npos) continue;
        if (line.find("/libasan.so", path) != std::string::npos || line.find("/libtsan.so", path) != std::string::npos)
            return line.substr(path);
    }
    return {};
}

}  // namespace

void runUnderUmockdevPreload(char** argv) {
    const char* current = std::getenv("LD_PRELOAD");
    const std::string preload = current ? current : "";
    if (preload.find(kPreload) != std::string::npos) return;
    std::string list = sharedSanitizerRuntime();
    if (!list.empty()) list += ' ';
    list += kPreload;
    if (!preload.empty()) list += ' ' + preload;
    setenv("LD_PRELOAD", list.c_str(), 1);
    execv("/proc/self/exe", argv);
    std::fprintf(stderr, "cannot start again under %s: %s\n", kPreload, std::strerror(errno));
    std::exit(EXIT_FAILURE);
}

}  // namespace tessorin::emulator

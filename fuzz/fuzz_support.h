#pragma once
// What the fuzz targets share: a log stream that goes nowhere (every input logs,
// and printing it would cost more than the work under test) and a scratch file
// for the targets whose code under test reads from disk.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include <unistd.h>

#include "report/log.h"

namespace tessorin::fuzzing {

class DiscardedLog final : public LogOutput {
public:
    void write(std::string_view) override {}
};

inline void discardLog() {
    static DiscardedLog log;
    setLogOutput(&log);
}

// One file per process and name, rewritten for every input and removed at exit.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name)
        : path_((std::filesystem::temp_directory_path() /
                 ("tessorin_fuzz_" + std::to_string(::getpid()) + "_" + name)).string()) {}
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // False when the file could not be written; the target then skips the input.
    bool write(const uint8_t* data, size_t size) const {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (!file) return false;
        const bool whole = std::fwrite(data, 1, size, file) == size;
        return std::fclose(file) == 0 && whole;
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace tessorin::fuzzing

#pragma once
// The station's results file: opened for appending and never truncated; each
// line goes out in one write at the end of the file and is flushed to the disk
// before the next chip starts, so several station processes can share one file
// and a line is never left half written by another's.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tessorin {

class ResultsFile {
public:
    // Created when missing. Nothing when it cannot be opened or is not a regular
    // file (a FIFO, a device), with the reason in problem.
    static std::unique_ptr<ResultsFile> open(const std::string& path, std::string& problem);
    ~ResultsFile();
    ResultsFile(const ResultsFile&) = delete;
    ResultsFile& operator=(const ResultsFile&) = delete;

    const std::string& path() const { return path_; }
    // False, with the reason in problem, when the line did not reach the disk
    // whole; then what part of it went out is cut back off: a line is whole or absent.
    bool append(std::string_view line, std::string& problem);

private:
    ResultsFile(std::string path, std::intptr_t handle) : path_(std::move(path)), handle_(handle) {}

    std::string path_;
    std::intptr_t handle_;  // a file descriptor, or a Windows file handle
};

}  // namespace tessorin

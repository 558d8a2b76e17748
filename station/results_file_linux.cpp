#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "station/results_file.h"

namespace tessorin {
namespace {

// Why a path that exists is no file to append lines to; empty for a regular file.
std::string notRegularReason(const struct stat& status) {
    if (S_ISREG(status.st_mode)) return {};
    if (S_ISFIFO(status.st_mode)) return "not a regular file (a FIFO)";
    if (S_ISDIR(status.st_mode)) return std::strerror(EISDIR);
    return "not a regular file";
}

}  // namespace

std::unique_ptr<ResultsFile> ResultsFile::open(const std::string& path, std::string& problem) {
    // A FIFO would block the open until a reader came, and a device (/dev/full,
    // a terminal) cannot be cut back: only a regular file, or a new one.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !(problem = notRegularReason(status)).empty()) return nullptr;
    // O_APPEND: the kernel puts every write at the end of the file as it is then.
    // O_NONBLOCK: a FIFO put there since the look above still cannot block the open.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) {
        problem = std::strerror(errno);
        return nullptr;
    }
    if (::fstat(fd, &status) != 0 || !(problem = notRegularReason(status)).empty() ||
        ::fcntl(fd, F_SETFL, O_APPEND) != 0) {
        if (problem.empty()) problem = std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<ResultsFile>(new ResultsFile(path, fd));
}

ResultsFile::~ResultsFile() { ::close(static_cast<int>(handle_)); }

bool ResultsFile::append(std::string_view line, std::string& problem) {
    const int fd = static_cast<int>(handle_);
    // Writers take turns, so the end of the file is where this line begins, and
    // a line that did not go out whole can be cut back off under the same lock
    // (also where an append is not one step: NFS). The lock goes with the
    // descriptor, so it never outlives us.
    ::flock(fd, LOCK_EX);
    struct stat status {};
    const bool sized = ::fstat(fd, &status) == 0;
    const ssize_t written = ::write(fd, line.data(), line.size());
    const bool partial = written >= 0 && static_cast<size_t>(written) != line.size();
    problem = partial ? "only part of the line was written (disk full?)" : std::strerror(errno);
    bool whole = written >= 0 && !partial;
    // A line the disk did not take is not there, even when the write said it was.
    if (whole && ::fdatasync(fd) != 0) {
        problem = std::strerror(errno);
        whole = false;
    }
    if (!whole && written > 0 && !(sized && ::ftruncate(fd, status.st_size) == 0 && ::fdatasync(fd) == 0))
        problem += "; the part written could not be taken back out";
    ::flock(fd, LOCK_UN);
    if (whole) problem.clear();
    return whole;
}

}  // namespace tessorin

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "station/results_file.h"

namespace tessorin {

std::unique_ptr<ResultsFile> ResultsFile::open(const std::string& path, std::string& problem) {
    // O_APPEND: the kernel puts every write at the end of the file as it is then.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        problem = std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<ResultsFile>(new ResultsFile(path, fd));
}

ResultsFile::~ResultsFile() { ::close(static_cast<int>(handle_)); }

bool ResultsFile::append(std::string_view line, std::string& problem) {
    const int fd = static_cast<int>(handle_);
    // Writers take turns as well, for file systems where an append is not one
    // step (NFS); the lock goes with the descriptor, so it never outlives us.
    ::flock(fd, LOCK_EX);
    const ssize_t written = ::write(fd, line.data(), line.size());
    const int error = errno;
    ::flock(fd, LOCK_UN);
    if (written < 0) {
        problem = std::strerror(error);
        return false;
    }
    if (static_cast<size_t>(written) != line.size()) {
        problem = "only part of the line was written (disk full?)";
        return false;
    }
    if (::fdatasync(fd) != 0) {
        problem = std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace tessorin

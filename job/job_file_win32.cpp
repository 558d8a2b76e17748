#include "job/job.h"

namespace tessorin::job {

// The Windows build has no TOML reader (toml++ is not among Debian's mingw-w64 packages).
std::optional<Job> parseJob(std::string_view, const std::string& path, std::string& problem) {
    problem = path + ": this Windows build reads no job files; run the job on the Linux station";
    return std::nullopt;
}

}  // namespace tessorin::job

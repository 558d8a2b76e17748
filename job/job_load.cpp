#include <filesystem>
#include <set>

#include "base/paths.h"
#include "job/job.h"

namespace tessorin::job {
namespace {

bool isPostgresLocation(const std::string& store) {
    return store.starts_with("postgresql://") || store.starts_with("postgres://");
}

// A path of the job file is taken from the job file's folder.
std::string besideJob(const std::string& jobPath, const std::string& path) {
    const std::filesystem::path given = pathFromUtf8(path);
    if (path.empty() || given.is_absolute()) return path;
    return pathToUtf8(pathFromUtf8(jobPath).parent_path() / given);
}

// One value a line, decimal or 0x hexadecimal; blank lines and # comments skipped.
bool readList(IdentityField& field, const std::string& job, std::string& problem) {
    const std::optional<std::string> text = readWholeFile(field.listPath);
    const std::string where = job + ":" + std::to_string(field.line) + ": ";
    if (!text) {
        problem = where + "cannot read the list " + field.listPath;
        return false;
    }
    const int64_t widest = field.width == 8 ? INT64_MAX : (int64_t{1} << (8 * field.width)) - 1;
    std::set<int64_t> seen;
    size_t lineNumber = 0;
    for (size_t at = 0; at < text->size();) {
        const size_t end = std::min(text->find('\n', at), text->size());
        std::string line = text->substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        line.erase(0, line.find_first_not_of(" \t\r"));
        line.erase(line.find_last_not_of(" \t\r") + 1);
        if (line.empty()) continue;
        const std::string here = field.listPath + ":" + std::to_string(lineNumber) + ": ";
        try {
            size_t used = 0;
            const bool hex = line.starts_with("0x") || line.starts_with("0X");
            const long long value = std::stoll(hex ? line.substr(2) : line, &used, hex ? 16 : 10);
            if (used != line.size() - (hex ? 2 : 0) || value < 0 || value > widest) throw std::out_of_range(line);
            if (!seen.insert(value).second) {
                problem = here + line + " appears twice";
                return false;
            }
            field.listValues.push_back(value);
        } catch (const std::logic_error&) {
            problem = here + "\"" + line + "\" is not a number of " + std::to_string(field.width) + " bytes";
            return false;
        }
    }
    if (field.listValues.empty()) problem = where + "the list " + field.listPath + " holds no value";
    return !field.listValues.empty();
}

}  // namespace

std::optional<Job> loadJob(const std::string& path, std::string& problem) {
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        problem = path + ": cannot read the job file";
        return std::nullopt;
    }
    std::optional<Job> job = parseJob(*bytes, path, problem);
    if (!job) return std::nullopt;
    job->image = besideJob(path, job->image);
    const std::optional<std::string> image = readWholeFile(job->image);
    if (!image || image->empty()) {
        problem = path + ":1: cannot read the image " + job->image;
        return std::nullopt;
    }
    if (!isPostgresLocation(job->store)) job->store = besideJob(path, job->store);
    for (IdentityField& field : job->fields) {
        if (field.source != Source::List) continue;
        field.listPath = besideJob(path, field.listPath);
        if (!readList(field, path, problem)) return std::nullopt;
    }
    return job;
}

}  // namespace tessorin::job

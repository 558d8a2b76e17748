#include <windows.h>

#include "base/format.h"
#include "base/text.h"
#include "station/results_file.h"

namespace tessorin {
namespace {

HANDLE toHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::string windowsError(DWORD code) { return formatText("Windows error %u", {static_cast<unsigned>(code)}); }

// Writers take turns on a byte far past any line: where an append is not one
// step (Wine, some network shares) lines still never mix, and readers of the
// lines themselves are never locked out.
class TurnOnFile {
public:
    explicit TurnOnFile(HANDLE file) : file_(file) {
        region_.OffsetHigh = 0x7FFFFFFF;
        taken_ = LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &region_) != FALSE;
    }
    ~TurnOnFile() {
        if (taken_) UnlockFileEx(file_, 0, 1, 0, &region_);
    }
    TurnOnFile(const TurnOnFile&) = delete;
    TurnOnFile& operator=(const TurnOnFile&) = delete;

private:
    HANDLE file_;
    OVERLAPPED region_{};
    bool taken_ = false;
};

}  // namespace

std::unique_ptr<ResultsFile> ResultsFile::open(const std::string& path, std::string& problem) {
    // Append access alone: Windows puts every write at the end of the file as it is then.
    const std::u16string wide = utf8ToUtf16(path);
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), FILE_APPEND_DATA | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        problem = windowsError(GetLastError());
        return nullptr;
    }
    return std::unique_ptr<ResultsFile>(new ResultsFile(path, reinterpret_cast<std::intptr_t>(file)));
}

ResultsFile::~ResultsFile() { CloseHandle(toHandle(handle_)); }

bool ResultsFile::append(std::string_view line, std::string& problem) {
    TurnOnFile turn(toHandle(handle_));
    DWORD written = 0;
    if (!WriteFile(toHandle(handle_), line.data(), static_cast<DWORD>(line.size()), &written, nullptr)) {
        problem = windowsError(GetLastError());
        return false;
    }
    if (written != line.size()) {
        problem = "only part of the line was written (disk full?)";
        return false;
    }
    if (!FlushFileBuffers(toHandle(handle_))) {
        problem = windowsError(GetLastError());
        return false;
    }
    return true;
}

}  // namespace tessorin

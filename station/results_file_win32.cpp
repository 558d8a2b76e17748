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
    const std::u16string wide = utf8ToUtf16(path);
    // Write access as well, so a line that did not go out whole can be cut back off.
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), GENERIC_WRITE | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        problem = windowsError(GetLastError());
        return nullptr;
    }
    // A pipe or a device cannot be cut back: only a file on a disk.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        problem = "not a regular file";
        return nullptr;
    }
    return std::unique_ptr<ResultsFile>(new ResultsFile(path, reinterpret_cast<std::intptr_t>(file)));
}

ResultsFile::~ResultsFile() { CloseHandle(toHandle(handle_)); }

bool ResultsFile::append(std::string_view line, std::string& problem) {
    HANDLE file = toHandle(handle_);
    // Writers take turns, so the end of the file is where this line begins.
    TurnOnFile turn(file);
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file, LARGE_INTEGER{}, &start, FILE_END)) {
        problem = windowsError(GetLastError());
        return false;
    }
    DWORD written = 0;
    bool whole = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) != FALSE;
    problem = windowsError(GetLastError());
    if (whole && written != line.size()) {
        problem = "only part of the line was written (disk full?)";
        whole = false;
    }
    if (whole && !FlushFileBuffers(file)) {
        problem = windowsError(GetLastError());
        whole = false;
    }
    if (whole) {
        problem.clear();
        return true;
    }
    if (written > 0 && !(SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && SetEndOfFile(file)))
        problem += "; the part written could not be taken back out";
    return false;
}

}  // namespace tessorin

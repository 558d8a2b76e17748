#include <cstdio>
#include <memory>
#include <windows.h>
#include <shlwapi.h>

#include "app/log.h"
#include "base/text.h"

namespace tessorin {
namespace {

// The log stream's file or console, open for the life of the process. Opened
// with _wfopen rather than by reopening stdout: a GUI process has no valid
// standard output to reopen, and the log seam carries every log and trace line.
class StreamOutput final : public LogOutput {
public:
    explicit StreamOutput(std::FILE* file) : file_(file) { std::setvbuf(file_, nullptr, _IONBF, 0); }
    ~StreamOutput() override { std::fclose(file_); }
    StreamOutput(const StreamOutput&) = delete;
    StreamOutput& operator=(const StreamOutput&) = delete;
    void write(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), file_);
        std::fflush(file_);
    }

private:
    std::FILE* file_;
};

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

bool attach(const std::u16string& target, const wchar_t* mode) {
    std::FILE* file = _wfopen(wide(target), mode);
    if (!file) return false;
    static std::unique_ptr<StreamOutput> current;
    auto next = std::make_unique<StreamOutput>(file);
    setLogOutput(next.get());
    current = std::move(next);
    return true;
}

}  // namespace

void openLogDestination(LogDestination& destination, const std::string& programPath, bool consoleMode) {
    if (consoleMode) {
        AllocConsole();
        SetConsoleOutputCP(CP_UTF8);
        destination.path.clear();
        destination.attached = attach(u"CONOUT$", L"wt");
        if (destination.attached) writeTrace("console\n");
        return;
    }
    std::u16string folder = utf8ToUtf16(programPath + "log");
    if (!PathIsDirectoryW(wide(folder))) CreateDirectoryW(wide(folder), nullptr);
    destination.path = programPath + "log\\download.log";
    destination.attached = attach(utf8ToUtf16(destination.path), L"w");
    if (destination.attached) writeTrace("file log\n");
}

}  // namespace tessorin

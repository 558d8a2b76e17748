#include <cstdio>
#include <memory>
#include <sys/stat.h>

#include "app/log.h"
#include "base/paths.h"

namespace tessorin {
namespace {

// The file stays open for the life of the process, as the reopened standard output would.
class FileOutput final : public LogOutput {
public:
    explicit FileOutput(std::FILE* file) : file_(file) { std::setvbuf(file_, nullptr, _IONBF, 0); }
    ~FileOutput() override { std::fclose(file_); }
    FileOutput(const FileOutput&) = delete;
    FileOutput& operator=(const FileOutput&) = delete;
    void write(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), file_);
        std::fflush(file_);
    }

private:
    std::FILE* file_;
};

}  // namespace

void openLogDestination(LogDestination& destination, const std::string& programPath, bool consoleMode) {
    if (consoleMode) {
        // The terminal the station was started from is its console.
        setLogOutput(nullptr);
        destination.path.clear();
        destination.attached = true;
        writeTrace("console\n");
        return;
    }
    std::string folder = programPath + "log";
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) mkdir(folder.c_str(), 0777);
    destination.path = folder + "/download.log";
    std::FILE* file = openFile(destination.path, "w");
    destination.attached = file != nullptr;
    if (!file) return;
    static std::unique_ptr<FileOutput> current;
    auto next = std::make_unique<FileOutput>(file);
    setLogOutput(next.get());
    current = std::move(next);
    writeTrace("file log\n");
}

}  // namespace tessorin

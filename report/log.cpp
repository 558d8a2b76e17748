#include "report/log.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>

#include "base/clock.h"
#include "base/format.h"
#include "report/log_charset.h"

namespace tessorin {
namespace {

class StandardOutput final : public LogOutput {
public:
    void write(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
    }
};

// The log file or console stays open for the life of the process, as the
// reopened standard output would.
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

StandardOutput standardOutput;
std::atomic<LogOutput*> installed{nullptr};
std::mutex writeMutex;

void emit(std::string_view text) {
    std::lock_guard<std::mutex> lock(writeMutex);
    LogOutput* output = installed.load();
    (output ? *output : standardOutput).write(inLogCharset(text));
}

}  // namespace

void setLogOutput(LogOutput* output) {
    // Under the write lock: once this returns, no write still uses the old output.
    std::lock_guard<std::mutex> lock(writeMutex);
    installed.store(output);
}

void attachLogFile(std::FILE* file) {
    static std::unique_ptr<FileOutput> current;
    auto next = std::make_unique<FileOutput>(file);
    setLogOutput(next.get());
    current = std::move(next);
}

std::string logTimePrefix() {
    LocalTime t = processClock().localTime();
    return formatText("[%04d-%02d-%02d %02d:%02d:%02d]\t\t", {t.year, t.month, t.day, t.hour, t.minute, t.second});
}

bool logWanted() {
    const LogOutput* output = installed.load();
    return !output || !output->discards();
}

void writeLog(std::string_view message) {
    if (!logWanted()) return;
    std::string line = logTimePrefix();
    line += message;
    line += '\n';
    emit(line);
}

void writeTrace(std::string_view text) {
    if (logWanted()) emit(text);
}

std::string logLocationNotice(const std::string& path) {
    return "the folder beside the program cannot be written; the log is " + path;
}

std::string withPaneLineEnd(std::string_view text) {
    std::string out(text);
    if (!out.empty() && !(out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0)) out += "\r\n";
    return out;
}

}  // namespace tessorin

#include "station/console_progress.h"

#include "report/log.h"
#include "base/format.h"

namespace tessorin {
namespace {

uint64_t percentOf(uint64_t sent, uint64_t total) { return total == 0 ? 0 : sent * 100 / total; }

std::string describe(const char* what, uint64_t sent, uint64_t total) {
    return formatText("%s %u%% (%u of %u bytes)", {what, percentOf(sent, total), sent, total});
}

// The terminal line is drawn again from its start.
void redraw(const std::string& text, const char* end = "") { writeTrace(formatText("\r%s%s", {text, end})); }

}  // namespace

void ConsoleProgress::progress(uint64_t sent, uint64_t total) {
    const bool starting = sent == 0;
    sent_ = sent;
    total_ = total;
    if (total == 0) return;
    if (terminal_) {
        const uint64_t percent = percentOf(sent, total);
        if (lineOpen_ && !starting && percent == shown_) return;
        shown_ = percent;
        lineOpen_ = true;
        redraw(describe("download", sent, total));
        return;
    }
    const uint64_t quarter = percentOf(sent, total) / 25;
    if (starting) shown_ = 0;
    if (quarter == shown_) return;
    shown_ = quarter;
    writeLog(describe("download", sent, total));
}

void ConsoleProgress::finished() {
    const bool stoppedShort = total_ > 0 && sent_ < total_;
    if (terminal_ && lineOpen_ && stoppedShort)
        redraw(describe("download stopped at", sent_, total_), "\n");
    else if (terminal_ && lineOpen_)
        writeTrace("\n");
    else if (stoppedShort)
        writeLog(describe("download stopped at", sent_, total_));
    lineOpen_ = false;
    sent_ = total_ = 0;
}

}  // namespace tessorin

#pragma once
// One finished chip of the station as a line of its results file: a JSON
// object on one line (the format is described in docs/results.md).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "download/download_outcome.h"

namespace tessorin {

struct ChipRecord {
    LocalTime finishedAt;
    uint64_t sequence = 0;  // 1 for the first chip of this run
    std::string boardId;    // empty when no board is present
    std::optional<uint32_t> chipId;  // the identification word the run uses, once it was read
    std::string imagePath;
    std::optional<std::string> imageFile;  // the file's bytes; none when it cannot be read
    std::vector<std::string> presets;
    download::DownloadFailure failure = download::DownloadFailure::None;
    uint64_t durationMs = 0;
    uint64_t reportsSent = 0;
};

// ISO 8601 with the offset: 2026-12-09T08:00:03+08:00.
std::string recordTime(const LocalTime& t);

// The object and its line end. Text that is not UTF-8 (a path, a preset) is
// kept with U+FFFD for what cannot be read.
std::string resultsLine(const ChipRecord& record);

}  // namespace tessorin

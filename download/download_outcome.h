#pragma once
// How a download ended: success, or the one reason it failed. The station's
// results file names the reason by a short code that never changes.
#include <string_view>

namespace tessorin::download {

enum class DownloadFailure {
    None,
    NoImage,               // the code file is missing, unreadable or empty
    ImageRefused,          // the code file is larger than the download can take
    PresetRefused,         // a command-line preset is malformed; nothing was written
    BoardLost,             // a report did not go out: the board went away
    ChipStoppedAnswering,  // every report went out, but the chip did not answer afterwards
    WorkerFailed,          // the worker failed unexpectedly; its report is in the log
    Interrupted,           // the station was asked to end again and left the chip in hand
    StationEnded,          // the station process ended with the chip in hand (its parent's line)
};

// "no_image", "image_refused", ...; empty for None.
std::string_view failureCode(DownloadFailure failure);

// After the chip did not answer: the board itself was lost when the failed
// transfers left the link closed (its rediscovery found nothing).
DownloadFailure chipOrBoardLost();

struct DownloadOutcome {
    DownloadFailure failure = DownloadFailure::None;
    explicit operator bool() const { return failure == DownloadFailure::None; }
};

}  // namespace tessorin::download

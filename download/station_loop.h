#pragma once
// The production station of the command-line start: waits for a board and a
// chip, downloads the image into each new chip, then asks for the next one.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "download/auto_reset_event.h"
#include "download/download_host.h"
#include "download/station_job.h"
#include "download/station_recorder.h"

namespace tessorin::download {

inline constexpr std::string_view kStationLoopHandler = "CBrevoxDownloadToolDlg::commandDownload";

// Process-wide, initially clear; the station worker sets it as its last step.
AutoResetEvent& downloadDoneEvent();

// Asked once per pass of the loop. The product never stops the loop; tests do.
using StationStop = std::function<bool()>;

// Downloads job into each new chip. Runs for ever in the product, on the
// window's thread; returns only after its guard reported the failure that
// ended it (or when stop says so). With a run (a start with options) each
// finished chip is also recorded there, and the loop ends once the run's count
// of chips has finished.
void commandDownload(DownloadHost& host, const StationJob& job, const StationStop& stop = {},
                     StationRecorder* run = nullptr);

// The station worker: the download, its outcome left in chip, then
// downloadBusy cleared and downloadDoneEvent set; the link stays open. Returns 1.
int stationDownloadThread(DownloadHost& host, const StationJob& job, StationChip& chip);

}  // namespace tessorin::download

#pragma once
// What the download workers do: one download each, reported to the operator.
// The thread procedures around them are in download_button.h and station_loop.h.
#include <string>
#include <vector>

#include "base/progress_sink.h"
#include "download/chip_identity.h"
#include "download/download_host.h"
#include "download/download_outcome.h"

namespace tessorin::download {

// Download button, ROM image: progress and result in the log pane.
void runRomDownload(DownloadHost& host, const std::string& imagePath);
// Download button, DAT image: progress and result in the log pane.
void runDatDownload(DownloadHost& host, const std::string& imagePath);
// Station: presets (the command line's, then the chip's identity presets), then
// the ROM procedure whatever the file's ending, the image patched with the
// chip's identity; log stream only, the image's progress to the given sink
// (none in the seed's station).
DownloadFailure runStationDownload(DownloadHost& host, const std::string& imagePath,
                                   const std::vector<std::string>& commandLineItems, ProgressSink* progress = nullptr,
                                   const ChipIdentity& identity = {});

}  // namespace tessorin::download

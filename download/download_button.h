#pragma once
// The Download button of the interactive start: one download of the chosen
// image on a worker thread, ROM or DAT by the file's ending.
#include <memory>
#include <string>
#include <string_view>

#include "device/board_lock.h"
#include "download/download_host.h"

namespace tessorin::download {

inline constexpr std::string_view kDownloadButtonHandler = "CBrevoxDownloadToolDlg::OnBnClickedButtonDownload";

// True when the path's last characters equal the extension, without regard to
// case; no dot is needed ("imagerom" has the extension "rom").
bool hasExtension(std::string_view path, std::string_view extension);

// The worker threads: the download, then the link closed, the command frame's
// board lock let go and downloadBusy cleared. Return 1.
int romDownloadThread(DownloadHost& host, const std::string& imagePath, std::shared_ptr<BoardLock> frame = {});
int datDownloadThread(DownloadHost& host, const std::string& imagePath, std::shared_ptr<BoardLock> frame = {});

// The handler's body, under the handler guard. Returns once the worker runs;
// every refusal is reported inside.
void onDownloadButton(DownloadHost& host);

}  // namespace tessorin::download

#include "download/download_button.h"

#include "base/text.h"
#include "device/board_commands.h"
#include "download/worker_bodies.h"
#include "download/worker_guard.h"
#include "report/handler_guard.h"
#include "report/unicode_exception.h"

namespace tessorin::download {
namespace {

using WorkerBody = void (*)(DownloadHost&, const std::string&);

int runButtonWorker(DownloadHost& host, const std::string& imagePath, std::shared_ptr<BoardLock> frame,
                    WorkerBody body, std::string_view name, std::string_view closeLabel) {
    LogPane& pane = host.logPane();
    const MessageTable& messages = host.messages();
    runWorkerStep(pane, messages, name, [&] {
        // A new download empties the bar, also one that never gets to send its image.
        host.downloadProgress().progress(0, 0);
        body(host, imagePath);
    });
    runWorkerStep(pane, messages, name, [&] { closeBoardAfterCommand(pane, messages, closeLabel); });
    frame.reset();
    host.downloadBusy() = false;
    return 1;
}

}  // namespace

bool hasExtension(std::string_view path, std::string_view extension) { return endsWithNoCase(path, extension); }

int romDownloadThread(DownloadHost& host, const std::string& imagePath, std::shared_ptr<BoardLock> frame) {
    return runButtonWorker(host, imagePath, std::move(frame), runRomDownload, "romDownloadThread", "download rom file\n");
}

int datDownloadThread(DownloadHost& host, const std::string& imagePath, std::shared_ptr<BoardLock> frame) {
    return runButtonWorker(host, imagePath, std::move(frame), runDatDownload, "datDownloadThread", "download dat file\n");
}

void onDownloadButton(DownloadHost& host) {
    const MessageTable& messages = host.messages();
    runGuarded(host.logPane(), messages, kDownloadButtonHandler, [&] {
        host.banner(kDownloadButtonHandler);
        // The worker gets its own copy: the operator may choose another file while it runs.
        const std::string imagePath = host.romPath();
        if (imagePath.empty()) throw UnicodeException(messages[msgSelectRomFirst]);
        if (host.downloadBusy()) throw UnicodeException(messages[msgBusyDownloading]);
        // The worker ends the frame: the board stays locked until the download is over.
        std::shared_ptr<BoardLock> frame = openBoardForCommand(messages);
        int (*worker)(DownloadHost&, const std::string&, std::shared_ptr<BoardLock>) = nullptr;
        if (hasExtension(imagePath, "rom")) worker = romDownloadThread;
        else if (hasExtension(imagePath, "dat")) worker = datDownloadThread;
        else throw UnicodeException(messages[msgFileFormatError]);
        host.downloadBusy() = true;
        if (!host.startWorker([&host, imagePath, worker, frame = std::move(frame)]() mutable {
                worker(host, imagePath, std::move(frame));
            })) {
            host.downloadBusy() = false;
            throw UnicodeException(messages[msgDownloadThreadFail]);
        }
    });
}

}  // namespace tessorin::download

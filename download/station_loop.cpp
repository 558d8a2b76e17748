#include "download/station_loop.h"

#include "base/clock.h"
#include "base/format.h"
#include "device/board_choice.h"
#include "device/board_commands.h"
#include "device/hid_link.h"
#include "download/station_end.h"
#include "download/worker_bodies.h"
#include "download/worker_guard.h"
#include "report/handler_guard.h"
#include "report/log.h"
#include "report/unicode_exception.h"

namespace tessorin::download {
namespace {

constexpr uint32_t kStationPauseMs = 1000;
constexpr uint32_t kEndRequestPollMs = 50;

// Whether a board was found; a handle left from before is closed, not leaked.
bool openStationBoard() {
    closeHidLink();
    setHidLink(openDownloadBoard());
    return hidLinkOpen();
}

// The seed's lines only say that no board opened; a --board choice that is
// not plugged in is named, once each time the station starts waiting for it.
void tellChosenBoardAbsent() {
    const std::string absent = absentChosenBoard();
    if (!absent.empty()) writeLog(formatText("board %s is not present: the station waits for it", {absent}));
}

void runStation(DownloadHost& host, const StationJob& job, const StationStop& stop, StationRecorder* run) {
    const MessageTable& messages = host.messages();
    Clock& clock = processClock();
    bool alreadyDownloaded = false;
    bool announceOpen = true;
    bool absenceTold = false;
    bool linkOpen = openStationBoard();
    while (!(stop && stop()) && !(run && run->ended())) {
        if (!linkOpen) {
            if (run) run->boardActivity(BoardActivity::Gone);
            if (!absenceTold) tellChosenBoardAbsent();
            absenceTold = true;
            writeLog(messages[msgOpenUsbFail]);
            clock.sleepMs(kStationPauseMs);
            writeLog(messages[msgReopenUsb]);
            linkOpen = openStationBoard();
            alreadyDownloaded = false;
            announceOpen = true;
            continue;
        }
        if (announceOpen) {
            writeLog(messages[msgOpenUsbSuccess]);
            announceOpen = false;
            absenceTold = false;
        }
        if (!boardHandshake(kHandshakeParameter)) {
            if (run) run->boardActivity(BoardActivity::WaitingForChip);
            clock.sleepMs(kStationPauseMs);
            writeLog(messages[msgWaitingConnect]);
            alreadyDownloaded = false;
            continue;
        }
        writeLog(messages[msgHandshakeSuccess]);
        clock.sleepMs(kStationPauseMs);
        if (alreadyDownloaded) {
            writeLog(messages[msgReplaceDevice]);
            continue;
        }
        if (run) run->boardActivity(BoardActivity::ChipFound);
        // Left by the worker before it signals; the loop reads it only after the signal.
        StationChip chip = run ? run->chipStarting() : StationChip{};
        if (!host.startWorker([&host, job, &chip] { stationDownloadThread(host, job, chip); }))
            throw UnicodeException(messages[msgDownloadThreadFail]);
        writeLog(messages[msgDownloadStart]);
        // A second request to end does not wait for the chip in hand.
        while (!downloadDoneEvent().waitFor(kEndRequestPollMs))
            if (run && stationEndRequests() > 1) run->abandonChip(chip, job.imagePath, job.presets);
        writeLog(messages[msgDownloadFinish]);
        if (run) run->chipFinished(chip, job.imagePath, job.presets);
        alreadyDownloaded = true;
    }
}

}  // namespace

AutoResetEvent& downloadDoneEvent() {
    static AutoResetEvent event;
    return event;
}

void commandDownload(DownloadHost& host, const StationJob& job, const StationStop& stop, StationRecorder* run) {
    runGuarded(host.logPane(), host.messages(), kStationLoopHandler, [&] { runStation(host, job, stop, run); });
}

int stationDownloadThread(DownloadHost& host, const StationJob& job, StationChip& chip) {
    runWorkerStep(logStreamOnly(), host.messages(), "stationDownloadThread",
                  [&] { chip.failure = runStationDownload(host, job.imagePath, job.presets, chip.progress, chip.identity); });
    host.downloadBusy() = false;
    downloadDoneEvent().set();
    return 1;
}

}  // namespace tessorin::download

#pragma once
// The station loop of a start with options, on the emulated boards, with an
// operator between the loop's passes: once a chip's download has finished it
// takes the chip away, and on the next pass puts a fresh one on the board in
// use, with that chip's fault armed.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/hid_link.h"
#include "download/station_loop.h"
#include "station/station_run.h"
#include "emulator/emulator_session.h"
#include "tests/download/download_test_host.h"
#include "tests/download/temp_code_file.h"
#include "tests/download/wire_lines.h"
#include "tests/soak/fault_injector.h"
#include "runner/log_capture.h"

namespace tessorin::testing {

class StationRig {
public:
    static constexpr uint16_t kChip = 0x6D10;
    static constexpr int kPassLimit = 400;
    static constexpr int kMaxBoards = 8;

    explicit StationRig(size_t imageBytes = 300)
        : image(countingBytes(imageBytes, 0x21)), file(bytePerLineText(image), "station.rom") {
        job.imagePath = file.path();
        session.emulator.setTraceEnabled(false);
    }
    ~StationRig() {
        closeHidLink();
        setHidTransport(nullptr);
    }
    StationRig(const StationRig&) = delete;
    StationRig& operator=(const StationRig&) = delete;

    // Boards are added before the run; faults[i] is armed for chip i + 1 on board `device`.
    void run(StationRun& run, int device, std::vector<Fault> faults = {},
             std::function<void(int pass)> between = {}) {
        FaultInjector injector(session.emulator, device);
        setHidTransport(&injector);
        size_t chip = 0;
        if (!faults.empty()) injector.arm(faults[0]);
        int seenFinishes = 0;
        bool socketEmpty = false;
        passes = 0;
        download::commandDownload(
            host, job,
            [&] {
                if (between) between(passes);
                if (++passes > kPassLimit) return true;
                const int finishes = static_cast<int>(countOf(log.text(), host.messages()[msgDownloadFinish]));
                if (finishes > seenFinishes) {
                    seenFinishes = finishes;
                    noteLoadedBoards();
                    if (chipOn(device)) session.emulator.detachChip(device);
                    injector.disarm();
                    socketEmpty = true;
                } else if (socketEmpty) {
                    session.emulator.attachChip(device, kChip);
                    if (++chip < faults.size()) injector.arm(faults[chip]);
                    socketEmpty = false;
                }
                return false;
            },
            &run);
        closeHidLink();
        setHidTransport(&session.emulator);
    }

    bool chipOn(int device) {
        try {
            session.emulator.withChip(device, [](emulator::ChipModel&) { return 0; });
            return true;
        } catch (const std::out_of_range&) {
            return false;
        }
    }

    // After each finished download: every board whose chip holds the image.
    void noteLoadedBoards() {
        std::vector<int> boards;
        for (int device = 0; device < kMaxBoards; ++device)
            if (codeLoadOf(device) == image) boards.push_back(device);
        loadedBoards.push_back(boards);
    }

    Bytes codeLoadOf(int device) {
        if (!chipOn(device)) return {};
        return session.emulator.withChip(device, [](emulator::ChipModel& chip) { return chip.codeLoad(); });
    }

    // The worker's result lines in order: true for success.
    std::vector<bool> loggedResults() const {
        std::vector<bool> results;
        const std::string text = log.text();
        const std::string success = "\t\t" + host.messages()[msgDownloadSuccess];
        const std::string fail = "\t\t" + host.messages()[msgDownloadFail];
        for (size_t at = 0; at < text.size();) {
            const size_t s = text.find(success, at), f = text.find(fail, at);
            if (s == std::string::npos && f == std::string::npos) break;
            results.push_back(s < f);
            at = std::min(s, f) + 1;
        }
        return results;
    }

    emulator::EmulatorSession session;
    runner::LogCapture log;
    DownloadTestHost host;
    download::StationJob job;
    const Bytes image;
    TempCodeFile file;
    int passes = 0;
    std::vector<std::vector<int>> loadedBoards;
};

}  // namespace tessorin::testing

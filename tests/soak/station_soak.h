#pragma once
// The production station of the command-line start, run chip after chip against
// the emulated board on the virtual clock. An operator, acting between the
// loop's passes, takes each chip out once its download has finished and puts
// the next one in, with one seeded random fault armed for it. Every chip gets a
// verdict from the log and the chip's code-load capture.
#include <array>
#include <atomic>
#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "device/hid_link.h"
#include "download/station_loop.h"
#include "station/station_run.h"
#include "emulator/emulator_session.h"
#include "fault_injector.h"
#include "report/log.h"
#include "tests/download/download_test_host.h"
#include "tests/download/temp_code_file.h"

namespace tessorin::testing {

// Counts the worker's result lines and the loop's end-of-download lines.
class StationOutcomeLog final : public LogOutput {
public:
    explicit StationOutcomeLog(const MessageTable& messages)
        : success_(messages[msgDownloadSuccess] + "\n"),
          fail_(messages[msgDownloadFail] + "\n"),
          finish_(messages[msgDownloadFinish] + "\n") {
        setLogOutput(this);
    }
    ~StationOutcomeLog() override { setLogOutput(nullptr); }
    StationOutcomeLog(const StationOutcomeLog&) = delete;
    StationOutcomeLog& operator=(const StationOutcomeLog&) = delete;

    void write(std::string_view text) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (text.ends_with(success_)) ++successes;
        if (text.ends_with(fail_)) ++failures;
        if (text.ends_with(finish_)) ++finishes;
        recent_ += text;
    }
    // The lines since the last call, for a failure report.
    std::string takeRecent() {
        std::lock_guard<std::mutex> lock(mutex_);
        std::string text;
        text.swap(recent_);
        return text;
    }

    std::atomic<int> successes{0};
    std::atomic<int> failures{0};
    std::atomic<int> finishes{0};

private:
    std::mutex mutex_;
    std::string success_, fail_, finish_;
    std::string recent_;
};

struct SoakOutcome {
    int succeeded = 0;
    int failed = 0;
};

struct SoakReport {
    int chips = 0;
    int succeeded = 0;
    int failed = 0;
    int pulledBeforeDownload = 0;  // the fault took the chip before its download began
    std::map<std::string, SoakOutcome> byFault;  // by the fault that fired ("none" when none did)
    std::vector<std::string> defects;            // each with the log of its chip
    uint64_t virtualSeconds = 0;
    uint64_t passes = 0;
};

// Which faults the chips get: the whole mix, or on about half of the chips the
// board unplugged during the image stream (the others get none), the case that
// ends a download on the production line's lost board.
enum class FaultMix { Everything, UnplugDuringDownload };

class StationSoak {
public:
    static constexpr uint16_t kBoardChip = 0x6D10;
    static constexpr int kPassBudgetPerChip = 60;  // a chip that takes longer counts as a hang

    StationSoak(uint32_t seed, size_t imageBytes, FaultMix mix = FaultMix::Everything)
        : mix_(mix), random_(seed), image_(randomImage(imageBytes)), file_(bytePerLineText(image_), "station.rom") {
        job_.imagePath = file_.path();
        job_.presets = {"0x9000 11223344"};  // one preset, so every chip also gets the 0x8010 write
        session_.emulator.setTraceEnabled(false);
        setHidTransport(&injector_);
        armNextFault();
    }
    // The session puts its own transport back; the injector must be out of the way first.
    ~StationSoak() {
        closeHidLink();
        setHidTransport(nullptr);
    }
    StationSoak(const StationSoak&) = delete;
    StationSoak& operator=(const StationSoak&) = delete;

    SoakReport run(int chips) {
        StationOutcomeLog log(host_.messages());
        log_ = &log;
        targetChips_ = chips;
        // The station's run, so every chip also ends in a results line, as on the production line.
        std::string problem;
        run_ = StationRun::start({resultsPath_, std::nullopt, false}, problem);
        if (!run_) report_.defects.push_back("no station run: " + problem);
        download::commandDownload(host_, job_, [this] { return operatorStep(); }, run_.get());
        log_ = nullptr;
        report_.virtualSeconds = session_.clock.nowMicros() / 1'000'000;
        return report_;
    }

private:
    enum class Socket { Downloading, Empty };

    static std::vector<uint8_t> randomImage(size_t bytes) {
        std::mt19937 fixed(7);
        std::vector<uint8_t> image(bytes);
        for (uint8_t& b : image) b = static_cast<uint8_t>(fixed());
        return image;
    }

    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }

    // About one chip in four goes through without a fault; the others get one
    // fault, half of them timed into the image stream, half anywhere in the
    // chip's traffic (the loop's handshake, the presets, the probe, the download).
    void armNextFault() {
        static constexpr std::array<FaultKind, 6> kinds = {FaultKind::UnplugBoard, FaultKind::PullChip,
                                                           FaultKind::DropReplies, FaultKind::DelayReplies,
                                                           FaultKind::ShortReads, FaultKind::WriteTimeouts};
        Fault fault;
        const int imageReports = static_cast<int>(image_.size() / 61) + 1;
        if (mix_ == FaultMix::UnplugDuringDownload) {
            if (between(0, 1) == 0) {
                fault.kind = FaultKind::UnplugBoard;
                fault.atImageReport = true;
                fault.at = between(1, imageReports);
                fault.replugAfterScans = between(1, 4);
            }
        } else if (between(0, 3) != 0) {
            fault.kind = kinds[static_cast<size_t>(between(0, static_cast<int>(kinds.size()) - 1))];
            fault.atImageReport = between(0, 1) == 0;
            fault.at = fault.atImageReport ? between(1, imageReports) : between(1, 420);
            fault.count = between(1, 3);
            fault.shortBytes = between(0, 63);
            fault.replugAfterScans = between(1, 4);
        }
        armed_ = fault;
        injector_.arm(fault);
    }

    bool chipPresent() {
        try {
            session_.emulator.withChip(device_, [](emulator::ChipModel&) { return 0; });
            return true;
        } catch (const std::out_of_range&) {
            return false;
        }
    }

    std::optional<std::vector<uint8_t>> capture() {
        if (!chipPresent()) return std::nullopt;
        return session_.emulator.withChip(device_, [](emulator::ChipModel& chip) { return chip.codeLoad(); });
    }

    void defect(const std::string& what) {
        report_.defects.push_back("chip " + std::to_string(report_.chips) + " (" + faultName(firedKind()) + "): " +
                                  what + "\n" + log_->takeRecent());
    }

    FaultKind firedKind() const { return injector_.fired() ? armed_.kind : FaultKind::None; }

    // The download of the chip in the socket has finished: judge it by its result lines and its capture.
    void judgeDownload() {
        const int successes = log_->successes - successesBefore_;
        const int failures = log_->failures - failuresBefore_;
        const std::optional<std::vector<uint8_t>> captured = capture();
        SoakOutcome& byFault = report_.byFault[faultName(firedKind())];
        if (successes + failures != 1) defect("the worker logged " + std::to_string(successes + failures) + " results");
        if (successes > 0) {
            ++report_.succeeded;
            ++byFault.succeeded;
            if (!captured) defect("success logged for a chip that was pulled during its download");
            else if (*captured != image_)
                defect("success logged, but the chip holds " + std::to_string(captured->size()) +
                       " bytes that are not the image");
        } else {
            ++report_.failed;
            ++byFault.failed;
            if (firedKind() == FaultKind::None) defect("a download without any fault failed");
        }
        judgeResultsLine(successes > 0);
    }

    // The chip's line in the results file, the one line added since the last
    // chip, says what its log said.
    void judgeResultsLine(bool succeeded) {
        std::ifstream file(resultsPath_, std::ios::binary);
        file.seekg(static_cast<std::streamoff>(resultsRead_));
        std::vector<std::string> added;
        for (std::string line; std::getline(file, line);) {
            resultsRead_ += line.size() + 1;
            added.push_back(line);
        }
        if (added.size() != 1) {
            defect(std::to_string(added.size()) + " results lines for one chip");
            return;
        }
        const nlohmann::json record = nlohmann::json::parse(added.back(), nullptr, false);
        if (record.is_discarded() || record["result"] != (succeeded ? "success" : "fail"))
            defect("the results line does not say what the log said: " + added.back());
    }

    // The operator's turn, between two passes of the loop. True ends the soak.
    bool operatorStep() {
        ++report_.passes;
        if (++passesThisChip_ > kPassBudgetPerChip) {
            defect("no verdict after " + std::to_string(kPassBudgetPerChip) + " passes of the loop");
            return true;
        }
        if (socket_ == Socket::Downloading) {
            if (log_->finishes > finishesBefore_) {
                judgeDownload();
            } else if (!chipPresent()) {
                ++report_.pulledBeforeDownload;
                if (log_->successes > successesBefore_) defect("success logged for a chip that was never downloaded");
            } else {
                return false;
            }
            ++report_.chips;
            log_->takeRecent();
            // Out with the chip; the loop must see the empty socket before the next one goes in.
            if (chipPresent()) session_.emulator.detachChip(device_);
            injector_.disarm();
            socket_ = Socket::Empty;
            return false;
        }
        if (report_.chips >= targetChips_) return true;
        session_.emulator.attachChip(device_, kBoardChip);
        successesBefore_ = log_->successes;
        failuresBefore_ = log_->failures;
        finishesBefore_ = log_->finishes;
        passesThisChip_ = 0;
        armNextFault();
        socket_ = Socket::Downloading;
        return false;
    }

    const FaultMix mix_;
    std::mt19937 random_;
    std::vector<uint8_t> image_;
    emulator::EmulatorSession session_;
    DownloadTestHost host_;
    download::StationJob job_;
    TempCodeFile file_;
    TempFolder resultsFolder_{"soak"};
    const std::string resultsPath_ = resultsFolder_.path("results.jsonl");
    std::unique_ptr<StationRun> run_;
    size_t resultsRead_ = 0;  // bytes of the results file judged so far
    int device_ = session_.emulator.addBoard(kBoardChip);
    FaultInjector injector_{session_.emulator, device_};
    Fault armed_;
    StationOutcomeLog* log_ = nullptr;
    Socket socket_ = Socket::Downloading;
    int targetChips_ = 0;
    int passesThisChip_ = 0;
    int successesBefore_ = 0;
    int failuresBefore_ = 0;
    int finishesBefore_ = 0;
    SoakReport report_;
};

}  // namespace tessorin::testing

#include "station/board_publisher.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "base/format.h"
#include "device/board_choice.h"
#include "device/chip_id_cache.h"
#include "store/board_states.h"
#include "store/store_error.h"

namespace tessorin {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kLeastGap = std::chrono::milliseconds(250);
constexpr auto kHeartbeat = std::chrono::seconds(1);

const char* stateOf(download::BoardActivity activity) {
    switch (activity) {
        case download::BoardActivity::Gone: return "gone";
        case download::BoardActivity::WaitingForChip: return "waiting";
        case download::BoardActivity::ChipFound: return "handshake";
    }
    return "waiting";
}

class StoreBoardPublisher final : public BoardPublisher {
public:
    StoreBoardPublisher(const std::string& location, int64_t station, const std::string& board, ProgressSink& console)
        : console_(console) {
        state_.board = board;
        state_.station = station;
        state_.state = "waiting";
        thread_ = std::thread([this, location] { run(location); });
    }
    ~StoreBoardPublisher() override { stationEnded(); }

    void progress(uint64_t sent, uint64_t total) override {
        console_.progress(sent, total);
        if (total == 0) return;
        const int64_t percent = static_cast<int64_t>(sent * 100 / total);
        std::lock_guard<std::mutex> lock(mutex_);
        if (state_.state == "downloading" && state_.percent == percent) return;
        state_.state = "downloading";
        state_.percent = percent;
        changed_ = true;
    }
    void finished() override { console_.finished(); }

    void activity(download::BoardActivity activity) override {
        const std::string board = currentBoardId();
        const std::optional<uint32_t> chip = cachedChipId();
        std::lock_guard<std::mutex> lock(mutex_);
        if (!board.empty()) state_.board = board;
        const char* state = stateOf(activity);
        if (state_.state == state) return;
        state_.state = state;
        state_.percent = 0;
        state_.chip = activity == download::BoardActivity::ChipFound && chip ? formatText("0x%04x", {*chip}) : "";
        changed_ = true;
    }

    void chipFinished(bool passed, const std::string& reason) override {
        std::lock_guard<std::mutex> lock(mutex_);
        state_.state = passed ? "done" : "failed";
        state_.lastResult = passed ? "success" : "fail";
        state_.lastReason = reason;
        changed_ = true;
    }

    void stationEnded() override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stopping_) return;
            state_.state = "ended";
            changed_ = true;
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

private:
    void run(const std::string& location) {
        std::unique_ptr<store::Store> store;
        auto lastWrite = Clock::now() - kHeartbeat;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait_for(lock, kLeastGap, [this] { return stopping_; });
            const bool last = stopping_;
            if (state_.board.empty() || (!changed_ && !last && Clock::now() - lastWrite < kHeartbeat)) {
                if (last) return;
                continue;
            }
            const store::BoardState state = state_;
            changed_ = false;
            lock.unlock();
            try {
                if (!store) {
                    store = store::Store::open(location);
                    // A board's state is rewritten within a second: its commits need not wait for the disk.
                    if (store->connection().engine() == store::Engine::Sqlite)
                        store->connection().script("PRAGMA synchronous=NORMAL");
                }
                store::publishBoardState(*store, state);
            } catch (const store::StoreError&) {
                // The station's own writes report a store in trouble; this one tries again next time.
                store.reset();
            }
            lastWrite = Clock::now();
            lock.lock();
            if (last) return;
        }
    }

    ProgressSink& console_;
    std::mutex mutex_;
    std::condition_variable wake_;
    store::BoardState state_;
    bool changed_ = true;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace

std::unique_ptr<BoardPublisher> BoardPublisher::start(const std::string& location, int64_t station,
                                                      const std::string& board, ProgressSink& console) {
    return std::make_unique<StoreBoardPublisher>(location, station, board, console);
}

}  // namespace tessorin

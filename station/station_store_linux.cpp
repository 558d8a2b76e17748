#include <condition_variable>
#include <mutex>
#include <thread>

#include "base/format.h"
#include "base/sha256.h"
#include "job/identity_value.h"
#include "report/log.h"
#include "station/station_store.h"
#include "store/store.h"
#include "store/store_error.h"

namespace tessorin {
namespace {

// A station of another host whose heartbeat is older than the lease is taken
// for gone; a live one renews it far more often.
constexpr auto kLease = std::chrono::seconds(120);
constexpr auto kHeartbeat = std::chrono::seconds(20);

using download::DownloadFailure;

// Renews the station's lease from a connection of its own while the station waits for chips.
class Heartbeat {
public:
    Heartbeat(const std::string& location, int64_t station) : thread_([this, location, station] { run(location, station); }) {}
    ~Heartbeat() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

private:
    void run(const std::string& location, int64_t station) {
        try {
            auto store = store::Store::open(location);
            std::unique_lock<std::mutex> lock(mutex_);
            while (!wake_.wait_for(lock, kHeartbeat, [this] { return stopping_; })) store->heartbeat(station);
        } catch (const std::exception&) {
            // The station's own next write reports what is wrong with the store.
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

struct HeldValue {
    const job::IdentityField* field;
    store::Reservation reservation;
};

// A value's bytes may have reached the chip unless the download stopped before them.
store::Settlement settlementOf(DownloadFailure failure, job::Target target) {
    if (failure == DownloadFailure::None) return store::Settlement::Committed;
    if (failure == DownloadFailure::PresetRefused) return store::Settlement::Released;
    const bool imageNeverSent = failure == DownloadFailure::NoImage || failure == DownloadFailure::ImageRefused;
    return target == job::Target::Image && imageNeverSent ? store::Settlement::Released : store::Settlement::Voided;
}

// The preset whose value, stored least significant byte first, leaves bytes at the address in order.
std::string memoryPreset(int64_t address, const std::vector<uint8_t>& bytes) {
    std::string value;
    for (auto byte = bytes.rbegin(); byte != bytes.rend(); ++byte) value += formatText("%02x", {*byte});
    return formatText("%x %s", {static_cast<uint32_t>(address), value});
}

class StoreStation final : public StationStore {
public:
    StoreStation(std::unique_ptr<store::Store> store, const std::optional<job::Job>& job, int64_t station)
        : store_(std::move(store)), job_(job), station_(station), heartbeat_(store_->location(), station) {}

    bool reserveNext(std::string& problem) {
        if (!job_) return true;
        return guarded(problem, [&] {
            for (const job::IdentityField& field : job_->fields) {
                const std::optional<store::Reservation> taken = store_->reserve(station_, field.name);
                if (!taken) {
                    releaseHeld("another value of the chip ran out");
                    stop_ = Stop::PoolExhausted;
                    problem = formatText("identity: the pool of %s has no value left; the station stops before the next chip",
                                         {field.name});
                    return false;
                }
                if (taken->left < field.lowWater)
                    writeLog(formatText("identity: only %u values of %s are left (low water)",
                                        {static_cast<uint64_t>(taken->left), field.name}));
                held_.push_back({&field, *taken});
            }
            return true;
        });
    }

    download::ChipIdentity nextChip() const override {
        download::ChipIdentity identity;
        for (const HeldValue& held : held_) {
            std::vector<uint8_t> bytes = job::valueBytes(*held.field, held.reservation.value);
            if (held.field->target == job::Target::Memory)
                identity.presets.push_back(memoryPreset(held.field->at, bytes));
            else
                identity.imagePatches.push_back({static_cast<size_t>(held.field->at), std::move(bytes)});
        }
        return identity;
    }

    bool chipFinished(const ChipRecord& record, bool anotherFollows, std::string& problem) override {
        const bool recorded = guarded(problem, [&] {
            store_->recordChip(station_, entryOf(record));
            held_.clear();
            return true;
        });
        if (!recorded) {
            // The chip may hold its values: they must never be released, whatever the store takes now.
            std::string ignored;
            guarded(ignored, [&] {
                for (const HeldValue& held : held_)
                    store_->settle(held.reservation.valueId, store::Settlement::Voided, station_, "its chip is not on record");
                return true;
            });
            held_.clear();
            problem = formatText("store: the record of chip %u did not reach %s: %s; the station stops before the next chip",
                                 {record.sequence, store_->location(), problem});
            return false;
        }
        return !anotherFollows || reserveNext(problem);
    }

    Stop stop() const override { return stop_; }
    int64_t stationId() const override { return station_; }

    void end(const std::string& how) override {
        std::string problem;
        if (!guarded(problem, [&] {
                releaseHeld("the station ended before the chip came");
                store_->endStation(station_, how);
                return true;
            }))
            writeLog(formatText("store: the end of this station did not reach %s: %s", {store_->location(), problem}));
    }

private:
    // Runs a store step; false, with the store's words in problem, when it failed.
    template <typename Step>
    bool guarded(std::string& problem, const Step& step) {
        try {
            return step();
        } catch (const store::StoreError& error) {
            stop_ = Stop::StoreFailed;
            problem = error.what();
            return false;
        }
    }

    void releaseHeld(const std::string& reason) {
        for (const HeldValue& held : held_)
            store_->settle(held.reservation.valueId, store::Settlement::Released, station_, reason);
        held_.clear();
    }

    store::ChipEntry entryOf(const ChipRecord& record) {
        store::ChipEntry entry;
        entry.finishedAt = recordTime(record.finishedAt);
        entry.sequence = static_cast<int64_t>(record.sequence);
        entry.board = record.boardId;
        if (record.chipId) entry.chipId = formatText("0x%04x", {*record.chipId});
        entry.image = record.imagePath;
        if (record.imageFile) {
            entry.imageSha256 = sha256Hex(*record.imageFile);
            entry.imageBytes = static_cast<int64_t>(record.imageFile->size());
        }
        entry.presets = record.presets;
        entry.result = record.failure == DownloadFailure::None ? "success" : "fail";
        if (record.failure != DownloadFailure::None) entry.reason = std::string(download::failureCode(record.failure));
        entry.durationMs = static_cast<int64_t>(record.durationMs);
        entry.reports = static_cast<int64_t>(record.reportsSent);
        entry.jobSha256 = job_ ? job_->sha256 : "";
        for (const HeldValue& held : held_) {
            const store::Settlement settlement = settlementOf(record.failure, held.field->target);
            // Written: the download reported success; durable before the record commits.
            if (settlement == store::Settlement::Committed) store_->markWritten(held.reservation.valueId, station_);
            entry.identities.push_back({held.field->name, held.reservation.valueId,
                                        job::shownValue(*held.field, held.reservation.value), settlement});
        }
        return entry;
    }

    std::unique_ptr<store::Store> store_;
    std::optional<job::Job> job_;
    int64_t station_;
    std::vector<HeldValue> held_;
    Stop stop_ = Stop::None;
    Heartbeat heartbeat_;
};

void defineFields(store::Store& store, const job::Job& job) {
    for (const job::IdentityField& field : job.fields) {
        const bool list = field.source == job::Source::List;
        store.definePool({field.name, list, field.first, field.last, field.step, field.lowWater});
        if (list) store.importList(field.name, field.listValues);
    }
}

}  // namespace

std::unique_ptr<StationStore> StationStore::open(const std::string& location, const std::optional<job::Job>& job,
                                                 const std::string& board, std::string& problem) {
    try {
        auto store = store::Store::open(location);
        const store::ProcessIdentity self = store::thisProcess();
        for (const store::VanishedStation& gone : store->recoverVanishedStations(self, kLease))
            writeLog(formatText("store: station %u (%s) ended without finishing; %u identity values it held are void",
                                {static_cast<uint64_t>(gone.station), gone.who, static_cast<uint64_t>(gone.voided)}));
        if (job) defineFields(*store, *job);
        const int64_t station = store->startStation(self, board, job ? job->sha256 : "");
        auto opened = std::make_unique<StoreStation>(std::move(store), job, station);
        if (!opened->reserveNext(problem) && opened->stop() == Stop::StoreFailed) return nullptr;
        if (opened->stop() == Stop::PoolExhausted) writeLog(problem);
        return opened;
    } catch (const store::StoreError& error) {
        problem = error.what();
        return nullptr;
    }
}

}  // namespace tessorin

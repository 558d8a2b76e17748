#pragma once
// A station store: the station starts and ends, every finished chip, and the
// identity values with their states. SQLite (a file) or PostgreSQL
// (postgresql://...) behind one class; every write is one short transaction,
// tried again on a new connection while a PostgreSQL server is away.
//
// An identity value moves reserved -> written -> committed (with its chip's
// record), or from reserved/written to released (no byte holding it reached
// the chip; it is issued again) or void (the chip may hold it; never again).
// List values wait as available until first reserved. docs/store.md.
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/connection.h"
#include "store/process_identity.h"

namespace tessorin::store {

struct PoolDefinition {
    std::string name;
    bool list = false;  // values imported from a file instead of a counter
    int64_t first = 0, last = 0, step = 1;
    int64_t lowWater = 0;  // warn once fewer values than this are left
};

struct Reservation {
    int64_t valueId = 0;
    int64_t value = 0;
    int64_t left = 0;  // values the pool still has after this one
};

enum class Settlement { Committed, Voided, Released };

struct ChipIdentity {
    std::string field;
    int64_t valueId = 0;
    std::string shown;  // the value as records show it
    Settlement settlement = Settlement::Committed;
};

// The fields of the results line (docs/results.md) plus the job's hash.
struct ChipEntry {
    std::string finishedAt;  // ISO 8601 with offset
    int64_t sequence = 0;
    std::string board;
    std::optional<std::string> chipId;
    std::string image;
    std::optional<std::string> imageSha256;
    std::optional<int64_t> imageBytes;
    std::vector<std::string> presets;
    std::string result;
    std::optional<std::string> reason;
    int64_t durationMs = 0;
    int64_t reports = 0;
    std::string jobSha256;
    std::vector<ChipIdentity> identities;
};

struct VanishedStation {
    int64_t station = 0;
    std::string who;  // host and pid
    int64_t voided = 0;
};

class Store {
public:
    // Opens (creating a SQLite file when missing) and migrates; raises StoreError.
    static std::unique_ptr<Store> open(const std::string& location);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const std::string& location() const { return location_; }
    Connection& connection() { return *connection_; }

    // Station records.
    int64_t startStation(const ProcessIdentity& who, const std::string& board, const std::string& jobSha256);
    // Stations that ended without finishing: marked so, their unsettled values voided.
    std::vector<VanishedStation> recoverVanishedStations(const ProcessIdentity& self, std::chrono::seconds lease);
    void endStation(int64_t station, const std::string& how);
    void heartbeat(int64_t station);

    // The allocator.
    void definePool(const PoolDefinition& pool);
    void importList(const std::string& pool, const std::vector<int64_t>& values);
    // nullopt: the pool has no value left.
    std::optional<Reservation> reserve(int64_t station, const std::string& pool);
    void markWritten(int64_t valueId, int64_t station);
    void settle(int64_t valueId, Settlement settlement, int64_t station, const std::string& reason);

    // The chip's record and its values' final states, in one transaction.
    int64_t recordChip(int64_t station, const ChipEntry& chip);

private:
    Store(std::string location, std::unique_ptr<Connection> connection);
    // Runs body in one write transaction; again on a new connection after ConnectionLost.
    void write(const std::function<void()>& body);
    int64_t poolId(const std::string& pool);
    // Voids the values a station still holds reserved or written; how many.
    int64_t voidUnsettled(int64_t station, const std::string& reason);
    // Moves a value this station holds to state (from reserved, or reserved/written).
    void moveHeldValue(int64_t valueId, int64_t station, const char* state, const std::string& reason,
                       std::optional<int64_t> chip);
    // Renews the station's lease; raises StoreError when it was taken for gone.
    void touch(int64_t station);
    void logState(int64_t valueId, const char* state, int64_t station, const std::string& reason);
    std::string now() const;  // the engine's clock in seconds, as SQL

    std::string location_;
    std::unique_ptr<Connection> connection_;
};

const char* settlementState(Settlement settlement);

}  // namespace tessorin::store

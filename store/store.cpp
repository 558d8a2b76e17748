#include "store/store.h"

#include <thread>

#include "store/postgres_connection.h"
#include "store/schema.h"
#include "store/sqlite_connection.h"
#include "store/store_error.h"
#include "store/utc_time.h"
#include "report/log.h"

namespace tessorin::store {
namespace {

// How long a station waits for a PostgreSQL server that went away, and at
// start for one that is not there (yet: restarting, or a wrong address).
constexpr auto kServerWait = std::chrono::seconds(120);
constexpr auto kFirstConnectWait = std::chrono::seconds(30);
constexpr auto kRetryPause = std::chrono::milliseconds(250);

bool isPostgres(const std::string& location) {
    return location.starts_with("postgresql://") || location.starts_with("postgres://");
}

}  // namespace

std::unique_ptr<Store> Store::open(const std::string& location) {
    if (location.empty()) throw StoreError("no store named");
    const auto deadline = std::chrono::steady_clock::now() + kFirstConnectWait;
    for (;;) {
        try {
            auto connection = isPostgres(location) ? openPostgres(location) : openSqlite(location);
            migrate(*connection);
            return std::unique_ptr<Store>(new Store(location, std::move(connection)));
        } catch (const ConnectionLost&) {
            // Like every write, waits for a server that is restarting.
            if (std::chrono::steady_clock::now() > deadline) throw;
            std::this_thread::sleep_for(kRetryPause);
        }
    }
}

Store::Store(std::string location, std::unique_ptr<Connection> connection)
    : location_(std::move(location)), connection_(std::move(connection)) {}

Store::~Store() = default;

void Store::write(const std::function<void()>& body) {
    const auto deadline = std::chrono::steady_clock::now() + kServerWait;
    bool waiting = false;
    for (;;) {
        try {
            connection_->begin();
            body();
            connection_->commit();
            if (waiting) writeLog("store: the server answers again");
            return;
        } catch (const ConnectionLost& lost) {
            connection_->rollback();
            if (std::chrono::steady_clock::now() > deadline) throw;
            const std::string why = lost.what();
            if (!waiting) writeLog("store: " + why.substr(0, why.find('\n')) + "; the station waits for the server");
            waiting = true;
        } catch (...) {
            connection_->rollback();
            throw;
        }
        // The server is away: wait, connect again, run the whole transaction again.
        for (;;) {
            std::this_thread::sleep_for(kRetryPause);
            try {
                connection_->reconnect();
                break;
            } catch (const ConnectionLost&) {
                if (std::chrono::steady_clock::now() > deadline) throw;
            }
        }
    }
}

std::string Store::now() const {
    return connection_->engine() == Engine::Sqlite ? "CAST(strftime('%s','now') AS INTEGER)"
                                                   : "CAST(extract(epoch FROM now()) AS BIGINT)";
}

int64_t Store::startStation(const ProcessIdentity& who, const std::string& board, const std::string& jobSha256) {
    int64_t station = 0;
    write([&] {
        const SqlRows rows = connection_->run(
            "INSERT INTO stations (started_at, heartbeat, host, boot_id, pid, process_start, board, job_sha256) "
            "VALUES ($1, " + now() + ", $2, $3, $4, $5, $6, $7) RETURNING id",
            {utcNow(), who.host, who.bootId, who.pid, who.processStart, board, jobSha256});
        station = cellNumber(rows.at(0), 0);
    });
    return station;
}

void Store::heartbeat(int64_t station) {
    write([&] { touch(station); });
}

std::vector<VanishedStation> Store::recoverVanishedStations(const ProcessIdentity& self, std::chrono::seconds lease) {
    SqlRows open;
    write([&] {
        open = connection_->run("SELECT id, host, boot_id, pid, process_start, " + now() +
                                " - heartbeat FROM stations WHERE ended_at IS NULL");
    });
    std::vector<VanishedStation> vanished;
    for (const SqlRow& row : open) {
        const int64_t pid = cellNumber(row, 3);
        const bool sameHost = cellText(row, 1) == self.host;
        const bool gone = sameHost ? cellText(row, 2) != self.bootId || !stillRunning(pid, cellNumber(row, 4))
                                   : cellNumber(row, 5) > lease.count();
        if (!gone || (sameHost && pid == self.pid && cellText(row, 2) == self.bootId)) continue;
        VanishedStation station{cellNumber(row, 0), cellText(row, 1) + " pid " + std::to_string(pid), 0};
        const std::string reason = "station " + std::to_string(station.station) + " (" + station.who +
                                   ") ended without finishing";
        bool marked = false;
        write([&] {
            // Another station may be recovering the same one: only one marks it.
            marked = !connection_->run("UPDATE stations SET ended_at = $2, ended_how = 'vanished' "
                                 "WHERE id = $1 AND ended_at IS NULL RETURNING id",
                                 {station.station, utcNow()})
                          .empty();
            if (marked) station.voided = voidUnsettled(station.station, reason);
        });
        if (marked) vanished.push_back(station);
    }
    return vanished;
}

void Store::endStation(int64_t station, const std::string& how) {
    write([&] {
        voidUnsettled(station, "the station ended with the value unsettled");
        connection_->run("UPDATE stations SET ended_at = $2, ended_how = $3 WHERE id = $1", {station, utcNow(), how});
    });
}

}  // namespace tessorin::store

// The identity allocator of Store: pools, reservations and their states.
#include "store/store.h"
#include "store/store_error.h"
#include "store/utc_time.h"

namespace tessorin::store {
namespace {

// PostgreSQL: one statement takes a released or available value (rows other
// stations are taking are skipped), or else the counter's next, and logs it.
constexpr const char* kReservePostgres = R"(
WITH reused AS (
  UPDATE identity_values SET state = 'reserved', station_id = $2, chip_id = NULL
  WHERE id = (SELECT id FROM identity_values WHERE pool_id = $1 AND state IN ('released', 'available')
              ORDER BY value LIMIT 1 FOR UPDATE SKIP LOCKED)
  RETURNING id, value),
fresh AS (
  UPDATE pools SET next_value = next_value + step
  WHERE id = $1 AND next_value <= last_value AND NOT EXISTS (SELECT 1 FROM reused)
  RETURNING next_value - step AS value),
inserted AS (
  INSERT INTO identity_values (pool_id, value, state, station_id) SELECT $1, value, 'reserved', $2 FROM fresh
  RETURNING id, value),
taken AS (SELECT id, value FROM reused UNION ALL SELECT id, value FROM inserted),
logged AS (
  INSERT INTO value_history (value_id, state, at, station_id) SELECT id, 'reserved', $3, $2 FROM taken)
SELECT id, value FROM taken)";

constexpr const char* kLeft = R"(
SELECT CASE WHEN next_value <= last_value THEN (last_value - next_value) / step + 1 ELSE 0 END
     + (SELECT count(*) FROM identity_values WHERE pool_id = $1 AND state IN ('released', 'available'))
FROM pools WHERE id = $1)";

std::string describe(const PoolDefinition& pool) {
    return pool.list ? std::string("a list") : "a counter " + std::to_string(pool.first) + ".." +
                                                   std::to_string(pool.last) + " step " + std::to_string(pool.step);
}

}  // namespace

const char* settlementState(Settlement settlement) {
    switch (settlement) {
        case Settlement::Committed: return "committed";
        case Settlement::Voided: return "void";
        case Settlement::Released: return "released";
    }
    return "void";
}

void Store::logState(int64_t valueId, const char* state, int64_t station, const std::string& reason) {
    connection_->run("INSERT INTO value_history (value_id, state, at, station_id, reason) VALUES ($1, $2, $3, $4, $5)",
                     {valueId, std::string(state), utcNow(), station,
                      reason.empty() ? SqlValue() : SqlValue(reason)});
}

int64_t Store::poolId(const std::string& pool) {
    const SqlRows rows = connection_->run("SELECT id FROM pools WHERE name = $1", {pool});
    if (rows.empty()) throw StoreError("the store has no pool \"" + pool + "\"");
    return cellNumber(rows[0], 0);
}

void Store::definePool(const PoolDefinition& pool) {
    write([&] {
        // Stations starting together define the pool together: the first one's row stands.
        // A list has no counter: its next value lies past its last.
        const int64_t first = pool.list ? 1 : pool.first, last = pool.list ? 0 : pool.last;
        connection_->run("INSERT INTO pools (name, kind, first_value, last_value, step, next_value, low_water) "
                         "VALUES ($1, $2, $3, $4, $5, $3, $6) ON CONFLICT (name) DO NOTHING",
                         {pool.name, std::string(pool.list ? "list" : "counter"), first, last,
                          pool.list ? int64_t{1} : pool.step, pool.lowWater});
        const SqlRows rows =
            connection_->run("SELECT kind, first_value, last_value, step FROM pools WHERE name = $1", {pool.name});
        const PoolDefinition stored{pool.name, cellText(rows.at(0), 0) == "list", cellNumber(rows[0], 1),
                                    cellNumber(rows[0], 2), cellNumber(rows[0], 3)};
        if (stored.list != pool.list ||
            (!pool.list && (stored.first != pool.first || stored.last != pool.last || stored.step != pool.step)))
            throw StoreError("the store holds the pool \"" + pool.name + "\" as " + describe(stored) +
                             "; the job makes it " + describe(pool) + " (a pool's values never change)");
        connection_->run("UPDATE pools SET low_water = $2 WHERE name = $1", {pool.name, pool.lowWater});
    });
}

void Store::importList(const std::string& pool, const std::vector<int64_t>& values) {
    write([&] {
        const int64_t id = poolId(pool);
        for (const int64_t value : values)
            connection_->run("INSERT INTO identity_values (pool_id, value, state) VALUES ($1, $2, 'available') "
                             "ON CONFLICT DO NOTHING",
                             {id, value});
    });
}

std::optional<Reservation> Store::reserve(int64_t station, const std::string& pool) {
    std::optional<Reservation> taken;
    write([&] {
        taken.reset();
        const int64_t id = poolId(pool);
        touch(station);
        SqlRows rows;
        if (connection_->engine() == Engine::Postgres) {
            rows = connection_->run(kReservePostgres, {id, station, utcNow()});
        } else {
            // SQLite: the whole transaction holds the write lock (BEGIN IMMEDIATE).
            rows = connection_->run("SELECT id, value FROM identity_values WHERE pool_id = $1 AND state IN "
                                    "('released', 'available') ORDER BY value LIMIT 1",
                                    {id});
            if (!rows.empty()) {
                connection_->run("UPDATE identity_values SET state = 'reserved', station_id = $2, chip_id = NULL "
                                 "WHERE id = $1",
                                 {cellNumber(rows[0], 0), station});
            } else {
                rows = connection_->run("UPDATE pools SET next_value = next_value + step "
                                        "WHERE id = $1 AND next_value <= last_value RETURNING next_value - step",
                                        {id});
                if (!rows.empty())
                    rows = connection_->run("INSERT INTO identity_values (pool_id, value, state, station_id) "
                                            "VALUES ($1, $2, 'reserved', $3) RETURNING id, value",
                                            {id, cellNumber(rows[0], 0), station});
            }
            if (!rows.empty()) logState(cellNumber(rows[0], 0), "reserved", station, "");
        }
        if (rows.empty()) return;
        taken = Reservation{cellNumber(rows[0], 0), cellNumber(rows[0], 1),
                            cellNumber(connection_->run(kLeft, {id}).at(0), 0)};
    });
    return taken;
}

void Store::moveHeldValue(int64_t valueId, int64_t station, const char* state, const std::string& reason,
                          std::optional<int64_t> chip) {
    const std::string from = std::string_view(state) == "written" ? "('reserved')" : "('reserved', 'written')";
    if (!connection_
             ->run("UPDATE identity_values SET state = $3, chip_id = $4 WHERE id = $1 AND station_id = $2 AND state IN " +
                       from + " RETURNING id",
                   {valueId, station, std::string(state), chip ? SqlValue(*chip) : SqlValue()})
             .empty()) {
        logState(valueId, state, station, reason);
        return;
    }
    // Done already: this is a transaction run again after its commit's reply was
    // lost. A committed value is on this chip; another state follows this
    // station's last reservation in the history (a released one may be taken since).
    const bool done =
        chip ? !connection_->run("SELECT id FROM identity_values WHERE id = $1 AND station_id = $2 AND state = $3 "
                                 "AND chip_id = $4",
                                 {valueId, station, std::string(state), *chip})
                    .empty()
             : !connection_->run("SELECT id FROM value_history WHERE value_id = $1 AND station_id = $2 AND state = $3 "
                                 "AND id > (SELECT max(id) FROM value_history WHERE value_id = $1 AND station_id = $2 "
                                 "AND state = 'reserved')",
                                 {valueId, station, std::string(state)})
                    .empty();
    if (!done)
        throw StoreError("identity value " + std::to_string(valueId) + " is no longer held by this station");
}

void Store::markWritten(int64_t valueId, int64_t station) {
    write([&] { moveHeldValue(valueId, station, "written", "", std::nullopt); });
}

void Store::settle(int64_t valueId, Settlement settlement, int64_t station, const std::string& reason) {
    write([&] { moveHeldValue(valueId, station, settlementState(settlement), reason, std::nullopt); });
}

void Store::touch(int64_t station) {
    if (connection_->run("UPDATE stations SET heartbeat = " + now() + " WHERE id = $1 AND ended_at IS NULL RETURNING id",
                         {station})
            .empty())
        throw StoreError("this station was taken for gone by another station of the store (its lease ran out)");
}

int64_t Store::voidUnsettled(int64_t station, const std::string& reason) {
    const SqlRows rows = connection_->run("UPDATE identity_values SET state = 'void' WHERE station_id = $1 "
                                          "AND state IN ('reserved', 'written') RETURNING id",
                                          {station});
    for (const SqlRow& row : rows) logState(cellNumber(row, 0), "void", station, reason);
    return static_cast<int64_t>(rows.size());
}

}  // namespace tessorin::store

#include "store/schema.h"

#include <string>
#include <vector>

#include "store/board_states.h"
#include "store/store_error.h"

namespace tessorin::store {
namespace {

// {id} is each engine's own generated key.
const std::vector<std::string_view>& migrations() {
    static const std::vector<std::string_view> list = {
        R"(
CREATE TABLE stations (
  id {id}, started_at TEXT NOT NULL, ended_at TEXT, ended_how TEXT,
  heartbeat BIGINT NOT NULL, host TEXT NOT NULL, boot_id TEXT NOT NULL, pid BIGINT NOT NULL,
  process_start BIGINT NOT NULL, board TEXT, job_sha256 TEXT);
CREATE TABLE pools (
  id {id}, name TEXT NOT NULL UNIQUE, kind TEXT NOT NULL, first_value BIGINT NOT NULL,
  last_value BIGINT NOT NULL, step BIGINT NOT NULL, next_value BIGINT NOT NULL, low_water BIGINT NOT NULL);
CREATE TABLE identity_values (
  id {id}, pool_id BIGINT NOT NULL REFERENCES pools(id), value BIGINT NOT NULL, state TEXT NOT NULL,
  station_id BIGINT REFERENCES stations(id), chip_id BIGINT, UNIQUE (pool_id, value));
CREATE INDEX identity_values_by_state ON identity_values (pool_id, state, value);
CREATE INDEX identity_values_by_station ON identity_values (station_id, state);
CREATE INDEX identity_values_by_value ON identity_values (value);
CREATE TABLE value_history (
  id {id}, value_id BIGINT NOT NULL REFERENCES identity_values(id), state TEXT NOT NULL, at TEXT NOT NULL,
  station_id BIGINT REFERENCES stations(id), reason TEXT);
CREATE INDEX value_history_by_value ON value_history (value_id);
CREATE TABLE chips (
  id {id}, station_id BIGINT NOT NULL REFERENCES stations(id), finished_at TEXT NOT NULL, day TEXT NOT NULL,
  sequence BIGINT NOT NULL, board TEXT, chip_id TEXT, image TEXT NOT NULL, image_sha256 TEXT, image_bytes BIGINT,
  presets TEXT NOT NULL, result TEXT NOT NULL, reason TEXT, duration_ms BIGINT NOT NULL, reports BIGINT NOT NULL,
  job_sha256 TEXT, UNIQUE (station_id, sequence));
CREATE INDEX chips_by_image ON chips (image_sha256);
CREATE INDEX chips_by_group ON chips (board, image, image_sha256, day, result);
CREATE TABLE chip_identities (
  chip_id BIGINT NOT NULL REFERENCES chips(id), field TEXT NOT NULL,
  value_id BIGINT NOT NULL REFERENCES identity_values(id), shown TEXT NOT NULL, PRIMARY KEY (chip_id, field));
CREATE INDEX chip_identities_by_shown ON chip_identities (shown);
CREATE INDEX chip_identities_by_value ON chip_identities (value_id);
)",
        kBoardStatesMigration,
    };
    return list;
}

std::string forEngine(std::string_view sql, Engine engine) {
    const std::string key = engine == Engine::Sqlite ? "INTEGER PRIMARY KEY" : "BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY";
    std::string text(sql);
    for (size_t at; (at = text.find("{id}")) != std::string::npos;) text.replace(at, 4, key);
    return text;
}

int appliedVersion(Connection& connection) {
    const SqlRows rows = connection.run("SELECT max(version) FROM schema_version");
    return rows.empty() || !rows[0][0] ? 0 : static_cast<int>(cellNumber(rows[0], 0));
}

}  // namespace

void migrate(Connection& connection) {
    connection.begin();
    try {
        // PostgreSQL: one migrating station at a time across the line.
        if (connection.engine() == Engine::Postgres) connection.run("SELECT pg_advisory_xact_lock(5317)");
        connection.script("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
        const int applied = appliedVersion(connection);
        if (applied > kSchemaVersion)
            throw StoreError("the store's tables are of version " + std::to_string(applied) +
                             ", newer than this program knows (" + std::to_string(kSchemaVersion) + ")");
        for (int version = applied + 1; version <= kSchemaVersion; ++version) {
            connection.script(forEngine(migrations()[version - 1], connection.engine()));
            connection.run("INSERT INTO schema_version (version) VALUES ($1)", {int64_t{version}});
        }
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
}

}  // namespace tessorin::store

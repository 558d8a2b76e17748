#include "store/board_states.h"

namespace tessorin::store {
namespace {

std::string nowMs(Engine engine) {
    return engine == Engine::Sqlite ? "CAST((julianday('now') - 2440587.5) * 86400000 AS BIGINT)"
                                    : "CAST(extract(epoch FROM clock_timestamp()) * 1000 AS BIGINT)";
}

}  // namespace

const std::string_view kBoardStatesMigration = R"(
CREATE TABLE board_states (
  board TEXT PRIMARY KEY, station_id BIGINT NOT NULL REFERENCES stations(id), state TEXT NOT NULL,
  percent BIGINT NOT NULL, chip TEXT, last_result TEXT, last_reason TEXT, heartbeat_ms BIGINT NOT NULL);
CREATE INDEX chips_by_time ON chips (finished_at, result);
CREATE INDEX chips_by_result ON chips (result, reason);
)";

void publishBoardState(Store& store, const BoardState& state) {
    Connection& db = store.connection();
    db.run("INSERT INTO board_states (board, station_id, state, percent, chip, last_result, last_reason, heartbeat_ms) "
           "VALUES ($1, $2, $3, $4, $5, $6, $7, " + nowMs(db.engine()) + ") ON CONFLICT (board) DO UPDATE SET "
           "station_id = excluded.station_id, state = excluded.state, percent = excluded.percent, chip = excluded.chip, "
           "last_result = excluded.last_result, last_reason = excluded.last_reason, heartbeat_ms = excluded.heartbeat_ms",
           {state.board, state.station, state.state, state.percent, state.chip, state.lastResult, state.lastReason});
}

std::vector<BoardState> boardStates(Store& store) {
    Connection& db = store.connection();
    std::vector<BoardState> states;
    for (const SqlRow& row : db.run("SELECT board, station_id, state, percent, chip, last_result, last_reason, " +
                                    nowMs(db.engine()) + " - heartbeat_ms FROM board_states ORDER BY board"))
        states.push_back({cellText(row, 0), cellNumber(row, 1), cellText(row, 2), cellNumber(row, 3), cellText(row, 4),
                          cellText(row, 5), cellText(row, 6), cellNumber(row, 7)});
    return states;
}

}  // namespace tessorin::store

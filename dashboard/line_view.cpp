#include "dashboard/line_view.h"

#include <cstdio>
#include <ctime>
#include <map>

#include "store/board_states.h"
#include "store/store_queries.h"

namespace tessorin::dashboard {
namespace {

// As tessorin results prints it, so the two always agree.
Json yieldText(int64_t passed, int64_t chips) {
    if (chips == 0) return nullptr;
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%", 100.0 * static_cast<double>(passed) / static_cast<double>(chips));
    return text;
}

Json counted(int64_t chips, int64_t passed) {
    return {{"chips", chips}, {"passed", passed}, {"failed", chips - passed}, {"yield", yieldText(passed, chips)}};
}

constexpr const char* kPassedSum = "sum(CASE WHEN result = 'success' THEN 1 ELSE 0 END)";

int64_t numberOr(const store::SqlRow& row, size_t column) { return row[column] ? store::cellNumber(row, column) : 0; }

// The local hours from a day ago to the next one, as the chips' times begin ("2026-12-10T09").
std::vector<std::string> lastDayHours() {
    std::vector<std::string> hours;
    for (int ago = 23; ago >= -1; --ago) {
        const std::time_t then = std::time(nullptr) - ago * 3600;
        std::tm local{};
        localtime_r(&then, &local);
        char text[16];
        std::strftime(text, sizeof text, "%Y-%m-%dT%H", &local);
        hours.push_back(text);
    }
    return hours;
}

}  // namespace

Json boardsView(store::Store& store) {
    std::map<std::string, std::pair<int64_t, int64_t>> chips;
    for (const store::SqlRow& row : store.connection().run(
             std::string("SELECT board, count(*), ") + kPassedSum + " FROM chips GROUP BY board"))
        chips[store::cellText(row, 0)] = {store::cellNumber(row, 1), numberOr(row, 2)};
    Json boards = Json::array();
    for (const store::BoardState& state : store::boardStates(store)) {
        const auto [count, passed] = chips[state.board];
        Json board = {{"board", state.board},
                      {"station", state.station},
                      {"state", state.state},
                      {"silent", state.state != "ended" && state.sinceMs > kSilentAfterMs},
                      {"since_ms", state.sinceMs},
                      {"percent", state.percent},
                      {"chip", state.chip.empty() ? Json() : Json(state.chip)},
                      {"last_result", state.lastResult.empty() ? Json() : Json(state.lastResult)},
                      {"last_reason", state.lastReason.empty() ? Json() : Json(state.lastReason)}};
        board.update(counted(count, passed));
        boards.push_back(board);
    }
    return {{"boards", boards}, {"silent_after_ms", kSilentAfterMs}};
}

Json summaryView(store::Store& store) {
    const store::SqlRows all =
        store.connection().run(std::string("SELECT count(*), ") + kPassedSum + " FROM chips");
    Json summary = counted(store::cellNumber(all.at(0), 0), numberOr(all.at(0), 1));
    Json hours = Json::array();
    // An hour at a time on the time index: a range each, no grouping by a computed text.
    const std::vector<std::string> bounds = lastDayHours();
    for (size_t hour = 0; hour + 1 < bounds.size(); ++hour) {
        const store::SqlRows counts = store.connection().run(
            std::string("SELECT count(*), ") + kPassedSum + " FROM chips WHERE finished_at >= $1 AND finished_at < $2",
            {bounds[hour], bounds[hour + 1]});
        const int64_t chips = store::cellNumber(counts.at(0), 0);
        if (chips == 0) continue;
        Json entry = {{"hour", bounds[hour]}};
        entry.update(counted(chips, numberOr(counts.at(0), 1)));
        hours.push_back(entry);
    }
    summary["hours"] = hours;
    return summary;
}

Json failuresView(store::Store& store) {
    Json reasons = Json::array();
    for (const std::vector<std::string>& row : store::failures(store).rows)
        reasons.push_back({{"reason", row.at(0)}, {"chips", std::stoll(row.at(1))}});
    return {{"failures", reasons}};
}

Json poolsView(store::Store& store) {
    std::map<std::string, int64_t> lowWater;
    for (const store::SqlRow& row : store.connection().run("SELECT name, low_water FROM pools"))
        lowWater[store::cellText(row, 0)] = store::cellNumber(row, 1);
    Json pools = Json::array();
    for (const std::vector<std::string>& row : store::pools(store).rows) {
        const int64_t left = std::stoll(row.at(6)), low = lowWater[row.at(0)];
        pools.push_back({{"field", row.at(0)},
                         {"kind", row.at(1)},
                         {"issued", std::stoll(row.at(2))},
                         {"used", std::stoll(row.at(3))},
                         {"void", std::stoll(row.at(4))},
                         {"held", std::stoll(row.at(5))},
                         {"left", left},
                         {"low_water", low},
                         {"low", left < low}});
    }
    return {{"pools", pools}};
}

}  // namespace tessorin::dashboard

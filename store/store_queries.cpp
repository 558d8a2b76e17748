#include "store/store_queries.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <map>
#include <tuple>

namespace tessorin::store {
namespace {

using Json = nlohmann::ordered_json;

constexpr int64_t kExportPage = 5000;

std::string yieldOf(int64_t passed, int64_t chips) {
    if (chips == 0) return "-";
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%", 100.0 * static_cast<double>(passed) / static_cast<double>(chips));
    return text;
}

struct Count {
    int64_t chips = 0, passed = 0;
    void add(int64_t c, int64_t p) { chips += c, passed += p; }
};

Table countTable(const std::string& title, const std::string& key, const std::map<std::string, Count>& counts) {
    Table table{title, {key, "chips", "passed", "failed", "yield"}, {}};
    for (const auto& [name, count] : counts)
        table.rows.push_back({name, std::to_string(count.chips), std::to_string(count.passed),
                              std::to_string(count.chips - count.passed), yieldOf(count.passed, count.chips)});
    return table;
}

Table tableOf(Store& store, std::string title, std::vector<std::string> headings, const std::string& sql,
              const std::vector<SqlValue>& parameters = {}) {
    Table table{std::move(title), std::move(headings), {}};
    for (const SqlRow& row : store.connection().run(sql, parameters)) {
        std::vector<std::string>& cells = table.rows.emplace_back();
        for (size_t c = 0; c < row.size(); ++c) cells.push_back(row[c] ? *row[c] : "-");
    }
    return table;
}

// The number a text names: decimal, 0x hexadecimal, or hexadecimal bytes with colons.
std::optional<int64_t> numberIn(const std::string& text) {
    std::string digits = text;
    int base = 10;
    if (digits.find(':') != std::string::npos) {
        std::erase(digits, ':');
        base = 16;
    } else if (digits.starts_with("0x") || digits.starts_with("0X")) {
        digits = digits.substr(2);
        base = 16;
    } else if (digits.find_first_not_of("0123456789") != std::string::npos) {
        base = 16;
    }
    try {
        size_t used = 0;
        const long long value = std::stoll(digits, &used, base);
        if (used == digits.size() && value >= 0) return value;
    } catch (const std::logic_error&) {
    }
    return std::nullopt;
}

// A value column as 0x hexadecimal: addresses and serials are read that way. A
// cell that is no such number (SQLite keeps what a hand edit put there) stays as it is.
void valuesInHex(Table& table, size_t column) {
    for (auto& row : table.rows) {
        const std::string& cell = row.at(column);
        uint64_t value = 0;
        const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
        if (error != std::errc() || end != cell.data() + cell.size()) continue;
        char text[24];
        std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
        row[column] = text;
    }
}

// The presets cell is the JSON list the station wrote; anything else is shown as text.
Json presetsOf(const std::string& cell) {
    Json presets = Json::parse(cell, nullptr, false);
    return presets.is_discarded() ? Json(cell) : presets;
}

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

constexpr const char* kChipColumns =
    "c.id, c.finished_at, c.sequence, c.station_id, c.board, c.chip_id, c.image, c.image_sha256, c.image_bytes, "
    "c.presets, c.result, c.reason, c.duration_ms, c.reports, c.job_sha256";
const std::vector<std::string> kChipHeadings = {"chip",   "time",         "sequence",    "station", "board",
                                                "chip_id", "image",       "image_sha256", "image_bytes", "presets",
                                                "result", "reason",       "duration_ms", "reports", "job_sha256"};

}  // namespace

std::vector<Table> summary(Store& store) {
    std::map<std::string, Count> all, byBoard, byImage, byDay;
    // One pass over the chips; the groups are few.
    for (const SqlRow& row : store.connection().run(
             "SELECT board, image || ' ' || coalesce(substr(image_sha256, 1, 12), '-'), day, count(*), "
             "sum(CASE WHEN result = 'success' THEN 1 ELSE 0 END) FROM chips GROUP BY board, image, image_sha256, day")) {
        const int64_t chips = cellNumber(row, 3), passed = cellNumber(row, 4);
        all["all"].add(chips, passed);
        byBoard[row[0] ? *row[0] : "-"].add(chips, passed);
        byImage[cellText(row, 1)].add(chips, passed);
        byDay[cellText(row, 2)].add(chips, passed);
    }
    if (all.empty()) all["all"] = {};
    return {countTable("chips", "", all), countTable("by board", "board", byBoard),
            countTable("by image", "image sha256", byImage), countTable("by day", "day", byDay)};
}

Table failures(Store& store) {
    return tableOf(store, "failures", {"reason", "chips"},
                   "SELECT coalesce(reason, '-'), count(*) FROM chips WHERE result <> 'success' GROUP BY reason "
                   "ORDER BY count(*) DESC, reason");
}

std::vector<Table> find(Store& store, const std::string& text) {
    const std::optional<int64_t> number = numberIn(text);
    const SqlValue asNumber = number ? SqlValue(*number) : SqlValue();
    // Each way of naming a value or chip on its own index; a join of ORs would read every row.
    const std::string valueIds = "SELECT value_id FROM chip_identities WHERE shown IN ($1, $2) "
                                 "UNION SELECT id FROM identity_values WHERE value = $3";
    const std::vector<SqlValue> named = {text, upper(text), asNumber};
    Table values = tableOf(store, "identity values", {"field", "value", "state", "station", "chip"},
                           "SELECT p.name, v.value, v.state, v.station_id, v.chip_id FROM identity_values v JOIN pools "
                           "p ON p.id = v.pool_id WHERE v.id IN (" + valueIds + ") ORDER BY v.id",
                           named);
    Table history = tableOf(store, "history", {"field", "value", "at", "state", "station", "reason"},
                            "SELECT p.name, v.value, h.at, h.state, h.station_id, h.reason FROM value_history h JOIN "
                            "identity_values v ON v.id = h.value_id JOIN pools p ON p.id = v.pool_id WHERE "
                            "h.value_id IN (" + valueIds + ") ORDER BY h.id",
                            named);
    valuesInHex(values, 1);
    valuesInHex(history, 1);
    Table chips = tableOf(store, "chips", kChipHeadings,
                          std::string("SELECT ") + kChipColumns +
                              " FROM chips c WHERE c.id IN (SELECT id FROM chips WHERE image_sha256 = $1 UNION "
                              "SELECT id FROM chips WHERE id = $3 UNION SELECT chip_id FROM chip_identities WHERE "
                              "value_id IN (" + valueIds + ")) ORDER BY c.id",
                          named);
    return {values, history, chips};
}

Table pools(Store& store) {
    return tableOf(store, "pools", {"field", "kind", "issued", "committed", "void", "held", "left"},
                   "SELECT p.name, p.kind, "
                   "(SELECT count(*) FROM identity_values v WHERE v.pool_id = p.id AND v.state <> 'available'), "
                   "(SELECT count(*) FROM identity_values v WHERE v.pool_id = p.id AND v.state = 'committed'), "
                   "(SELECT count(*) FROM identity_values v WHERE v.pool_id = p.id AND v.state = 'void'), "
                   "(SELECT count(*) FROM identity_values v WHERE v.pool_id = p.id AND v.state IN ('reserved', "
                   "'written')), "
                   "CASE WHEN p.next_value <= p.last_value THEN (p.last_value - p.next_value) / p.step + 1 ELSE 0 END "
                   "+ (SELECT count(*) FROM identity_values v WHERE v.pool_id = p.id AND v.state IN ('released', "
                   "'available')) FROM pools p ORDER BY p.name");
}

void exportChips(Store& store, ExportFormat format, const std::function<void(const std::string&)>& line) {
    Connection& db = store.connection();
    if (format == ExportFormat::Csv) {
        std::string heading;
        for (const std::string& name : kChipHeadings) heading += name + ",";
        line(heading + "identities");
    }
    for (int64_t after = 0;;) {
        const SqlRows chips = db.run(std::string("SELECT ") + kChipColumns +
                                         " FROM chips c WHERE c.id > $1 ORDER BY c.id LIMIT $2",
                                     {after, kExportPage});
        if (chips.empty()) return;
        const int64_t last = cellNumber(chips.back(), 0);
        std::map<int64_t, std::vector<std::pair<std::string, std::string>>> identities;
        for (const SqlRow& row : db.run("SELECT ci.chip_id, ci.field, ci.shown FROM chip_identities ci WHERE "
                                        "ci.chip_id > $1 AND ci.chip_id <= $2",
                                        {after, last}))
            identities[cellNumber(row, 0)].emplace_back(cellText(row, 1), cellText(row, 2));
        for (const SqlRow& row : chips) {
            const auto& ids = identities[cellNumber(row, 0)];
            if (format == ExportFormat::JsonLines) {
                Json object;
                for (size_t c = 0; c < kChipHeadings.size(); ++c) {
                    const bool number = c == 0 || c == 2 || c == 3 || c == 8 || c == 12 || c == 13;
                    if (!row[c]) object[kChipHeadings[c]] = nullptr;
                    else if (c == 9) object[kChipHeadings[c]] = presetsOf(*row[c]);
                    else object[kChipHeadings[c]] = number ? Json(cellNumber(row, c)) : Json(*row[c]);
                }
                Json& shown = object["identities"] = Json::object();
                for (const auto& [field, value] : ids) shown[field] = value;
                line(object.dump(-1, ' ', false, Json::error_handler_t::replace));
                continue;
            }
            std::string csv;
            auto quoted = [](const std::string& cell) {
                std::string out = "\"";
                for (char c : cell) {
                    out += c;
                    if (c == '"') out += c;
                }
                return out + "\"";
            };
            for (size_t c = 0; c < row.size(); ++c) csv += (row[c] ? quoted(*row[c]) : "") + ",";
            std::string joined;
            for (const auto& [field, value] : ids) joined += (joined.empty() ? "" : ";") + field + "=" + value;
            line(csv + quoted(joined));
        }
        after = last;
    }
}

}  // namespace tessorin::store

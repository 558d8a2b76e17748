// Store contents as `tessorin results` reads them back: rows of any values an
// older program, another PC of the line or a hand edit of the SQLite file may
// have left (SQLite keeps text in a number column, nulls where the schema allows
// them). Every question either answers or raises StoreError (the command's
// "cannot read the store" line); a table row has a cell per heading; an export
// line of JSON is one whole object, a CSV line a cell per heading.
#include <fuzzer/FuzzedDataProvider.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "store/store.h"
#include "store/store_error.h"
#include "store/store_queries.h"

namespace {

using tessorin::store::SqlValue;

constexpr size_t kExportColumns = 16;  // the chip columns and the identities

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

tessorin::store::Store& store() {
    static std::unique_ptr<tessorin::store::Store> opened = tessorin::store::Store::open(":memory:");
    return *opened;
}

// A cell as a writer may have left it: null, a number, a text that looks like
// one of the values the program writes, or any text.
SqlValue cell(FuzzedDataProvider& input, const std::vector<std::string>& likely) {
    switch (input.ConsumeIntegralInRange<int>(0, 4)) {
        case 0: return {};
        case 1: return input.ConsumeIntegral<int64_t>();
        case 2: return input.ConsumeIntegralInRange<int64_t>(0, 8);
        case 3: return likely.empty() ? std::string() : input.PickValueInArray<std::string>({likely[0], likely.back()});
        default: return input.ConsumeRandomLengthString(24);
    }
}

// Rows with the columns' values from the input; a row the schema refuses is left out.
void insertRows(FuzzedDataProvider& input, const std::string& table, const std::vector<std::string>& columns,
                const std::vector<std::vector<std::string>>& likely) {
    std::string sql = "INSERT INTO " + table + " (";
    std::string places;
    for (size_t c = 0; c < columns.size(); ++c) {
        sql += (c ? ", " : "") + columns[c];
        places += (c ? ", $" : "$") + std::to_string(c + 1);
    }
    sql += ") VALUES (" + places + ")";
    const int rows = input.ConsumeIntegralInRange<int>(0, 4);
    for (int row = 0; row < rows; ++row) {
        std::vector<SqlValue> values;
        for (size_t c = 0; c < columns.size(); ++c) values.push_back(cell(input, likely[c]));
        try {
            store().connection().run(sql, values);
        } catch (const tessorin::store::StoreError&) {
            // NOT NULL, UNIQUE and the references still hold.
        }
    }
}

void fill(FuzzedDataProvider& input) {
    const std::vector<std::string> id = {"1", "2"}, text = {}, state = {"reserved", "void", "committed", "available"};
    insertRows(input, "pools", {"id", "name", "kind", "first_value", "last_value", "step", "next_value", "low_water"},
               {id, {"bd_addr", "serial"}, {"counter", "list"}, text, text, {"1"}, text, text});
    insertRows(input, "identity_values", {"id", "pool_id", "value", "state", "station_id", "chip_id"},
               {id, id, {"1711276032", "-1"}, state, {"1"}, id});
    insertRows(input, "value_history", {"value_id", "state", "at", "station_id", "reason"},
               {id, state, {"2026-12-10 08:00:00"}, {"1"}, {"chip_stopped_answering"}});
    insertRows(input, "chips",
               {"id", "station_id", "finished_at", "day", "sequence", "board", "chip_id", "image", "image_sha256",
                "image_bytes", "presets", "result", "reason", "duration_ms", "reports", "job_sha256"},
               {id, {"1"}, {"2026-12-10T08:00:00+08:00"}, {"2026-12-10"}, id, {"TSB0001"}, {"0x6d10"}, {"a.rom"},
                {std::string(64, 'a')}, {"9000"}, {"[\"4c10 0102\"]", "[]"}, {"success", "fail"}, {"board_lost"},
                {"500"}, {"360"}, {"jobhash"}});
    insertRows(input, "chip_identities", {"chip_id", "field", "value_id", "shown"},
               {id, {"bd_addr"}, id, {"00:1A:7D:00:00:01", "0x001A7D000001"}});
}

void checkTable(const tessorin::store::Table& table) {
    for (const auto& row : table.rows) require(row.size() == table.headings.size(), "a row without a cell per heading");
}

// The cells of one CSV record: quoted cells with doubled quotes, or empty ones.
size_t csvCells(const std::string& line) {
    size_t cells = 1;
    bool quoted = false;
    for (size_t at = 0; at < line.size(); ++at) {
        if (line[at] == '"') quoted = !quoted;
        else if (line[at] == ',' && !quoted) ++cells;
    }
    require(!quoted, "a CSV record with an open quote");
    return cells;
}

void ask(const std::string& asked) {
    auto& opened = store();
    for (const auto& table : tessorin::store::summary(opened)) checkTable(table);
    checkTable(tessorin::store::failures(opened));
    checkTable(tessorin::store::pools(opened));
    for (const auto& table : tessorin::store::find(opened, asked)) checkTable(table);
    tessorin::store::exportChips(opened, tessorin::store::ExportFormat::JsonLines, [](const std::string& line) {
        const nlohmann::json object = nlohmann::json::parse(line, nullptr, false);
        require(object.is_object() && object.size() == kExportColumns, "an export line that is not a whole record");
    });
    tessorin::store::exportChips(opened, tessorin::store::ExportFormat::Csv, [](const std::string& line) {
        require(csvCells(line) == kExportColumns, "a CSV line without a cell per column");
    });
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessorin::fuzzing::discardLog();
    auto& connection = store().connection();
    connection.run("INSERT INTO stations (id, started_at, heartbeat, host, boot_id, pid, process_start) "
                   "VALUES (1, '2026-12-10 08:00:00', 0, 'line-pc', 'boot', 1, 1)");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    auto& connection = store().connection();
    for (const char* table : {"chip_identities", "value_history", "chips", "identity_values", "pools"})
        connection.run(std::string("DELETE FROM ") + table);
    const std::string asked = input.ConsumeRandomLengthString(24);
    fill(input);
    try {
        ask(asked);
    } catch (const tessorin::store::StoreError&) {
        // The command says "cannot read the store ..." with the reason.
    }
    return 0;
}

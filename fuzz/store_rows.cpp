// Store contents as `tessorin results` reads them back: rows of any values an
// older program, another PC of the line or a hand edit of the SQLite file may
// have left (SQLite keeps text in a number column, nulls where the schema allows
// them, and the sqlite3 shell does not check references). Each input asks one
// question of its rows, in a transaction rolled back after it. Every question either answers or raises StoreError (the command's
// "cannot read the store" line); a table row has a cell per heading; an export
// line of JSON is one whole object, a CSV line a cell per heading.
#include <fuzzer/FuzzedDataProvider.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
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

struct Column {
    std::string name;
    std::vector<std::string> likely;  // texts like those the program writes there
    bool nullable = true;
};

// A cell as a writer may have left it: null where the schema allows it (SQLite
// refuses it elsewhere, so no store holds one), a number, a text that looks like
// one of the values the program writes, or any text.
SqlValue cell(FuzzedDataProvider& input, const Column& column) {
    switch (input.ConsumeIntegralInRange<int>(column.nullable ? 0 : 1, 4)) {
        case 0: return {};
        case 1: return input.ConsumeIntegral<int64_t>();
        case 2: return input.ConsumeIntegralInRange<int64_t>(0, 8);
        case 3:
            if (column.likely.empty()) return std::string();
            return column.likely[input.ConsumeIntegralInRange<size_t>(0, column.likely.size() - 1)];
        default: return input.ConsumeRandomLengthString(24);
    }
}

struct TableRows {
    std::string insert;  // with $1 ... for the columns' values
    std::vector<Column> columns;
};

TableRows tableRows(const std::string& table, std::vector<Column> columns) {
    std::string names, places;
    for (size_t c = 0; c < columns.size(); ++c) {
        names += (c ? ", " : "") + columns[c].name;
        places += (c ? ", $" : "$") + std::to_string(c + 1);
        const auto declared = store().connection().run(
            "SELECT \"notnull\" FROM pragma_table_info($1) WHERE name = $2", {table, columns[c].name});
        require(declared.size() == 1, "a column the schema does not have");
        columns[c].nullable = tessorin::store::cellNumber(declared[0], 0) == 0;
    }
    return {"INSERT OR IGNORE INTO " + table + " (" + names + ") VALUES (" + places + ")", std::move(columns)};
}

// Rows with the columns' values from the input; a row that repeats a unique key is left out.
void insertRows(FuzzedDataProvider& input, const TableRows& table) {
    const int rows = input.ConsumeIntegralInRange<int>(0, 3);  // enough for repeats, gaps and order
    std::vector<SqlValue> values(table.columns.size());
    for (int row = 0; row < rows; ++row) {
        for (size_t c = 0; c < values.size(); ++c) values[c] = cell(input, table.columns[c]);
        try {
            store().connection().run(table.insert, values);
        } catch (const tessorin::store::StoreError&) {
            // A row id that is no number: SQLite keeps none.
        }
    }
}

std::vector<TableRows> tablesToFill() {
    const std::vector<std::string> id = {"1", "2"}, state = {"reserved", "void", "committed", "available"};
    return {
        tableRows("pools", {{"id", id},
                            {"name", {"bd_addr", "serial"}},
                            {"kind", {"counter", "list"}},
                            {"first_value", {}},
                            {"last_value", {}},
                            {"step", {"1"}},
                            {"next_value", {}},
                            {"low_water", {}}}),
        tableRows("identity_values", {{"id", id},
                                      {"pool_id", id},
                                      {"value", {"1711276032", "-1"}},
                                      {"state", state},
                                      {"station_id", {"1"}},
                                      {"chip_id", id}}),
        tableRows("value_history", {{"value_id", id},
                                    {"state", state},
                                    {"at", {"2026-12-10 08:00:00"}},
                                    {"station_id", {"1"}},
                                    {"reason", {"chip_stopped_answering"}}}),
        tableRows("chips", {{"id", id},
                            {"station_id", {"1"}},
                            {"finished_at", {"2026-12-10T08:00:00+08:00"}},
                            {"day", {"2026-12-10"}},
                            {"sequence", id},
                            {"board", {"TSB0001"}},
                            {"chip_id", {"0x6d10"}},
                            {"image", {"a.rom"}},
                            {"image_sha256", {std::string(64, 'a')}},
                            {"image_bytes", {"9000"}},
                            {"presets", {"[\"4c10 0102\"]", "[]"}},
                            {"result", {"success", "fail"}},
                            {"reason", {"board_lost"}},
                            {"duration_ms", {"500"}},
                            {"reports", {"360"}},
                            {"job_sha256", {"jobhash"}}}),
        tableRows("chip_identities", {{"chip_id", id},
                                      {"field", {"bd_addr"}},
                                      {"value_id", id},
                                      {"shown", {"00:1A:7D:00:00:01", "0x001A7D000001"}}}),
    };
}

void fill(FuzzedDataProvider& input) {
    static const std::vector<TableRows> tables = tablesToFill();
    for (const TableRows& table : tables) insertRows(input, table);
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

// The keys of the one JSON object a line holds, or nullopt when it is not one
// whole object (counted as it is read: a tree of every line would cost more than the export).
class TopLevelKeys : public nlohmann::json_sax<nlohmann::json> {
public:
    std::optional<size_t> keys() const { return whole_ ? std::optional(keys_) : std::nullopt; }

    bool null() override { return value(); }
    bool boolean(bool) override { return value(); }
    bool number_integer(number_integer_t) override { return value(); }
    bool number_unsigned(number_unsigned_t) override { return value(); }
    bool number_float(number_float_t, const string_t&) override { return value(); }
    bool string(string_t&) override { return value(); }
    bool binary(binary_t&) override { return value(); }
    bool start_object(size_t) override { return open(true); }
    bool end_object() override { return close(); }
    bool start_array(size_t) override { return open(false); }
    bool end_array() override { return close(); }
    bool key(string_t&) override {
        if (depth_ == 1) ++keys_;
        return true;
    }
    bool parse_error(size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

private:
    bool value() { return depth_ > 0; }  // a bare value is no record
    bool open(bool object) {
        if (depth_ == 0 && !object) return false;
        ++depth_;
        return true;
    }
    bool close() {
        if (--depth_ == 0) whole_ = true;
        return true;
    }

    size_t depth_ = 0, keys_ = 0;
    bool whole_ = false;
};

std::optional<size_t> topLevelKeys(const std::string& line) {
    TopLevelKeys counter;
    if (!nlohmann::json::sax_parse(line, &counter)) return std::nullopt;
    return counter.keys();
}

enum class Question { Summary, Failures, Pools, Find, JsonExport, CsvExport, kMaxValue = CsvExport };

// One question an input: the exports and find cost far more than the rest, and
// every question still gets its share of the inputs.
void ask(Question question, const std::string& asked) {
    auto& opened = store();
    switch (question) {
        case Question::Summary:
            for (const auto& table : tessorin::store::summary(opened)) checkTable(table);
            break;
        case Question::Failures: checkTable(tessorin::store::failures(opened)); break;
        case Question::Pools: checkTable(tessorin::store::pools(opened)); break;
        case Question::Find:
            for (const auto& table : tessorin::store::find(opened, asked)) checkTable(table);
            break;
        case Question::JsonExport:
            tessorin::store::exportChips(opened, tessorin::store::ExportFormat::JsonLines, [](const std::string& line) {
                require(topLevelKeys(line) == kExportColumns, "an export line that is not a whole record");
            });
            break;
        case Question::CsvExport:
            tessorin::store::exportChips(opened, tessorin::store::ExportFormat::Csv, [](const std::string& line) {
                require(csvCells(line) == kExportColumns, "a CSV line without a cell per column");
            });
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessorin::fuzzing::discardLog();
    auto& connection = store().connection();
    // As the sqlite3 shell edits a file: references are not checked, so a row may name a pool or chip that is gone.
    connection.script("PRAGMA foreign_keys=OFF");
    connection.run("INSERT INTO stations (id, started_at, heartbeat, host, boot_id, pid, process_start) "
                   "VALUES (1, '2026-12-10 08:00:00', 0, 'line-pc', 'boot', 1, 1)");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    auto& connection = store().connection();
    const auto question = input.ConsumeEnum<Question>();
    const std::string asked = input.ConsumeRandomLengthString(24);
    // The rows go with the rollback: no input sees the rows of the one before.
    connection.begin();
    fill(input);
    try {
        ask(question, asked);
    } catch (const tessorin::store::StoreError&) {
        // The command says "cannot read the store ..." with the reason.
    }
    connection.rollback();
    return 0;
}
